#include "HolidayTable.h"

#include <gtest/gtest.h>

using namespace ewidor;
using namespace std::chrono;

TEST(HolidayTable, EasterMondayAndCorpusChristi) {
    struct Case {
        int year;
        year_month_day easter, monday, corpus;
    } cases[] = {
        {2008, 2008y / March / 23d, 2008y / March / 24d, 2008y / May / 22d},
        {2026, 2026y / April / 5d, 2026y / April / 6d, 2026y / June / 4d},
        {2019, 2019y / April / 21d, 2019y / April / 22d, 2019y / June / 20d},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.year);
        HolidayTable t;
        EXPECT_EQ(HolidayTable::EasterSunday(c.year), c.easter);
        EXPECT_FALSE(t.IsHoliday(c.monday));
        t.SetYear(c.year);
        EXPECT_TRUE(t.IsHoliday(c.monday));
        EXPECT_TRUE(t.IsHoliday(c.corpus));
    }
}

TEST(HolidayTable, FourthOfDecemberOnlyWithBarborka) {
    HolidayTable t;
    EXPECT_FALSE(t.IsHoliday(2026y / December / 4d));
    t.SetBarborka(true);
    EXPECT_TRUE(t.IsHoliday(2026y / December / 4d));
    EXPECT_TRUE(t.IsHoliday(2026y / December / 25d));
    t.SetBarborka(false);
    EXPECT_FALSE(t.IsHoliday(2026y / December / 4d));
}
