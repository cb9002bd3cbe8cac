#pragma once
// The field layout of a daily card record (KARTYDZ, ARCHIWDZ): six split lines of
// hours, minutes, cost centre, order and department, and the hour classes that only
// the main card carries. Works on a record in memory; writing is CardTable's.
#include "Record.h"

#include <string>
#include <vector>

namespace ewidor {

class CardLayout {
public:
    static constexpr int kLines = 6;

    // Field name of line `line` (0..5): stem + "" for line 0, stem + digit otherwise.
    static std::string LineField(const char* stem, int line);
    // 60 * hours + minutes of one line; a line is empty when this is 0.
    static int LineMinutes(const xb::Record& card, int line);
    // The sum over the six lines.
    static int LinesMinutes(const xb::Record& card);
    // Moves the non-empty lines to the front in their order and clears the rest
    // (hours and minutes 0, empty cost centre and department, order 0).
    static void PackLines(xb::Record& card);
    // The stems of the hour classes (G<stem>/M<stem>), GPRACY_R/MPRACY_R first.
    static const std::vector<std::string>& ClassStems();
    // Sets every hour class to 0, as a supplementary card keeps them.
    static void ClearClasses(xb::Record& card);
    // Writes a duration into a G/M pair in canonical form (hours = minutes div 60).
    static void SetPair(xb::Record& card, const std::string& stem, int minutes);
    static int Pair(const xb::Record& card, const std::string& stem);
};

} // namespace ewidor
