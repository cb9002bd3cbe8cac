#include "Clock.h"

#include <QDateTime>

namespace ewidor {

namespace {
std::chrono::year_month_day fromQDate(const QDate& d) {
    return std::chrono::year{d.year()} / std::chrono::month{static_cast<unsigned>(d.month())} /
           std::chrono::day{static_cast<unsigned>(d.day())};
}
} // namespace

std::chrono::year_month_day Today() { return fromQDate(QDate::currentDate()); }

EventTime Now() {
    QDateTime now = QDateTime::currentDateTime();
    return {fromQDate(now.date()), now.time().hour(), now.time().minute()};
}

} // namespace ewidor
