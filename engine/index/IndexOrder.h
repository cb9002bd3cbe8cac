#pragma once
// One index order: a tag of a compound (.cdx) file or a single-order (.ntx) file.
// Entries are (key bytes, record number) pairs kept in ascending order of the key
// bytes, duplicates in record-number order.
//
// Contract: every call takes the index file's lock itself (shared to read,
// exclusive to change); a caller that needs several calls to see one state holds
// a lock scope around them (lock()/unlock() via OrderLock).
#include "KeyCodec.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace xb {

struct IndexEntry {
    std::string key;
    uint32_t recno = 0;
    bool operator==(const IndexEntry&) const = default;
};

// Compares entries by key bytes, then record number.
int compareEntries(const IndexEntry& a, const IndexEntry& b);

// A position in an order: entries are compared with the first prefix.size() bytes of
// their key; recno 0 matches any record number of an equal key.
struct Bound {
    std::string prefix;
    uint32_t recno = 0;
    bool inclusive = true;
};

// <0, 0, >0 as the entry lies before, at or after the bound.
int compareToBound(const IndexEntry& e, const Bound& b);

struct OrderInfo {
    std::string name;        // tag name, or the file's base name for an NTX
    std::string expression;
    std::string condition;   // FOR expression, empty when none
    int keyLength = 0;
    bool unique = false;
    bool descending = false;
    ExprType type = ExprType::Character;  // as far as the file tells; refined by the expression
};

class IndexOrder {
public:
    virtual ~IndexOrder() = default;
    virtual IndexFormat format() const = 0;
    virtual OrderInfo info() = 0;

    virtual void insert(const IndexEntry& e) = 0;
    // Inserts entries given in order (many appended records at once).
    virtual void insertSorted(const std::vector<IndexEntry>& sorted) {
        for (const auto& e : sorted) insert(e);
    }
    // Removes the entry; false when it is not in the order.
    virtual bool remove(const IndexEntry& e) = 0;
    // Up to `max` entries at or after the bound (after it when not inclusive), ascending.
    virtual std::vector<IndexEntry> forward(const Bound& from, size_t max) = 0;
    // Up to `max` entries before the bound (at or before when inclusive), descending.
    virtual std::vector<IndexEntry> backward(const Bound& from, size_t max) = 0;
    // Every entry in order; stops when visit returns false.
    virtual void forEach(const std::function<bool(const IndexEntry&)>& visit) = 0;
    // Pages read by this order since it was opened (for measurements).
    virtual uint64_t pagesRead() const = 0;

    virtual void lock(bool exclusive) = 0;
    virtual void unlock() = 0;
    // A number that changes whenever the file changes (read under the caller's lock).
    virtual uint32_t changeCounter() = 0;
};

class OrderLock {
public:
    OrderLock(IndexOrder& order, bool exclusive) : order_(order) { order_.lock(exclusive); }
    ~OrderLock() { order_.unlock(); }
    OrderLock(const OrderLock&) = delete;
    OrderLock& operator=(const OrderLock&) = delete;

private:
    IndexOrder& order_;
};

} // namespace xb
