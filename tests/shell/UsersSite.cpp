#include "UsersSite.h"

#include "Table.h"
#include "UsersFile.h"

#include <filesystem>
#include <stdexcept>

namespace userstest {

using namespace std::chrono;

UsersSite::UsersSite() {
    std::filesystem::create_directories(dataRoot());
    xb::Table::create(dataRoot() + "Jedn.dbf",
                      xb::parseFieldList("NUMER,Numeric,5,0;NAZWA,Character,30;"));
    auto jedn = xb::Table::open(dataRoot() + "Jedn.dbf");
    for (auto [number, name] : {std::pair{1, "Mechanicy"}, {17, "Elektrycy"}, {23, "Biuro"}}) {
        xb::Record r = jedn->blankRecord();
        r.set("NUMER", double(number));
        r.set("NAZWA", std::string(name));
        jedn->append(r);
    }
    session_.dirs.SystemDir = systemDir();
    session_.dirs.DataRoot = dataRoot();
}

void UsersSite::setUsers(const std::vector<ewidor::UserRecord>& users) {
    std::filesystem::remove(usersPath());
    for (size_t i = 0; i < users.size(); ++i)
        if (!ewidor::UsersFile::WriteUser(usersPath(), i, users[i]))
            throw std::runtime_error("HasKarU not written");
    if (!ewidor::UsersFile::LoadUsers(usersPath(), session_.Users, kToday))
        throw std::runtime_error("HasKarU not read");
}

std::vector<LoggedEvent> UsersSite::events() const {
    xb::OpenOptions options;
    options.password = ewidor::EventLog::kPassword;
    auto log = xb::Table::open(dataRoot() + ewidor::EventLog::kFileName, options);
    std::vector<LoggedEvent> out;
    for (uint32_t recno = 1; recno <= log->recordCount(); ++recno) {
        xb::Record r = log->read(recno);
        if (r.deleted()) continue;
        out.push_back({r.date("DNIA").iso(), r.text("CZAS"), r.text("UZYTKOWNIK"),
                       static_cast<int>(r.number("ID_ZD"))});
    }
    return out;
}

ewidor::UserRecord makeUser(const std::string& sign, const std::string& password,
                            const std::string& groups) {
    ewidor::UserRecord u;
    u.Sign = sign;
    u.Password = password;
    u.FirstName = "Imię" + sign;
    u.Surname = "Nazwisko" + sign;
    u.Groups = groups;
    u.rights.EdycjaZbior = true;
    u.ValidFrom = year{2025} / January / 1;
    u.ValidTo = year{2027} / December / 31;
    u.HasEndDate = true;
    u.PasswordDate = kToday;
    return u;
}

ewidor::EventTime at(year_month_day day, int hour, int minute) {
    return {day, hour, minute};
}

std::vector<Msg> messages(const ewidor::ScriptedPrompter& prompter) {
    std::vector<Msg> out;
    for (const auto& e : prompter.messages())
        out.emplace_back(e.title, e.text);
    return out;
}

} // namespace userstest
