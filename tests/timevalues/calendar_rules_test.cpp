// The month calendar's sets, marking, drawing decisions and grid; the date pickers' decisions.
#include "CalendarLook.h"
#include "DatePickerRules.h"
#include "DisplayTexts.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tv;
using Set = CalendarMarks::Set;

namespace {

QDate dec(int day) { return QDate(2026, 12, day); }

// December 2026, markable range 1st .. 20th, every working day markable except the 6th.
CalendarMarks december() {
    CalendarMarks m(dec(1), dec(20));
    for (int d = 1; d <= 31; ++d)
        if (d != 6) m.add(Set::Markable, dec(d));
    return m;
}

std::vector<int> markedDays(const CalendarMarks& m) {
    std::vector<int> days;
    for (int i = 0; i < m.markedCount(); ++i) days.push_back(m.marked(i).day());
    return days;
}

} // namespace

TEST(CalendarMarks, DragFromUnmarkedDayMarksTheMarkableDaysBetween) {
    CalendarMarks m = december();
    m.add(Set::Marked, dec(15));
    m.press(dec(3));
    m.dragTo(dec(5));
    m.dragTo(dec(9));
    m.release();
    EXPECT_EQ(markedDays(m), (std::vector<int>{3, 4, 5, 7, 8, 9, 15}));

    // Dragging backwards from a marked day unmarks.
    m.press(dec(8));
    m.dragTo(dec(4));
    m.release();
    EXPECT_EQ(markedDays(m), (std::vector<int>{3, 9, 15}));
}

TEST(CalendarMarks, DragStopsAtTheRange) {
    CalendarMarks m = december();
    m.press(dec(18));
    m.dragTo(dec(25));
    EXPECT_EQ(markedDays(m), (std::vector<int>{18, 19, 20}));
}

TEST(CalendarMarks, OnlyMarkableDaysInRangeToggle) {
    CalendarMarks m = december();
    struct Case { int day; bool toggles; };
    for (const Case& c : std::vector<Case>{{1, true}, {20, true}, {21, false}, {6, false}}) {
        EXPECT_EQ(m.toggle(dec(c.day)), c.toggles) << c.day;
        EXPECT_EQ(m.contains(Set::Marked, dec(c.day)), c.toggles) << c.day;
    }
    m.press(dec(25));
    EXPECT_FALSE(m.contains(Set::Marked, dec(25)));
    EXPECT_TRUE(m.toggle(dec(1)));
    EXPECT_FALSE(m.contains(Set::Marked, dec(1)));
}

TEST(CalendarMarks, NewBoundsClearEverySet) {
    for (bool minimum : {true, false}) {
        CalendarMarks m = december();
        m.add(Set::Marked, dec(3));
        m.add(Set::Saved, dec(3));
        m.add(Set::NightShift, dec(4));
        if (minimum) m.setMinDate(dec(2)); else m.setMaxDate(dec(25));
        EXPECT_EQ(m.markedCount(), 0);
        for (Set s : {Set::Markable, Set::Saved, Set::NightShift}) EXPECT_FALSE(m.contains(s, dec(3)) || m.contains(s, dec(4)));
    }
}

TEST(CalendarMarks, SetsStaySortedWithoutDuplicates) {
    CalendarMarks m(dec(1), dec(31));
    for (int d : {9, 2, 9, 5}) m.add(Set::Marked, dec(d));
    EXPECT_EQ(markedDays(m), (std::vector<int>{2, 5, 9}));
    EXPECT_FALSE(m.marked(3).isValid());
    m.add(Set::Markable, dec(5));
    m.removeMarkable(dec(5));
    EXPECT_FALSE(m.contains(Set::Marked, dec(5)) || m.contains(Set::Markable, dec(5)));
}

TEST(CalendarLook, DayCells) {
    CalendarMarks m = december();
    m.add(Set::DayShift, dec(2));
    m.add(Set::NightShift, dec(3));
    m.add(Set::Marked, dec(3));
    m.add(Set::Saved, dec(4));
    CalendarOptions o;
    o.rodzajeDni = "RRRRRWS";

    DayCellLook l = dayCellLook(m, dec(2), o);
    EXPECT_EQ(l.background, QColor(Qt::yellow));
    EXPECT_EQ(l.edge, DayCellLook::Edge::Raised);
    EXPECT_TRUE(l.bold);
    l = dayCellLook(m, dec(3), o);
    EXPECT_EQ(l.background, QColor(0x00, 0xDF, 0xDF));  // aqua, marked
    EXPECT_EQ(l.edge, DayCellLook::Edge::Sunken);
    EXPECT_EQ(dayCellLook(m, dec(6), o).text, QColor(0, 128, 0));
    EXPECT_EQ(dayCellLook(m, dec(6), o).edge, DayCellLook::Edge::None);
    EXPECT_EQ(dayCellLook(m, dec(7), o).text, QColor(Qt::red));
    EXPECT_EQ(dayCellLook(m, dec(9), o).text, QColor(Qt::black));  // beyond RodzajeDni
    EXPECT_EQ(dayCellLook(m, dec(4), o).text, QColor(Qt::black));  // saved, but not shown
    EXPECT_FALSE(dayCellLook(m, dec(21), o).bold);

    o.zapisaneWidoczne = true;
    o.czyUsuwanie = true;
    EXPECT_EQ(dayCellLook(m, dec(4), o).text, QColor(Qt::blue));
    EXPECT_EQ(dayCellLook(m, dec(3), o).background, QColor(Qt::magenta));
    // Yellow has no blue to lose: it darkens without wrapping into another colour.
    EXPECT_EQ(markedBackground(Qt::yellow), QColor(0xFF, 0xDF, 0x00));
    EXPECT_EQ(markedBackground(Qt::white), QColor(0xFF, 0xDF, 0xDF));
}

TEST(MonthGrid, WeeksStartOnMonday) {
    const MonthGrid g(2026, 12, Qt::Monday);  // 1 December 2026 is a Tuesday
    EXPECT_FALSE(g.dayAt(0, 0).isValid());
    EXPECT_EQ(g.dayAt(0, 1), dec(1));
    EXPECT_EQ(g.dayAt(4, 3), dec(31));
    EXPECT_FALSE(g.dayAt(4, 4).isValid());
    int row = -1, column = -1;
    ASSERT_TRUE(g.cellOf(dec(13), row, column));
    EXPECT_EQ(row, 1);
    EXPECT_EQ(column, 6);
    EXPECT_FALSE(g.cellOf(QDate(2027, 1, 1), row, column));
    EXPECT_EQ(g.dayOfColumn(6), Qt::Sunday);
    EXPECT_EQ(MonthGrid(2026, 12, Qt::Sunday).dayAt(0, 2), dec(1));
}

TEST(DatePickerRules, EmptyValuesKeysAndLeaving) {
    const QDateTime pusta(QDate(1899, 12, 30), QTime(0, 0));
    EXPECT_TRUE(DatePickerRules::isEmpty(QDateTime(QDate(1899, 12, 30), QTime(13, 0)), pusta, true, false));
    EXPECT_FALSE(DatePickerRules::isEmpty(pusta, pusta, false, false));  // no text for it: a date
    EXPECT_TRUE(DatePickerRules::isEmpty(QDateTime(QDate(2026, 1, 1), QTime(0, 0, 0, 900)), pusta, true, true));
    EXPECT_FALSE(DatePickerRules::isEmpty(QDateTime(QDate(1899, 12, 30), QTime(0, 0, 1)), pusta, true, true));
    EXPECT_EQ(DatePickerRules::fieldValue(pusta, pusta), std::nullopt);
    EXPECT_EQ(DatePickerRules::fieldValue(QDateTime(dec(11), QTime(9, 30)), pusta), dec(11));

    PickerState s;
    s.readOnly = true;
    EXPECT_TRUE(DatePickerRules::keyAllowed(Qt::Key_Left, s));
    EXPECT_FALSE(DatePickerRules::keyAllowed(Qt::Key_1, s));
    s.readOnly = false;
    EXPECT_FALSE(DatePickerRules::keyAllowed(Qt::Key_Up, s));  // nothing to edit
    s.canModify = true;
    EXPECT_TRUE(DatePickerRules::keyAllowed(Qt::Key_Up, s));
    EXPECT_TRUE(DatePickerRules::clearAllowed(s));
    EXPECT_FALSE(DatePickerRules::clearEnabled(s));
    s.editing = true;
    EXPECT_TRUE(DatePickerRules::clearEnabled(s));
    s.koniecznaData = true;
    EXPECT_FALSE(DatePickerRules::clearAllowed(s));
    EXPECT_TRUE(DatePickerRules::leaveRefused(s, true));
    EXPECT_FALSE(DatePickerRules::leaveRefused(s, false));
    s.readOnly = true;
    EXPECT_FALSE(DatePickerRules::leaveRefused(s, true));
}

TEST(DisplayTexts, ResultAndFieldPair) {
    DisplayTexts t = resultTexts(90, true);
    EXPECT_EQ(t.hours, "1");
    EXPECT_EQ(t.minutes, "30");
    EXPECT_FALSE(resultTexts(120, true).minutesShown);
    EXPECT_FALSE(resultTexts(90, false).minutesShown);
    t = resultTexts(-90, true);
    EXPECT_EQ(t.hours + ":" + t.minutes, "-1:-30");

    t = fieldPairTexts(8, 0);
    EXPECT_EQ(t.hours, "8");
    EXPECT_TRUE(t.hoursShown && !t.minutesShown && t.anyShown());
    t = fieldPairTexts(std::nullopt, 0);
    EXPECT_FALSE(t.anyShown());
    EXPECT_EQ(fieldPairTexts(0, -30).minutes, "-30");
}
