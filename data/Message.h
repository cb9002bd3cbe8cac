#pragma once
// A message for the user: the box's title and its text (Polish, lines joined by '\n').
#include <string>

namespace ewidor {

struct Message {
    std::string title;
    std::string text;
    bool operator==(const Message&) const = default;
};

} // namespace ewidor
