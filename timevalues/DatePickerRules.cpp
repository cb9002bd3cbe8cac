#include "DatePickerRules.h"

#include <cstdlib>

namespace tv {

bool DatePickerRules::isEmpty(const QDateTime& value, const QDateTime& pustaData, bool hasEmptyText,
                              bool timePicker) {
    if (!hasEmptyText) return false;
    if (!timePicker) return value.date() == pustaData.date();
    return std::abs(value.time().msecsTo(pustaData.time())) < 1000;
}

std::optional<QDate> DatePickerRules::fieldValue(const QDateTime& value, const QDateTime& pustaData) {
    if (value.date() == pustaData.date()) return std::nullopt;
    return value.date();
}

bool DatePickerRules::keyAllowed(int key, const PickerState& s) {
    const bool locked = s.readOnly || (!s.editing && !s.canModify);
    return !locked || key == Qt::Key_Left || key == Qt::Key_Right;
}

bool DatePickerRules::clearAllowed(const PickerState& s) {
    return !s.readOnly && (s.editing || s.canModify) && !s.koniecznaData;
}

} // namespace tv
