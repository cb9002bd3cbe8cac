#pragma once
// The month state of one group's twelve months of a year, as the package header
// NAG_PACZ holds it: 'O' open (also when no header exists), 'Z' closed, 'A' archived.
#include <array>
#include <string>

namespace ewidor {

class MonthStates {
public:
    static constexpr char kOpen = 'O';
    static constexpr char kClosed = 'Z';
    static constexpr char kArchived = 'A';

    MonthStates() { states_.fill(kOpen); }

    // Months 1..12; std::out_of_range otherwise.
    char at(int month) const { return states_.at(static_cast<size_t>(month - 1)); }
    void set(int month, char state) { states_.at(static_cast<size_t>(month - 1)) = state; }
    // The twelve states as text, January first ("OOZA...").
    std::string text() const { return {states_.begin(), states_.end()}; }

    // "Otwarty", "Zamknięty", "Archiwowany"; "" for any other character.
    static std::string Label(char state);

private:
    std::array<char, 12> states_{};
};

} // namespace ewidor
