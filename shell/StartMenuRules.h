#pragma once
// Which commands of the main menu are hidden or disabled when the main window is
// first shown, from the installation state and the start-up values. Rights-based
// enabling after sign-in is the main window's later concern.
#include "Session.h"

#include <set>
#include <string>

namespace ewidor {

struct MenuState {
    std::set<std::string> hidden;
    std::set<std::string> disabled;
};

class StartMenuRules {
public:
    static MenuState Evaluate(const Session& session);
};

} // namespace ewidor
