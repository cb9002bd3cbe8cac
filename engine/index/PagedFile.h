#pragma once
// Pages of an index file read and written under the file's index lock.
//
// Contract: every page access happens inside a lock scope (lockShared or
// lockExclusive; scopes nest, an exclusive scope may contain shared ones).
// Pages read in a scope are kept until the outermost scope ends and are never
// reused afterwards, because another process may change the file as soon as the
// lock is released. Pages written in an exclusive scope are collected and written
// to the file when it ends; then the change counter is bumped.
#include "../File.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace xb {

class PagedFile {
public:
    PagedFile(std::unique_ptr<File> file, uint32_t pageSize, uint64_t lockOffset, bool readOnly);

    File& file() { return *file_; }
    const std::string& path() const { return file_->path(); }
    uint32_t pageSize() const { return pageSize_; }
    bool readOnly() const { return readOnly_; }

    void lockShared();
    void lockExclusive();
    void unlock();
    bool locked() const { return depth_ > 0; }
    bool exclusive() const { return exclusive_; }
    // Called once at the end of an exclusive scope that wrote pages (to bump a change counter).
    void setOnCommit(std::function<void()> hook) { onCommit_ = std::move(hook); }

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

private:
    void acquire(LockKind kind);
    void commit();

    std::unique_ptr<File> file_;
    uint32_t pageSize_;
    uint64_t lockOffset_;
    bool readOnly_;
    int depth_ = 0;
    bool exclusive_ = false;
    uint64_t end_ = 0;  // file end as seen in this scope, grown by allocate
    std::map<uint64_t, std::vector<uint8_t>> pages_;
    std::map<uint64_t, bool> dirty_;
    std::function<void()> onCommit_;
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
