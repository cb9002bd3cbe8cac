#include "PartText.h"

#include <charconv>

namespace tv {

PartText::PartText(std::string_view text) {
    if (text.empty()) return;
    if (text == "-") {
        kind_ = Kind::Minus;
        return;
    }
    // Plain decimal integers only, as the digit masks let them in; anything else
    // (blanks, signs other than a leading minus, values beyond 16 bits) counts as 0.
    int v = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, v);
    if (ec != std::errc() || ptr != end || v < -32768 || v > 32767) {
        kind_ = Kind::Other;
        return;
    }
    kind_ = Kind::Number;
    value_ = v;
}

} // namespace tv
