#include "TextCut.h"

namespace ewidor {
namespace {
bool continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}
} // namespace

std::string CutText(std::string_view utf8, size_t count) {
    size_t chars = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (continuation(utf8[i])) continue;
        if (chars++ == count) return std::string(utf8.substr(0, i));
    }
    return std::string(utf8);
}

size_t TextLength(std::string_view utf8) {
    size_t chars = 0;
    for (char c : utf8)
        if (!continuation(c)) ++chars;
    return chars;
}

} // namespace ewidor
