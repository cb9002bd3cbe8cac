#include "CalendarMarks.h"

#include <algorithm>
#include <iterator>

namespace tv {

void CalendarMarks::clearAll() {
    for (auto& s : sets_) s.clear();
}

void CalendarMarks::removeMarkable(QDate day) {
    remove(Set::Marked, day);
    remove(Set::Markable, day);
}

QDate CalendarMarks::marked(int i) const {
    const auto& s = sets_[index(Set::Marked)];
    if (i < 0 || i >= static_cast<int>(s.size())) return {};
    return *std::next(s.begin(), i);
}

void CalendarMarks::setMinDate(QDate d) {
    min_ = d;
    clearAll();
}

void CalendarMarks::setMaxDate(QDate d) {
    max_ = d;
    clearAll();
}

bool CalendarMarks::toggle(QDate day) {
    if (!toggleable(day)) return false;
    if (contains(Set::Marked, day))
        remove(Set::Marked, day);
    else
        add(Set::Marked, day);
    return true;
}

void CalendarMarks::press(QDate day) {
    pressDay_ = day;
    pressStartedMarked_ = contains(Set::Marked, day);
    toggle(day);
}

void CalendarMarks::dragTo(QDate day) {
    if (!pressDay_.isValid() || !day.isValid()) return;
    const QDate from = std::min(pressDay_, day);
    const QDate to = std::max(pressDay_, day);
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        if (!toggleable(d)) continue;
        if (pressStartedMarked_)
            remove(Set::Marked, d);
        else
            add(Set::Marked, d);
    }
}

} // namespace tv
