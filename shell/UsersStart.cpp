#include "UsersStart.h"

#include "CodePage.h"
#include "UsersFile.h"

#include <filesystem>

namespace ewidor {

using namespace std::chrono;

bool UsersStart::FirstUsersParameters(const std::vector<std::string>& args) {
    return args.size() == 2 && xb::upperUtf8(args[0]) == "TRAWA" &&
           xb::upperUtf8(args[1]) == "PLAMA";
}

UserRecord UsersStart::FirstUser(year_month_day today) {
    UserRecord u;
    u.Sign = "AS";
    u.Password = kFirstPassword;
    u.FirstName = "Administrator";
    u.Surname = "Systemu";
    Rights& r = u.rights;
    r.Centrala = r.OtworzRok = r.Konfig = r.Kontrup = r.MozePremie = r.MozeUrlopy = r.FtpDost =
        r.Aktualizacja = r.EdycjaKwotBox = true;
    u.ValidFrom = year_month_day{sys_days{today} - days{1}};
    u.HasEndDate = false;
    u.ValidTo = UsersFile::YearLater(today);
    u.PasswordDate = today;
    return u;
}

bool UsersStart::Load(Session& session, Prompter& prompter, bool firstUsers, year_month_day today) {
    std::string path = session.dirs.SystemDir + "HasKarU";
    if (!std::filesystem::exists(path)) {
        if (!firstUsers) {
            prompter.ShowMessage("Proszę powiadomić serwis.",
                                 "Dalsza praca z systemem jest niemożliwa !\n\n"
                                 "Brak pliku " +
                                     session.dirs.SystemDir + "HasKarU  !");
            return false;
        }
        if (!UsersFile::WriteUser(path, 0, FirstUser(today))) {
            prompter.ShowMessage("Błąd !", "Nie masz uprawnień do zapisu pliku z hasłami !");
            return false;
        }
        std::string password = kFirstPassword;
        for (char& c : password)
            c = static_cast<char>(c - 'A' + 'a');
        prompter.ShowMessage(
            "Uwaga !",
            "Zapisano plik " + session.dirs.SystemDir +
                "HasKarU  !\n\n"
                "Po zakończeniu programu należy go powtórnie uruchomić (bez parametrów)\n"
                "Można wtedy przedstawić się wpisując ZNAK: as oraz HASŁO: " +
                password + "\n\nNastępnie należy skonfigurować pozostałych użytkowników .");
        return false;
    }
    session.UsersLoadFailed = !UsersFile::LoadUsers(path, session.Users, today);
    return true;
}

} // namespace ewidor
