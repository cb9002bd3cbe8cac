#pragma once
// A table handle as windows use it: a current record, browse/edit/insert states,
// navigation that skips deleted and filtered-out records, locate by field values.
// Edit() locks the current record (5035 when another handle holds it) and re-reads
// it; Post() writes and unlocks; Cancel() unlocks and drops the changes.
#include "Table.h"

#include <functional>
#include <optional>
#include <utility>

namespace xb {

enum class DatasetState { Inactive, Browse, Edit, Insert };

struct LocateOptions {
    bool caseInsensitive = false;
    bool partialKey = false;  // text fields match when they begin with the value
};

class Dataset {
public:
    Dataset() = default;
    explicit Dataset(std::string path, OpenOptions options = {});
    ~Dataset();

    void setPath(std::string path);  // only while closed
    const std::string& path() const { return path_; }
    OpenOptions& options() { return options_; }

    void open();
    void close();
    bool active() const { return table_ != nullptr; }
    DatasetState state() const { return state_; }
    Table& table();

    // Deleted records are hidden unless shown; the filter hides records it rejects.
    void setShowDeleted(bool show) { showDeleted_ = show; }
    void setFilter(std::function<bool(const Record&)> filter) { filter_ = std::move(filter); }
    void clearFilter() { filter_ = nullptr; }

    bool first();
    bool last();
    bool next();
    bool prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    uint32_t recno() const { return recno_; }
    // Moves to record `recno` if it is visible.
    bool go(uint32_t recno);
    bool empty();
    // Number of visible records (a scan).
    uint32_t count();

    const Record& current() const;
    Value value(std::string_view field) const { return current().value(field); }
    std::string text(std::string_view field) const { return current().text(field); }
    double number(std::string_view field) const { return current().number(field); }
    void set(std::string_view field, const Value& v);

    void edit();
    void append();  // starts an insert with a blank record
    void post();
    void cancel();
    // Deletes the current record (locking it for the moment) and moves to the next visible one.
    void remove();
    // Re-reads the current record from the file.
    void refresh();

    // Finds the first visible record whose fields equal the values; true and current when found.
    bool locate(const std::vector<std::pair<std::string, Value>>& keys, const LocateOptions& options = {});

private:
    bool visible(const Record& r) const;
    bool moveFrom(uint32_t start, int step);
    void requireActive() const;
    void requireBrowse(const char* what) const;

    std::string path_;
    OpenOptions options_;
    std::unique_ptr<Table> table_;
    DatasetState state_ = DatasetState::Inactive;
    std::optional<Record> record_;
    uint32_t recno_ = 0;
    bool eof_ = true, bof_ = true;
    bool showDeleted_ = false;
    std::function<bool(const Record&)> filter_;
};

// Whether a record's value matches a wanted value under locate's rules
// (text compared without trailing blanks, optionally case-insensitive or as a prefix).
bool valueMatches(const Value& have, const Value& want, const LocateOptions& options);

} // namespace xb
