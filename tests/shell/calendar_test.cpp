// The holiday calendar: Easter by the computus, the holidays of later law, Barborka,
// the days off of a month and the extra days of Dni_GS.
#include "ExtraDays.h"
#include "HolidayTable.h"
#include "TDane.h"

#include "../data/Fixture.h"

#include <gtest/gtest.h>

using namespace ewidor;
using namespace std::chrono;

// Western (Gregorian) Easter Sunday 2000-2030 as published in the almanac tables.
TEST(Calendar, EasterAgainstThePublishedTable) {
    const std::pair<int, year_month_day> table[] = {
        {2000, 2000y / April / 23d}, {2001, 2001y / April / 15d}, {2002, 2002y / March / 31d},
        {2003, 2003y / April / 20d}, {2004, 2004y / April / 11d}, {2005, 2005y / March / 27d},
        {2006, 2006y / April / 16d}, {2007, 2007y / April / 8d},  {2008, 2008y / March / 23d},
        {2009, 2009y / April / 12d}, {2010, 2010y / April / 4d},  {2011, 2011y / April / 24d},
        {2012, 2012y / April / 8d},  {2013, 2013y / March / 31d}, {2014, 2014y / April / 20d},
        {2015, 2015y / April / 5d},  {2016, 2016y / March / 27d}, {2017, 2017y / April / 16d},
        {2018, 2018y / April / 1d},  {2019, 2019y / April / 21d}, {2020, 2020y / April / 12d},
        {2021, 2021y / April / 4d},  {2022, 2022y / April / 17d}, {2023, 2023y / April / 9d},
        {2024, 2024y / March / 31d}, {2025, 2025y / April / 20d}, {2026, 2026y / April / 5d},
        {2027, 2027y / March / 28d}, {2028, 2028y / April / 16d}, {2029, 2029y / April / 1d},
        {2030, 2030y / April / 21d},
    };
    for (const auto& [year, easter] : table) EXPECT_EQ(HolidayTable::EasterSunday(year), easter) << year;
}

TEST(Calendar, Year2008EasterMondayAndCorpusChristi) {
    HolidayTable t;
    t.SetYear(2008);
    EXPECT_TRUE(t.IsHoliday(2008y / March / 24d));
    EXPECT_TRUE(t.IsHoliday(2008y / May / 22d));
    EXPECT_FALSE(t.IsHoliday(2008y / March / 25d));
    EXPECT_EQ(t.entries()[9], (DayMonth{24, 3}));
    EXPECT_EQ(t.entries()[10], (DayMonth{22, 5}));
}

// 6 January is a holiday from 2011 and 24 December from 2025; the table keeps its
// eleven slots in their order, the seventh being 4 December with Barborka.
TEST(Calendar, HolidaysOfLaterLawFromTheirYear) {
    HolidayTable t;
    struct Case {
        year_month_day date;
        bool holiday;
    } cases[] = {
        {2010y / January / 6d, false},  {2011y / January / 6d, true},  {2026y / January / 6d, true},
        {2024y / December / 24d, false}, {2025y / December / 24d, true}, {2026y / December / 24d, true},
    };
    for (const Case& c : cases) EXPECT_EQ(t.IsHoliday(c.date), c.holiday) << sys_days{c.date}.time_since_epoch().count();
    EXPECT_EQ(t.entries().size(), 11u);
    EXPECT_EQ(t.entries()[6], (DayMonth{25, 12}));
    t.SetBarborka(true);
    EXPECT_EQ(t.entries()[6], (DayMonth{4, 12}));
    // The days off of a month follow: 6 January 2010 (Wednesday) is a working day, in 2011 (Thursday) not.
    auto has = [](const std::vector<int>& days, int d) { return std::find(days.begin(), days.end(), d) != days.end(); };
    EXPECT_FALSE(has(t.DaysOffOfMonth(2010, 1), 6));
    EXPECT_TRUE(has(t.DaysOffOfMonth(2011, 1), 6));
    EXPECT_FALSE(has(t.DaysOffOfMonth(2024, 12), 24));
    EXPECT_TRUE(has(t.DaysOffOfMonth(2025, 12), 24));
}

TEST(Calendar, BarborkaSwitch) {
    HolidayTable t;
    EXPECT_FALSE(t.IsHoliday(2026y / December / 4d));
    EXPECT_EQ(t.DaysOffOfMonth(2026, 12).front(), 5);
    t.SetBarborka(true);
    EXPECT_TRUE(t.IsHoliday(2026y / December / 4d));
    EXPECT_EQ(t.DaysOffOfMonth(2026, 12).front(), 4);
    t.SetBarborka(false);
    EXPECT_FALSE(t.IsHoliday(2026y / December / 4d));
}

TEST(Calendar, DaysOffOfMonth) {
    HolidayTable t;
    t.SetYear(2009);
    EXPECT_EQ(t.DaysOffOfMonth(2009, 2), (std::vector<int>{1, 7, 8, 14, 15, 21, 22, 28}));
    t.SetYear(2008);
    // May 2008: 1 and 3 May, Corpus Christi on the 22nd, and the weekends.
    EXPECT_EQ(t.DaysOffOfMonth(2008, 5), (std::vector<int>{1, 3, 4, 10, 11, 17, 18, 22, 24, 25, 31}));
    // No real month reaches 16 such days; a rule that takes every day shows the list keeps the first 15.
    auto all = HolidayTable::FirstDaysOff(2009, 3, [](year_month_day) { return true; });
    EXPECT_EQ(all.size(), 15u);
    EXPECT_EQ(all.front(), 1);
    EXPECT_EQ(all.back(), 15);
}

TEST(Calendar, ExtraDaysFromDniGS) {
    test::Fixture fx;
    std::string year = fx.yearDir(2026);
    ExtraDays extra;
    TDane data;
    extra.ExtraDaysOff.push_back(2026y / May / 2d);
    extra.Load(year, data.QDniGS.sql());  // no Dni_GS.dbf: both lists empty
    EXPECT_TRUE(extra.ExtraDaysOff.empty());
    EXPECT_TRUE(extra.ExtraWorkDays.empty());
    fx.table("Dni_GS", year,
             {{{"DZIEN", xb::Date{2026, 11, 10}}, {"RODZAJ", std::string("SW")}},
              {{"DZIEN", xb::Date{2026, 5, 2}}, {"RODZAJ", std::string("DW")}},
              {{"DZIEN", xb::Date{2026, 3, 14}}, {"RODZAJ", std::string("SR")}}});
    extra.Load(year, data.QDniGS.sql());
    EXPECT_EQ(extra.ExtraDaysOff, (std::vector<year_month_day>{2026y / May / 2d, 2026y / November / 10d}));
    EXPECT_EQ(extra.ExtraWorkDays, (std::vector<year_month_day>{2026y / March / 14d}));
    EXPECT_TRUE(extra.IsExtraDayOff(2026y / November / 10d));
    EXPECT_FALSE(extra.IsExtraDayOff(2026y / March / 14d));
    EXPECT_TRUE(extra.IsExtraWorkDay(2026y / March / 14d));
    EXPECT_FALSE(extra.IsExtraWorkDay(2026y / May / 2d));
}
