#pragma once
// How the month calendar draws one day cell and where the days lie in its grid.
#include "CalendarMarks.h"

#include <QColor>
#include <QString>

namespace tv {

struct CalendarColors {
    QColor dzienne = Qt::yellow;      // ColorDziennych
    QColor nocne = Qt::cyan;          // ColorNocnych (aqua)
    QColor zapisane = Qt::blue;       // ColorZapisanych
    QColor usuwane = Qt::magenta;     // ColorUsuwanych (fuchsia)
};

struct DayCellLook {
    enum class Edge { None, Raised, Sunken };
    QColor text;
    QColor background;
    bool bold = false;
    Edge edge = Edge::None;
};

struct CalendarOptions {
    CalendarColors colors;
    QString rodzajeDni;            // character n: day n is "S" Sunday/holiday, "W" day off, else working
    bool zapisaneWidoczne = false;
    bool czyUsuwanie = false;      // deletion mode: marked days in ColorUsuwanych
};

DayCellLook dayCellLook(const CalendarMarks& marks, QDate day, const CalendarOptions& options);
// A marked day's background: the colour less 0x202000 as a BGR value, that is green
// and blue each 0x20 darker, stopping at 0 instead of borrowing from the next channel.
QColor markedBackground(const QColor& c);

// The month grid: six weeks of seven days from `startOfWeek`.
class MonthGrid {
public:
    static constexpr int Rows = 6;
    MonthGrid(int year, int month, Qt::DayOfWeek startOfWeek);
    // The day in a cell, invalid for cells outside the month.
    QDate dayAt(int row, int column) const;
    // Row and column of a day of the month; false outside it.
    bool cellOf(QDate day, int& row, int& column) const;
    Qt::DayOfWeek dayOfColumn(int column) const;
    QDate first() const { return first_; }

private:
    QDate first_;
    Qt::DayOfWeek start_;
    int offset_;  // columns before the 1st
};

} // namespace tv
