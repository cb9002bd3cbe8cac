#include "CalendarLook.h"

#include <algorithm>

namespace tv {

QColor markedBackground(const QColor& c) {
    return QColor(c.red(), std::max(c.green() - 0x20, 0), std::max(c.blue() - 0x20, 0));
}

DayCellLook dayCellLook(const CalendarMarks& marks, QDate day, const CalendarOptions& o) {
    using Set = CalendarMarks::Set;
    DayCellLook look;
    const int n = day.day();
    const QChar kind = n <= o.rodzajeDni.size() ? o.rodzajeDni.at(n - 1).toUpper() : QChar();
    look.text = kind == u'S' ? QColor(Qt::red) : kind == u'W' ? QColor(0, 128, 0) : QColor(Qt::black);
    if (o.zapisaneWidoczne && marks.contains(Set::Saved, day)) look.text = o.colors.zapisane;
    look.bold = marks.inRange(day);

    look.background = Qt::white;
    if (marks.contains(Set::DayShift, day)) look.background = o.colors.dzienne;
    if (marks.contains(Set::NightShift, day)) look.background = o.colors.nocne;
    const bool marked = marks.contains(Set::Marked, day);
    if (marked) look.background = o.czyUsuwanie ? o.colors.usuwane : markedBackground(look.background);

    if (marks.contains(Set::Markable, day))
        look.edge = marked ? DayCellLook::Edge::Sunken : DayCellLook::Edge::Raised;
    return look;
}

MonthGrid::MonthGrid(int year, int month, Qt::DayOfWeek startOfWeek)
    : first_(year, month, 1), start_(startOfWeek),
      offset_((first_.dayOfWeek() - static_cast<int>(startOfWeek) + 7) % 7) {}

QDate MonthGrid::dayAt(int row, int column) const {
    if (row < 0 || row >= Rows || column < 0 || column > 6) return {};
    const int n = row * 7 + column - offset_ + 1;
    if (n < 1 || n > first_.daysInMonth()) return {};
    return first_.addDays(n - 1);
}

bool MonthGrid::cellOf(QDate day, int& row, int& column) const {
    if (day.year() != first_.year() || day.month() != first_.month()) return false;
    const int cell = offset_ + day.day() - 1;
    row = cell / 7;
    column = cell % 7;
    return true;
}

Qt::DayOfWeek MonthGrid::dayOfColumn(int column) const {
    return static_cast<Qt::DayOfWeek>((static_cast<int>(start_) - 1 + column) % 7 + 1);
}

} // namespace tv
