#pragma once
// What the users and rights window TUsersF decides: the user and group lists, the
// split of the groups into allowed and unavailable, the guard of the last holder of
// Kontrup, the checks of "&Zapisz" and the deletion. No widgets.
//
// The window keeps its own copy of the list, read when it opens and after every
// change; the signed-in session's list is left as sign-in read it.
#include "GroupList.h"
#include "Prompter.h"
#include "Session.h"

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace ewidor {

// The fields of the window in edit mode.
struct UserDraft {
    UserRecord user;          // Groups is ignored: `allowed` decides
    std::vector<int> allowed; // the groups of L1
    bool passwordChanged = false;
};

class UsersAdmin {
public:
    UsersAdmin(const Session& session, Prompter& prompter)
        : session_(session), prompter_(prompter) {}

    // Reads the groups and the users; false (with its message) when the users file
    // cannot be read, and the window closes.
    bool Open(std::chrono::year_month_day today);
    const std::vector<UserRecord>& Users() const { return users_; }
    const std::vector<GroupEntry>& Groups() const { return groups_; }
    int KontrupHolders() const;
    // The Kontrup box and both dates cannot be changed for this user (-1: a new one).
    bool KontrupLocked(int index) const;
    // L1 and L2: the groups whose three-digit number occurs in `allowed`, and the others.
    std::pair<std::vector<GroupEntry>, std::vector<GroupEntry>>
    Split(const std::string& allowed) const;
    // "&Nowy": empty, every group unavailable, from today, no end date.
    UserDraft NewDraft(std::chrono::year_month_day today) const;
    UserDraft EditDraft(int index) const;

    // "&Zapisz" for user `index` (-1: a new user): the checks in order, then the write.
    // Returns the saved user's index in the reloaded list, or -1 when nothing was saved.
    int Save(int index, const UserDraft& draft, std::chrono::year_month_day today);
    // "&Usuń": refuses the last holder of Kontrup, asks, deletes and reloads.
    bool Delete(int index, std::chrono::year_month_day today);

    // First letter upper-cased when it is a to z.
    static std::string Capitalised(std::string text);

private:
    bool check(int index, const UserDraft& draft) const;
    UserRecord finished(int index, const UserDraft& draft, std::chrono::year_month_day today) const;
    std::string usersPath() const { return session_.dirs.SystemDir + "HasKarU"; }

    const Session& session_;
    Prompter& prompter_;
    std::vector<UserRecord> users_;
    std::vector<GroupEntry> groups_;
};

} // namespace ewidor
