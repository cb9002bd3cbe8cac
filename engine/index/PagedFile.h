#pragma once
// Pages of an index file read and written under the file's index lock.
//
// Contract: every page access happens inside a lock scope (lockShared or
// lockExclusive; scopes nest, an exclusive scope may contain shared ones).
// Pages written in an exclusive scope are collected and written to the file when
// it ends; then the file's change counter is bumped.
//
// Pages stay cached from one scope to the next. Every writer bumps the change
// counter, so the start of each outermost scope reads the counter and the file
// size under the lock and keeps the cached pages only when both are what this
// handle left at the end of its last scope; otherwise another process has changed
// the file and the cache is dropped. A scope that fails or is discarded drops it too.
#include "../File.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace xb {

// Where a format keeps the counter every committed change bumps.
struct ChangeCounterField {
    uint64_t offset = 0;
    uint32_t width = 4;  // 2 or 4 bytes
    bool bigEndian = false;
};

class PagedFile {
public:
    PagedFile(std::unique_ptr<File> file, uint32_t pageSize, uint64_t lockOffset, bool readOnly, ChangeCounterField counter);

    File& file() { return *file_; }
    const std::string& path() const { return file_->path(); }
    uint32_t pageSize() const { return pageSize_; }
    bool readOnly() const { return readOnly_; }

    void lockShared();
    void lockExclusive();
    void unlock();
    bool locked() const { return depth_ > 0; }
    bool exclusive() const { return exclusive_; }
    // The change counter: as read at the start of the current scope, or from the file outside one.
    uint32_t changeCounter();
    // The file end as seen in the current scope (grown by allocate).
    uint64_t end() const { return end_; }

    // The page at `offset` (a multiple of the page size); throws Corrupt when it lies past the end.
    const std::vector<uint8_t>& page(uint64_t offset);
    void write(uint64_t offset, std::vector<uint8_t> bytes);
    // A fresh page offset at the end of the file (or from the caller's free list).
    uint64_t allocate(uint32_t pages = 1);
    // Empties the file for a complete rewrite (exclusive scope only).
    void restart();
    // Drops what the scope read and wrote without writing (after an error).
    void discard();
    [[noreturn]] void corrupt(const std::string& what) const;
    // Pages kept between scopes (for tests and figures).
    size_t cachedPages() const { return pages_.size(); }

private:
    void acquire(LockKind kind);
    void begin(LockKind kind);
    void release();
    void commit();
    uint32_t readCounter();
    void writeCounter(uint32_t value);

    std::unique_ptr<File> file_;
    uint32_t pageSize_;
    uint64_t lockOffset_;
    bool readOnly_;
    ChangeCounterField counterField_;
    int depth_ = 0;
    bool exclusive_ = false;
    uint64_t end_ = 0;       // file end as seen in this scope, grown by allocate
    uint64_t size_ = 0;      // real file size in this scope, grown by the writes of the commit
    uint32_t counter_ = 0;   // change counter at the start of this scope
    bool changed_ = false;   // the scope emptied the file
    bool keep_ = false;      // false once the scope was discarded
    std::map<uint64_t, std::vector<uint8_t>> pages_;
    std::set<uint64_t> dirty_;
    // What this handle left behind at the end of its last scope; the cache holds only if unchanged.
    bool cacheValid_ = false;
    uint32_t seenCounter_ = 0;
    uint64_t seenSize_ = 0;
    std::chrono::steady_clock::time_point seenAt_;
};

// Holds a lock scope of a PagedFile for a block of code.
class PageLock {
public:
    PageLock(PagedFile& file, bool exclusive) : file_(file) {
        exclusive ? file_.lockExclusive() : file_.lockShared();
    }
    ~PageLock() {
        if (std::uncaught_exceptions() > entered_) file_.discard();
        file_.unlock();
    }
    PageLock(const PageLock&) = delete;
    PageLock& operator=(const PageLock&) = delete;

private:
    PagedFile& file_;
    int entered_ = std::uncaught_exceptions();
};

} // namespace xb
