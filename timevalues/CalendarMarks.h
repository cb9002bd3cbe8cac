#pragma once
// The day sets of the month calendar TKalendarZHarm and how the clerk marks days:
// a press toggles a markable day within MinDate .. MaxDate, dragging extends the
// press to every markable day between, marking or unmarking as the press did.
// Every set holds whole days, ascending, without duplicates.
#include <QDate>

#include <array>
#include <set>

namespace tv {

class CalendarMarks {
public:
    enum class Set { Marked, Markable, Saved, DayShift, NightShift };

    CalendarMarks(QDate minDate, QDate maxDate) : min_(minDate), max_(maxDate) {}

    void clearAll();
    void add(Set set, QDate day) { sets_[index(set)].insert(day); }
    void remove(Set set, QDate day) { sets_[index(set)].erase(day); }
    bool contains(Set set, QDate day) const { return sets_[index(set)].count(day) != 0; }
    // Removes a day from the marked and the markable set together.
    void removeMarkable(QDate day);
    int markedCount() const { return static_cast<int>(sets_[index(Set::Marked)].size()); }
    // The i-th marked day, ascending; an invalid date when out of range.
    QDate marked(int i) const;

    QDate minDate() const { return min_; }
    QDate maxDate() const { return max_; }
    // Either bound clears every set: the marks belonged to the old range.
    void setMinDate(QDate d);
    void setMaxDate(QDate d);
    bool inRange(QDate day) const { return day >= min_ && day <= max_; }
    bool toggleable(QDate day) const { return inRange(day) && contains(Set::Markable, day); }
    // Toggles a toggleable day (the Space key); false when refused.
    bool toggle(QDate day);

    // Mouse: a press toggles the day; moving with the button held applies the press's
    // direction to every toggleable day from the press day to `day`.
    void press(QDate day);
    void dragTo(QDate day);
    void release() { pressDay_ = QDate(); }
    bool dragging() const { return pressDay_.isValid(); }

private:
    static size_t index(Set s) { return static_cast<size_t>(s); }

    QDate min_, max_;
    std::array<std::set<QDate>, 5> sets_;
    QDate pressDay_;
    bool pressStartedMarked_ = false;
};

} // namespace tv
