#include "HoursMinutes.h"
#include "PartText.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using tv::HoursMinutes;

TEST(HoursMinutes, CanonicalPartsTruncateTowardZero) {
    struct Case { int minutes, hours, mins; };
    for (const Case& c : std::vector<Case>{{0, 0, 0}, {59, 0, 59}, {60, 1, 0}, {90, 1, 30},
                                           {-90, -1, -30}, {-30, 0, -30}, {-60, -1, 0},
                                           {1440, 24, 0}, {24960, 416, 0}}) {
        const HoursMinutes v(c.minutes);
        EXPECT_EQ(v.hoursPart(), c.hours) << c.minutes;
        EXPECT_EQ(v.minutesPart(), c.mins) << c.minutes;
        EXPECT_EQ(HoursMinutes::fromParts(v.hoursPart(), v.minutesPart()), v);
    }
}

TEST(HoursMinutes, SumsOverMinutesThenSplits) {
    // Non-canonical stored pairs (2:45 as 1:105, a negative balance) still sum by minutes.
    const std::vector<std::pair<int, int>> pairs{{1, 105}, {-1, -30}, {0, 50}, {3, 0}};
    const HoursMinutes total = HoursMinutes::sum(
        pairs, [](const auto& p) { return p.first; }, [](const auto& p) { return p.second; });
    EXPECT_EQ(total.minutes(), 165 - 90 + 50 + 180);
    EXPECT_EQ(total.hoursPart(), 5);
    EXPECT_EQ(total.minutesPart(), 5);
}

TEST(HoursMinutes, DayEquivalentAndDaysText) {
    struct Case { int minutes; const char* text; };
    for (const Case& c : std::vector<Case>{{28 * 60, "3,5"}, {24 * 60, "3"}, {0, "0"},
                                           {60, "0,1"}, {24, "0,1"}, {23, "0"},
                                           {-28 * 60, "-3,5"}, {24960, "52"}}) {
        EXPECT_EQ(tv::daysText(HoursMinutes(c.minutes), ','), c.text) << c.minutes;
    }
    EXPECT_EQ(tv::daysText(HoursMinutes(28 * 60), '.'), "3.5");
    EXPECT_DOUBLE_EQ(HoursMinutes(28 * 60).days(), 3.5);
}

TEST(HoursMinutes, ZeroIsBlankInDisplays) {
    EXPECT_EQ(tv::blankZeroText(0), "");
    EXPECT_EQ(tv::blankZeroText(8), "8");
    EXPECT_EQ(tv::blankZeroText(-30), "-30");
}

TEST(PartText, ReadsIntegersAndTellsTheRestApart) {
    using K = tv::PartText::Kind;
    struct Case { const char* text; K kind; int value; };
    for (const Case& c : std::vector<Case>{{"", K::Empty, 0}, {"-", K::Minus, 0}, {"12", K::Number, 12},
                                           {"-7", K::Number, -7}, {"007", K::Number, 7},
                                           {"1a", K::Other, 0}, {" 1", K::Other, 0},
                                           {"+1", K::Other, 0}, {"99999", K::Other, 0}}) {
        const tv::PartText p(c.text);
        EXPECT_EQ(p.kind(), c.kind) << c.text;
        EXPECT_EQ(p.value(), c.value) << c.text;
    }
}
