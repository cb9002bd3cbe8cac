#pragma once
// What a data-aware duration control needs of its record: the hours and minutes
// fields (null when blank), whether the record is being edited or inserted, and a
// way to store a value. The windows hand a control one of these; DatasetFieldPair
// adapts an engine dataset.
#include <optional>
#include <string>

namespace tv {

// The fields a split line empties when it is cleared to zero.
struct SplitLineFields {
    std::string costCentre;  // text field, emptied
    std::string department;  // text field, emptied
    std::string order;       // PoleZlecenia: numeric field, set to 0
};

class FieldPairBinding {
public:
    virtual ~FieldPairBinding() = default;
    virtual std::optional<int> hours() const = 0;
    virtual std::optional<int> minutes() const = 0;
    // The record is in edit or insert state; only then may anything be written.
    virtual bool editing() const = 0;
    // Stores a value in canonical parts, the minutes field first.
    virtual void write(int hours, int minutes) = 0;
    virtual void clearLine(const SplitLineFields& fields) = 0;
};

} // namespace tv
