#include "GroupList.h"

#include "Paths.h"
#include "Table.h"

#include <algorithm>
#include <cstdio>

namespace ewidor {

namespace {
// Older group tables lack the list and department columns.
std::string optionalText(const xb::Record& r, std::string_view field) {
    return r.schema().indexOf(field) >= 0 ? r.text(field) : std::string();
}
} // namespace

std::string GroupEntry::Three() const {
    char s[8];
    std::snprintf(s, sizeof s, "%.3d", number);
    return s;
}

std::vector<GroupEntry> GroupList::Load(const std::string& dataRoot) {
    xb::OpenOptions options;
    options.readOnly = true;
    auto table = xb::Table::open(pathNoCase(dataRoot, "Jedn.dbf"), options);
    std::vector<GroupEntry> groups;
    uint32_t count = table->recordCount();
    for (uint32_t recno = 1; recno <= count; ++recno) {
        xb::Record r = table->read(recno);
        if (r.deleted()) continue;
        groups.push_back({static_cast<int>(r.number("NUMER")), r.text("NAZWA"), optionalText(r, "ID_LISTY"),
                          optionalText(r, "ODDZIAL")});
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const auto& a, const auto& b) { return a.name < b.name; });
    return groups;
}

std::vector<GroupEntry> GroupList::Allowed(const std::string& dataRoot, const UserRecord& user) {
    std::vector<GroupEntry> groups = Load(dataRoot);
    std::erase_if(groups, [&](const GroupEntry& g) { return !user.AllowsGroup(g.number); });
    return groups;
}

} // namespace ewidor
