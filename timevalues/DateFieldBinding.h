#pragma once
// What the data-aware date picker needs of its record's date field. A null field
// reads as no date. DatasetDateField adapts an engine dataset.
#include <QDate>

#include <optional>

namespace tv {

class DateFieldBinding {
public:
    virtual ~DateFieldBinding() = default;
    virtual std::optional<QDate> read() const = 0;
    // The record is in edit or insert state.
    virtual bool editing() const = 0;
    // The record could be put into edit state (an open, writable handle with a record).
    virtual bool canModify() const = 0;
    // Puts the record into edit state; may throw (a record locked elsewhere).
    virtual void edit() = 0;
    // Writes the date, or null for none; only while editing.
    virtual void write(std::optional<QDate> date) = 0;
};

} // namespace tv
