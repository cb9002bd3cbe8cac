#pragma once
// The text of one part (hours or minutes) of a duration edit, read as an integer.
// An empty or non-numeric text counts as 0; the entry rules tell a lone "-" apart.
#include <string>
#include <string_view>

namespace tv {

class PartText {
public:
    enum class Kind { Number, Empty, Minus, Other };

    explicit PartText(std::string_view text);

    Kind kind() const { return kind_; }
    int value() const { return value_; }  // 0 unless kind() is Number
    bool number() const { return kind_ == Kind::Number; }
    bool minus() const { return kind_ == Kind::Minus; }
    bool empty() const { return kind_ == Kind::Empty; }

private:
    Kind kind_ = Kind::Empty;
    int value_ = 0;
};

} // namespace tv
