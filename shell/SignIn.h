#pragma once
// The rules of the sign-in window TLoguj and of signing out: finding the user,
// the validity of rights and password, the service sign, the attempt counter, the
// allowed groups, the caption and the events. No widgets; TLoguj shows what it says.
//
// One object lives for the run of the program: its attempt counter starts at 3 and
// is never reset.
#include "EventLog.h"
#include "Prompter.h"
#include "Session.h"

#include <functional>
#include <string>

namespace ewidor {

class SignIn {
public:
    enum class Outcome {
        Stay,     // a field is missing: the window stays as it is
        Retry,    // wrong sign or password: the password is cleared and focused
        SignedIn, // the window closes
        Stop,     // the program stops
    };

    SignIn(Session& session, Prompter& prompter) : session_(session), prompter_(prompter) {}

    // The window opens: the damaged-file warning, the previous user, the unknown-user caption.
    void Open();
    // "O&K". `changePassword` runs the forced password change and answers whether the
    // password was changed.
    Outcome Confirm(const std::string& sign, const std::string& password, const EventTime& now,
                    const std::function<bool()>& changePassword);
    // "&Anuluj": signs out, writing the sign-out event when somebody was signed in.
    void SignOut(const EventTime& now);
    // The sign-out event alone, at the program's end.
    void WriteSignOutEvent(const EventTime& now);
    int AttemptsLeft() const { return attempts_; }

    static constexpr const char* kServiceSign = "zvk";
    static constexpr const char* kServicePassword = "KORMORANY";
    // The user text of the log: first name + " " cut to 16, then the surname, cut to 46.
    static std::string UserText(const UserRecord& user);
    // " Użytkownik : " + first name cut to 29, then " " + surname, cut to 60.
    static std::string CaptionFor(const UserRecord& user);
    static bool RightsValidOn(const UserRecord& user, std::chrono::year_month_day today);
    static bool PasswordValidOn(const UserRecord& user, const Settings& settings,
                                std::chrono::year_month_day today);

private:
    int find(const std::string& sign, const std::string& password, bool& service) const;
    Outcome failed(const std::string& sign, const EventTime& now);
    Outcome succeeded(int index, bool service, const EventTime& now,
                      const std::function<bool()>& changePassword);
    void takeGroups(const UserRecord& user, bool service);
    void writeEvent(const std::string& user, EventKind kind, const EventTime& now);

    Session& session_;
    Prompter& prompter_;
    int attempts_ = 3;
    int previous_ = -2;
};

} // namespace ewidor
