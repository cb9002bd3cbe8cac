#pragma once
// Which commands the signed-in user may choose (UpdateMenus), from the rights, their
// validity, the groups and the settings, on top of what start-up decided. Used after
// sign-in, after sign-out and after every group selection.
#include "StartMenuRules.h"

namespace ewidor {

class UserMenuRules {
public:
    static MenuState Evaluate(const Session& session);
};

} // namespace ewidor
