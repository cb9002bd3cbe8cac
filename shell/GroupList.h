#pragma once
// The groups of "Jedn.dbf" in the data root in name order, as sign-in (the group
// list QJed with its filter) and the users window read them. Engine errors reach the caller.
#include "UserRecord.h"

#include <string>
#include <vector>

namespace ewidor {

struct GroupEntry {
    int number = 0;
    std::string name;
    std::string listId, department;  // ID_LISTY and ODDZIAL
    std::string Three() const; // the number as "%.3d"
};

class GroupList {
public:
    // Every group.
    static std::vector<GroupEntry> Load(const std::string& dataRoot);
    // The groups `user` may work on.
    static std::vector<GroupEntry> Allowed(const std::string& dataRoot, const UserRecord& user);
};

} // namespace ewidor
