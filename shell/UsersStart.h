#pragma once
// The users file at start: reading HasKarU when the sign-in window is created, and
// the first users file that `ewidor TRAWA PLAMA` writes on a site without one.
#include "Prompter.h"
#include "Session.h"

#include <chrono>
#include <string>
#include <vector>

namespace ewidor {

class UsersStart {
public:
    // The password of the first users file's administrator (sign "as").
    static constexpr const char* kFirstPassword = "EW";

    // True for the two parameters "TRAWA" and "PLAMA", compared upper-cased.
    static bool FirstUsersParameters(const std::vector<std::string>& args);
    // Reads SystemDir + "HasKarU" into the session's user list. A missing file is
    // created when `firstUsers`; false when the program must stop (missing file, or
    // the first users file written, with their messages).
    static bool Load(Session& session, Prompter& prompter, bool firstUsers,
                     std::chrono::year_month_day today);
    // The record of a first users file.
    static UserRecord FirstUser(std::chrono::year_month_day today);
};

} // namespace ewidor
