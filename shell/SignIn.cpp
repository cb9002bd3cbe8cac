#include "SignIn.h"

#include "CodePage.h"
#include "Error.h"
#include "GroupList.h"
#include "TextCut.h"

namespace ewidor {

using namespace std::chrono;

namespace {
const char* const kUnknownCaption = " Użytkownik nieznany.";
}

std::string SignIn::UserText(const UserRecord& u) {
    return CutText(CutText(u.FirstName + " ", 16) + u.Surname, 46);
}

std::string SignIn::CaptionFor(const UserRecord& u) {
    return CutText(CutText(" Użytkownik : " + u.FirstName, 29) + " " + u.Surname, 60);
}

bool SignIn::RightsValidOn(const UserRecord& u, year_month_day today) {
    return sys_days{today} >= sys_days{u.ValidFrom} && sys_days{today} <= sys_days{u.ValidTo};
}

bool SignIn::PasswordValidOn(const UserRecord& u, const Settings& s, year_month_day today) {
    if (!s.ForsowanieHasla) return true;
    return sys_days{today} < sys_days{u.PasswordDate} + days{s.IleDniHasla};
}

void SignIn::Open() {
    if (session_.UsersLoadFailed) prompter_.ShowMessage("Uwaga !", "Uszkodzony plik z hasłami !");
    previous_ = session_.CurrentUser;
    session_.Caption = kUnknownCaption;
}

int SignIn::find(const std::string& sign, const std::string& password, bool& service) const {
    service = false;
    std::string upper = xb::upperUtf8(sign);
    for (size_t i = 0; i < session_.Users.size(); ++i) {
        const UserRecord& u = session_.Users[i];
        if (u.Sign == upper && u.Password == password) return static_cast<int>(i);
    }
    if (sign == kServiceSign && password == kServicePassword && !session_.Users.empty()) {
        service = true;
        return 0;
    }
    return -1;
}

void SignIn::writeEvent(const std::string& user, EventKind kind, const EventTime& now) {
    try {
        EventLog(session_.dirs.DataRoot).WriteEvent(user, kind, now);
    } catch (const xb::Error& e) {
        prompter_.ShowMessage("Błąd !", e.what());
    }
}

SignIn::Outcome SignIn::Confirm(const std::string& sign, const std::string& password,
                                const EventTime& now, const std::function<bool()>& changePassword) {
    if (sign.empty()) {
        prompter_.ShowMessage("Błąd !", "Proszę wpisać znak !");
        return Outcome::Stay;
    }
    if (password.empty()) {
        prompter_.ShowMessage("Błąd !", "Proszę wpisać hasło !");
        return Outcome::Stay;
    }
    bool service = false;
    int index = find(sign, password, service);
    if (index < 0) return failed(sign, now);
    return succeeded(index, service, now, changePassword);
}

SignIn::Outcome SignIn::failed(const std::string& sign, const EventTime& now) {
    if (--attempts_ > 0) {
        prompter_.ShowMessage("Błędne hasło!",
                              "Masz jeszcze " + std::to_string(attempts_) + " szanse !");
        return Outcome::Retry;
    }
    attempts_ = 0;
    writeEvent("Intruz jako " + sign, EventKind::BreakIn, now);
    prompter_.ShowMessage("Błędne hasło !", "Przykro mi - nie znasz hasła !");
    return Outcome::Stop;
}

SignIn::Outcome SignIn::succeeded(int index, bool service, const EventTime& now,
                                  const std::function<bool()>& changePassword) {
    session_.CurrentUser = index;
    session_.ServiceSignIn = service;
    const UserRecord& user = session_.Users[static_cast<size_t>(index)];
    session_.RightsValid = service || RightsValidOn(user, now.day);
    session_.PasswordValid = service || PasswordValidOn(user, session_.settings, now.day);
    if (user.Damaged) prompter_.ShowMessage("Uwaga !", "Uszkodzony plik z hasłami !");
    if (!session_.RightsValid) prompter_.ShowMessage("Uwaga !", "Minął okres Twoich uprawnień !");
    if (!session_.PasswordValid) {
        prompter_.ShowMessage("Uwaga !",
                              "Twoje hasło utraciło ważność !\n      Musisz je zmienić !");
        if (!changePassword || !changePassword()) {
            prompter_.ShowMessage("Uwaga !", "W takim razie nie możesz pracować z systemem !");
            session_.CurrentUser = -2; // never signed in: no sign-out is logged at the end
            return Outcome::Stop;
        }
        session_.PasswordValid = true;
    }
    session_.UserChanged = session_.CurrentUser != previous_;
    // The log window is offered only when the log existed before this sign-in.
    session_.EventLogKept = EventLog(session_.dirs.DataRoot).Exists();
    takeGroups(session_.Users[static_cast<size_t>(index)], service);
    session_.Caption = CaptionFor(session_.Users[static_cast<size_t>(index)]);
    if (session_.UserChanged)
        writeEvent(UserText(session_.Users[static_cast<size_t>(index)]), EventKind::SignIn, now);
    return Outcome::SignedIn;
}

void SignIn::takeGroups(const UserRecord& user, bool service) {
    std::vector<GroupEntry> groups;
    try {
        groups = service ? GroupList::Load(session_.dirs.DataRoot)
                         : GroupList::Allowed(session_.dirs.DataRoot, user);
    } catch (const xb::Error& e) {
        prompter_.ShowMessage("Błąd !", e.what());
    }
    session_.GroupCount = static_cast<int>(groups.size());
    if (groups.size() == 1) {
        session_.GroupNumber = groups.front().number;
        session_.GroupName = groups.front().name;
    } else if (groups.empty() || session_.UserChanged) {
        session_.GroupNumber = 0;
        session_.GroupName.clear();
    }
}

void SignIn::WriteSignOutEvent(const EventTime& now) {
    if (const UserRecord* user = session_.User())
        writeEvent(UserText(*user), EventKind::SignOut, now);
}

void SignIn::SignOut(const EventTime& now) {
    WriteSignOutEvent(now);
    session_.CurrentUser = -2;
    session_.ServiceSignIn = false;
    session_.RightsValid = session_.PasswordValid = false;
    session_.GroupCount = 0;
    session_.GroupNumber = 0;
    session_.GroupName.clear();
    session_.Caption = kUnknownCaption;
}

} // namespace ewidor
