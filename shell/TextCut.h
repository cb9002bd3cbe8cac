#pragma once
// Cutting UTF-8 text to a number of characters, as the program's fixed-width texts
// (captions, user texts, table fields) count them.
#include <string>
#include <string_view>

namespace ewidor {

// The first `count` characters of `utf8` (all of it when shorter).
std::string CutText(std::string_view utf8, size_t count);
// The number of characters of `utf8`.
size_t TextLength(std::string_view utf8);

} // namespace ewidor
