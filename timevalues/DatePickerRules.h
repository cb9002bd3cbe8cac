#pragma once
// The decisions of the date pickers: when a value counts as no date, what the
// data-aware picker writes, which keys it refuses and whether it may be left.
#include <QDateTime>

#include <optional>

namespace tv {

inline constexpr const char* DateWarningTitle = " Uwaga !";
inline constexpr const char* RequiredDateMessage = "Należy określić datę !";

struct PickerState {
    bool readOnly = false;
    bool editing = false;    // the record is in edit or insert state
    bool canModify = false;  // the record could be edited
    bool koniecznaData = false;
};

class DatePickerRules {
public:
    // The value stands for no date: only when there is a text to show for it, and the
    // value equals PustaData by day (a time picker: by time of day within a second).
    static bool isEmpty(const QDateTime& value, const QDateTime& pustaData, bool hasEmptyText, bool timePicker);
    // What to write into the field: null for PustaData, otherwise the day.
    static std::optional<QDate> fieldValue(const QDateTime& value, const QDateTime& pustaData);
    // Keys while read-only, or while not editing a record that cannot be edited:
    // only Left and Right pass.
    static bool keyAllowed(int key, const PickerState& s);
    // The clear button works only while editing is possible and no date is required.
    static bool clearAllowed(const PickerState& s);
    static bool clearEnabled(const PickerState& s) { return !s.readOnly && s.editing; }
    // Leaving with no date where one is required is refused.
    static bool leaveRefused(const PickerState& s, bool empty) { return s.koniecznaData && !s.readOnly && empty; }
};

} // namespace tv
