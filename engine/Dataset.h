#pragma once
// A table handle as windows use it: a current record, browse/edit/insert states,
// navigation that skips deleted and filtered-out records, locate by field values.
// Edit() locks the current record (5035 when another handle holds it) and re-reads
// it; Post() writes and unlocks; Cancel() unlocks and drops the changes.
//
// With an active order (a tag of the structural index or an open .ntx) navigation
// follows the keys, duplicates in record order, within the range when one is set.
// Keys read ahead are reused only while the index file's change counter stays the same.
#include "Table.h"

#include <deque>
#include <functional>
#include <optional>
#include <utility>

namespace xb {

struct IndexedOrder;
struct IndexEntry;

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
    // When an order's expression is the first field, the search goes through that order.
    bool locate(const std::vector<std::pair<std::string, Value>>& keys, const LocateOptions& options = {});

    // The order navigation follows: a tag name or an open .ntx's base name; "" for record order.
    void setActiveTag(const std::string& name);
    const std::string& activeTag() const { return activeTag_; }
    // Seek in the active order. A text value shorter than the key matches keys beginning with it.
    // seek: true and positioned on the first visible record with that key; false and unmoved when none.
    bool seek(const Value& key);
    // Soft seek: the first visible record whose key is at or after the value; false (and eof) when none.
    bool seekNearest(const Value& key);
    // Limits the active order to keys from `low` to `high` (both included; text as prefixes).
    void setRange(const Value& low, const Value& high);
    void clearRange();

private:
    bool visible(const Record& r) const;
    bool moveFrom(uint32_t start, int step);
    IndexedOrder& order() const;
    std::string keyOfCurrent() const;
    bool inRange(const std::string& key) const;
    // Moves along the active order from the bound; false at its end.
    bool moveInOrder(const std::string& key, uint32_t recno, bool inclusive, int step);
    bool nextEntry(const std::string& key, uint32_t recno, bool inclusive, int step, IndexEntry& out);
    void settle(uint32_t recno, Record record, const std::string& key);
    bool locateByOrder(IndexedOrder& order, const std::vector<std::pair<int, Value>>& wanted, const LocateOptions& options,
                       bool& found);
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
    std::string activeTag_;
    std::string key_;  // the current record's key in the active order
    bool ranged_ = false;
    std::string low_, high_;
    std::deque<std::pair<std::string, uint32_t>> ahead_;  // entries read ahead, with:
    int aheadStep_ = 0;
    uint32_t aheadCounter_ = 0;
    std::string aheadKey_;  // the entry given last: read-ahead continues only from it
    uint32_t aheadRecno_ = 0;
};

// Whether a record's value matches a wanted value under locate's rules
// (text compared without trailing blanks, optionally case-insensitive or as a prefix).
bool valueMatches(const Value& have, const Value& want, const LocateOptions& options);

} // namespace xb
