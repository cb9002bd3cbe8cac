#pragma once
// A group whose number has no unique package numbers (500 and above) would share
// its packages with another group; creating or choosing such a group is refused.
#include "Message.h"

#include <optional>

namespace ewidor {

class GroupNumberRule {
public:
    // The refusal for a group number outside 0..499, none when the number is usable.
    static std::optional<Message> Check(int groupNumber);
};

} // namespace ewidor
