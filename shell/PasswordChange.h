#pragma once
// The rules of the password change window TZmianaHasla, in its normal form (from
// the menu) and its forced form (from sign-in, when the password has aged).
//
// One object lives for the run of the program: its counter of wrong old passwords
// starts at 3, apart from the sign-in counter, and is never reset.
#include "Prompter.h"
#include "Session.h"

#include <string>

namespace ewidor {

class PasswordChange {
public:
    enum class Outcome {
        Stay,     // a rule refused: the window stays
        WrongOld, // the old password was wrong: beep, clear and focus it
        Changed,  // stored and written: the window closes
        Closed,   // the old password was wrong too often: the window closes
    };

    PasswordChange(Session& session, Prompter& prompter) : session_(session), prompter_(prompter) {}

    static constexpr const char* kMasterWord = "GRUSZA";

    // "O&K" for the signed-in user; writes HasKarU in SystemDir.
    Outcome Confirm(const std::string& oldPassword, const std::string& new1,
                    const std::string& new2, bool forced, std::chrono::year_month_day today);
    // Closing without a change: true when the window may close. The forced form asks.
    bool MayClose(bool forced);
    int AttemptsLeft() const { return attempts_; }
    std::string UsersPath() const;

private:
    Session& session_;
    Prompter& prompter_;
    int attempts_ = 3;
};

} // namespace ewidor
