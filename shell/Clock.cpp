#include "Clock.h"

#include <QDateTime>

namespace ewidor {

std::chrono::year_month_day FromQDate(const QDate& d) {
    return std::chrono::year{d.year()} / std::chrono::month{static_cast<unsigned>(d.month())} /
           std::chrono::day{static_cast<unsigned>(d.day())};
}

QDate ToQDate(std::chrono::year_month_day d) {
    return QDate(static_cast<int>(d.year()), static_cast<int>(unsigned(d.month())),
                 static_cast<int>(unsigned(d.day())));
}

std::chrono::year_month_day Today() {
    return FromQDate(QDate::currentDate());
}

EventTime Now() {
    QDateTime now = QDateTime::currentDateTime();
    return {FromQDate(now.date()), now.time().hour(), now.time().minute()};
}

} // namespace ewidor
