#include "UsersAdmin.h"

#include "CodePage.h"
#include "TextCut.h"
#include "UsersFile.h"

#include <algorithm>

namespace ewidor {

using namespace std::chrono;

namespace {
const char* const kBusy = "Operacja chwilowo niemożliwa - Ktoś inny modyfikuje użytkowników !";
} // namespace

bool UsersAdmin::Open(year_month_day today) {
    groups_ = GroupList::Load(session_.dirs.DataRoot);
    if (!UsersFile::LoadUsers(usersPath(), users_, today)) {
        prompter_.ShowMessage("Uwaga !", kBusy);
        return false;
    }
    return true;
}

int UsersAdmin::KontrupHolders() const {
    return static_cast<int>(std::count_if(users_.begin(), users_.end(),
                                          [](const auto& u) { return u.rights.Kontrup; }));
}

bool UsersAdmin::KontrupLocked(int index) const {
    return index >= 0 && KontrupHolders() < 2 &&
           users_.at(static_cast<size_t>(index)).rights.Kontrup;
}

std::pair<std::vector<GroupEntry>, std::vector<GroupEntry>>
UsersAdmin::Split(const std::string& allowed) const {
    std::pair<std::vector<GroupEntry>, std::vector<GroupEntry>> out;
    for (const GroupEntry& g : groups_)
        (allowed.find(g.Three()) != std::string::npos ? out.first : out.second).push_back(g);
    return out;
}

UserDraft UsersAdmin::NewDraft(year_month_day today) const {
    UserDraft d;
    d.user.ValidFrom = today;
    d.user.ValidTo = today;
    d.user.HasEndDate = false;
    d.user.PasswordDate = today;
    return d;
}

UserDraft UsersAdmin::EditDraft(int index) const {
    UserDraft d;
    d.user = users_.at(static_cast<size_t>(index));
    for (const GroupEntry& g : Split(d.user.Groups).first)
        d.allowed.push_back(g.number);
    return d;
}

std::string UsersAdmin::Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

bool UsersAdmin::check(int index, const UserDraft& d) const {
    const UserRecord& u = d.user;
    auto refuse = [&](const char* title, const std::string& text) {
        prompter_.ShowMessage(title, text);
        return false;
    };
    if (u.FirstName.empty()) return refuse("Błąd !", "Proszę wypełnić imię !");
    if (u.Surname.empty()) return refuse("Błąd !", "Proszę wypełnić nazwisko !");
    if (u.Sign.empty()) return refuse("Błąd !", "Proszę wypełnić znak !");
    std::string sign = xb::upperUtf8(u.Sign);
    for (size_t i = 0; i < users_.size(); ++i)
        if (static_cast<int>(i) != index && users_[i].Sign == sign)
            return refuse("Uwaga !",
                          "Znak \"" + sign +
                              "\" posiada już inny użytkownik !\n\nProszę wpisać inny znak !");
    if (u.Password.empty()) return refuse("Błąd !", "Proszę wypełnić hasło !");
    if (TextLength(u.Password) < 5)
        return refuse("Uwaga !", "Hasło musi zawierać conajmniej 5 znaków !");
    if (u.HasEndDate && sys_days{u.ValidTo} < sys_days{u.ValidFrom})
        return refuse("Uwaga !",
                      "Data nabycia uprawnień nie może być póżniejsza niż data ich utraty !");
    if (d.allowed.empty())
        return refuse("Uwaga !", "Należy użytkownikowi nadać uprawnienia\n co najmniej do jednej "
                                 "grupy, lub go usunąć !");
    return true;
}

UserRecord UsersAdmin::finished(int index, const UserDraft& d, year_month_day today) const {
    UserRecord u = d.user;
    u.FirstName = Capitalised(u.FirstName);
    u.Surname = Capitalised(u.Surname);
    u.Sign = xb::upperUtf8(u.Sign);
    u.Password = xb::upperUtf8(u.Password);
    u.Groups.clear();
    for (const GroupEntry& g : groups_)
        if (std::find(d.allowed.begin(), d.allowed.end(), g.number) != d.allowed.end())
            u.Groups += "/" + g.Three();
    u.Damaged = false;
    const UserRecord* stored = index >= 0 ? &users_.at(static_cast<size_t>(index)) : nullptr;
    u.PasswordDate = stored && !d.passwordChanged ? stored->PasswordDate : today;
    if (KontrupLocked(index)) {
        // The last holder of Kontrup keeps the right and its dates.
        u.rights.Kontrup = true;
        u.ValidFrom = stored->ValidFrom;
        u.ValidTo = stored->ValidTo;
        u.HasEndDate = stored->HasEndDate;
    }
    if (!u.HasEndDate) u.ValidTo = UsersFile::YearLater(today);
    return u;
}

int UsersAdmin::Save(int index, const UserDraft& draft, year_month_day today) {
    if (!check(index, draft)) return -1;
    UserRecord u = finished(index, draft, today);
    bool written = index < 0 ? UsersFile::AppendUser(usersPath(), u)
                             : UsersFile::WriteUser(usersPath(), static_cast<size_t>(index), u,
                                                    users_.at(static_cast<size_t>(index)).Sign);
    if (!written) {
        prompter_.ShowMessage("Błąd !", "Nie zapisano zmian !");
        return -1;
    }
    if (!UsersFile::LoadUsers(usersPath(), users_, today)) {
        prompter_.ShowMessage("Uwaga !", kBusy);
        return -1;
    }
    for (size_t i = 0; i < users_.size(); ++i)
        if (users_[i].Sign == u.Sign) return static_cast<int>(i);
    return -1;
}

bool UsersAdmin::Delete(int index, year_month_day today) {
    const UserRecord& u = users_.at(static_cast<size_t>(index));
    std::string text = u.FullName();
    if (KontrupLocked(index)) {
        prompter_.ShowMessage(
            "Uwaga !", text + " posiada prawo do kontroli uprawnień użytkowników!\n\n"
                              "Nie można usunąć ostatniego użytkownika z takim uprawnieniem !");
        return false;
    }
    if (!prompter_.Ask("Usuwanie użytkownika !", "Czy na pewno usunąć użytkownika " + text + "  ?",
                       true))
        return false;
    bool deleted = UsersFile::DeleteUser(usersPath(), static_cast<size_t>(index), u.Sign);
    if (deleted)
        prompter_.ShowMessage("Uwaga !", "Usunięto użytkownika " + text + "  !");
    else
        prompter_.ShowMessage("Uwaga !", "Nie usunięto użytkownika " + text +
                                             "  !\nProszę powiadomić administratora systemu !");
    if (!UsersFile::LoadUsers(usersPath(), users_, today)) prompter_.ShowMessage("Uwaga !", kBusy);
    return deleted;
}

} // namespace ewidor
