#include "CardLayout.h"

namespace ewidor {
namespace {

struct LineFields {
    double hours, minutes, order;
    std::string costCentre, department;
};

LineFields readLine(const xb::Record& card, int line) {
    return {card.number(CardLayout::LineField("GODZ", line)), card.number(CardLayout::LineField("MIN", line)),
            card.number(CardLayout::LineField("ZL_ID", line)), card.text(CardLayout::LineField("ST_KOSZT", line)),
            card.text(CardLayout::LineField("ODDZIAL", line))};
}

void writeLine(xb::Record& card, int line, const LineFields& f) {
    card.set(CardLayout::LineField("GODZ", line), f.hours);
    card.set(CardLayout::LineField("MIN", line), f.minutes);
    card.set(CardLayout::LineField("ST_KOSZT", line), f.costCentre);
    card.set(CardLayout::LineField("ZL_ID", line), f.order);
    card.set(CardLayout::LineField("ODDZIAL", line), f.department);
}

} // namespace

std::string CardLayout::LineField(const char* stem, int line) {
    return line == 0 ? std::string(stem) : stem + std::to_string(line);
}

int CardLayout::LineMinutes(const xb::Record& card, int line) {
    return static_cast<int>(60 * card.number(LineField("GODZ", line)) + card.number(LineField("MIN", line)));
}

int CardLayout::LinesMinutes(const xb::Record& card) {
    int total = 0;
    for (int line = 0; line < kLines; ++line) total += LineMinutes(card, line);
    return total;
}

void CardLayout::PackLines(xb::Record& card) {
    std::vector<LineFields> kept;
    for (int line = 0; line < kLines; ++line)
        if (LineMinutes(card, line) != 0) kept.push_back(readLine(card, line));
    for (int line = 0; line < kLines; ++line)
        writeLine(card, line, line < static_cast<int>(kept.size()) ? kept[static_cast<size_t>(line)] : LineFields{});
}

const std::vector<std::string>& CardLayout::ClassStems() {
    static const std::vector<std::string> stems = {
        "PRACY_R",  "N50_N",   "N100_N",  "N100S_N",  "NOCNE1_I", "NOCNE2_I", "SWIETA_I", "ROBCHOR",
        "UWYP_U",   "UOKOL_U", "DELEG_U", "UB_U",     "OPIEKI_U", "NN_U",     "ROBZCH_U", "UP_U",
        "UN_U",     "DOD50_I", "N50A_N",  "N100A_N",  "N100SA_N", "ODB_U",    "ODB15_U",  "SOBOTY_I"};
    return stems;
}

void CardLayout::ClearClasses(xb::Record& card) {
    for (const auto& stem : ClassStems()) SetPair(card, stem, 0);
}

void CardLayout::SetPair(xb::Record& card, const std::string& stem, int minutes) {
    // Integer division truncates toward zero, as the canonical form wants.
    card.set("G" + stem, static_cast<double>(minutes / 60));
    card.set("M" + stem, static_cast<double>(minutes % 60));
}

int CardLayout::Pair(const xb::Record& card, const std::string& stem) {
    return static_cast<int>(60 * card.number("G" + stem) + card.number("M" + stem));
}

} // namespace ewidor
