#include "PasswordChange.h"

#include "TextCut.h"
#include "UsersFile.h"

namespace ewidor {

std::string PasswordChange::UsersPath() const {
    return session_.dirs.SystemDir + "HasKarU";
}

PasswordChange::Outcome PasswordChange::Confirm(const std::string& oldPassword,
                                                const std::string& new1, const std::string& new2,
                                                bool forced, std::chrono::year_month_day today) {
    if (!session_.SignedIn()) return Outcome::Closed;
    UserRecord& user = session_.Users[static_cast<size_t>(session_.CurrentUser)];
    if (oldPassword != user.Password && oldPassword != kMasterWord) {
        if (--attempts_ > 0) {
            prompter_.ShowMessage("Błędne hasło !",
                                  "Masz jeszcze " + std::to_string(attempts_) + " szanse !");
            return Outcome::WrongOld;
        }
        attempts_ = 0;
        prompter_.ShowMessage("Błędne hasło !", "Nie znasz dotychczasowego hasła !");
        return Outcome::Closed;
    }
    if (TextLength(new1) < 5) {
        prompter_.ShowMessage("Za krótkie hasło !", "Minimum 5 znaków !");
        return Outcome::Stay;
    }
    if (new1 != new2) {
        prompter_.ShowMessage("Błąd !", "Druga wersja różna od pierwszej !");
        return Outcome::Stay;
    }
    if (forced && new1 == user.Password) {
        prompter_.ShowMessage("Błąd !", "Nowe hasło musi być inne od poprzedniego !");
        return Outcome::Stay;
    }
    UserRecord changed = user;
    changed.Password = new1;
    changed.PasswordDate = today;
    if (!UsersFile::WriteUser(UsersPath(), static_cast<size_t>(session_.CurrentUser), changed,
                              user.Sign)) {
        prompter_.ShowMessage("Nie zapisano zmian !",
                              "Prawdopodobnie inny użytkownik zmieniał hasło\n\n"
                              "Proszę spróbować powtórzyć operację.");
        return Outcome::Stay;
    }
    user = changed;
    prompter_.ShowMessage("Sukces !", "Hasło zostało zmienione !");
    return Outcome::Changed;
}

bool PasswordChange::MayClose(bool forced) {
    if (!forced) return true;
    return prompter_.Ask(
        "Uwaga !",
        "Jeśli nie zmienisz hasła - dalsza praca z systemem będzie niemożliwa !\n\n"
        "      Czy na pewno rezygnujesz ze zmiany hasła  ?",
        true);
}

} // namespace ewidor
