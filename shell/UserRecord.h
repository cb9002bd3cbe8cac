#pragma once
// One user of the users file HasKarU, as the program holds it in the user list.
// The file's layout is in UsersFile.h.
#include <chrono>
#include <string>

namespace ewidor {

// The twelve rights, named after the users window's check boxes.
struct Rights {
    bool Centrala = false, EdycjaZbior = false, OtworzRok = false, Konfig = false, Kontrup = false,
         DoCentr = false, InterDost = false, MozePremie = false, MozeUrlopy = false,
         FtpDost = false, Aktualizacja = false, EdycjaKwotBox = false;
    bool operator==(const Rights&) const = default;
};

struct UserRecord {
    std::string FirstName; // up to 15 characters
    std::string Sign;      // up to 3, upper case
    std::string Surname;   // up to 30
    std::string Password;  // 5 to 8, upper case
    std::string Groups;    // "/001/017": the allowed groups, three digits each
    Rights rights;
    std::chrono::year_month_day ValidFrom{};
    std::chrono::year_month_day ValidTo{}; // today + 1 year when there is no end date
    bool HasEndDate = false;
    std::chrono::year_month_day PasswordDate{};
    bool Damaged = false; // computed on reading: the checksum did not match

    bool operator==(const UserRecord&) const = default;
    // "%.3d" of the group occurs in the allowed groups.
    bool AllowsGroup(int number) const;
    // First name + " " + surname, as the users window lists it.
    std::string FullName() const { return FirstName + " " + Surname; }
};

} // namespace ewidor
