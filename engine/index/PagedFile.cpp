#include "PagedFile.h"

#include "../Error.h"

#include <thread>

namespace xb {

namespace {
constexpr auto kLockWait = std::chrono::seconds(10);
// Beyond this the cache is dropped at the end of a scope: memory stays bounded.
constexpr size_t kMaxCachedPages = 4096;
// A 2-byte counter comes round again after 65536 changes; a cache older than this
// is not trusted on it alone.
constexpr auto kShortCounterAge = std::chrono::seconds(1);
}

PagedFile::PagedFile(std::unique_ptr<File> file, uint32_t pageSize, uint64_t lockOffset, bool readOnly,
                     ChangeCounterField counter)
    : file_(std::move(file)), pageSize_(pageSize), lockOffset_(lockOffset), readOnly_(readOnly), counterField_(counter) {}

void PagedFile::corrupt(const std::string& what) const {
    throw Error(ErrorCode::Corrupt, "Uszkodzony indeks (" + what + ")", file_->path());
}

void PagedFile::acquire(LockKind kind) {
    auto deadline = std::chrono::steady_clock::now() + kLockWait;
    auto pause = std::chrono::microseconds(20);
    while (!file_->tryLock(lockOffset_, 1, kind)) {
        if (std::chrono::steady_clock::now() > deadline)
            throw Error(ErrorCode::RecordLocked, "Indeks jest zablokowany przez innego użytkownika", file_->path());
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(2000));
    }
}

uint32_t PagedFile::readCounter() {
    uint8_t b[4] = {};
    file_->readAt(counterField_.offset, b, counterField_.width);
    uint32_t v = 0;
    for (uint32_t i = 0; i < counterField_.width; ++i) {
        uint32_t at = counterField_.bigEndian ? i : counterField_.width - 1 - i;
        v = (v << 8) | b[at];
    }
    return v;
}

void PagedFile::writeCounter(uint32_t value) {
    uint8_t b[4] = {};
    for (uint32_t i = 0; i < counterField_.width; ++i) {
        uint32_t shift = 8 * (counterField_.bigEndian ? counterField_.width - 1 - i : i);
        b[i] = static_cast<uint8_t>(value >> shift);
    }
    file_->writeAt(counterField_.offset, b, counterField_.width);
    size_ = std::max<uint64_t>(size_, counterField_.offset + counterField_.width);
    // The counter's page is written outside the cache: its cached copy must not put the old value back.
    uint64_t pageAt = counterField_.offset / pageSize_ * pageSize_;
    auto it = pages_.find(pageAt);
    if (it != pages_.end()) std::copy(b, b + counterField_.width, it->second.begin() + (counterField_.offset - pageAt));
}

uint32_t PagedFile::changeCounter() { return depth_ > 0 ? counter_ : readCounter(); }

void PagedFile::begin(LockKind kind) {
    acquire(kind);
    try {
        counter_ = readCounter();
        size_ = file_->size();
    } catch (...) {
        file_->unlock(lockOffset_, 1);
        throw;
    }
    bool fresh = cacheValid_ && counter_ == seenCounter_ && size_ == seenSize_ &&
                 (counterField_.width >= 4 || std::chrono::steady_clock::now() - seenAt_ < kShortCounterAge);
    if (!fresh) pages_.clear();
    cacheValid_ = false;  // until this scope ends cleanly
    end_ = size_;
    changed_ = false;
    keep_ = true;
    exclusive_ = kind == LockKind::Exclusive;
}

void PagedFile::release() {
    dirty_.clear();
    if (!keep_ || pages_.size() > kMaxCachedPages) pages_.clear();
    cacheValid_ = keep_;
    seenCounter_ = counter_;
    seenSize_ = size_;
    seenAt_ = std::chrono::steady_clock::now();
    exclusive_ = false;
    file_->unlock(lockOffset_, 1);
}

void PagedFile::lockShared() {
    if (depth_ == 0) begin(LockKind::Shared);
    ++depth_;
}

void PagedFile::lockExclusive() {
    if (readOnly_) throw Error(ErrorCode::ReadOnly, "Indeks otwarty tylko do odczytu", file_->path());
    if (depth_ > 0 && !exclusive_)
        throw Error(ErrorCode::WrongState, "Zmiana indeksu w trakcie odczytu", file_->path());
    if (depth_ == 0) begin(LockKind::Exclusive);
    ++depth_;
}

void PagedFile::unlock() {
    if (depth_ == 0) return;
    if (depth_ == 1) {
        try {
            if (exclusive_) commit();
        } catch (...) {
            discard();
            depth_ = 0;
            release();
            throw;
        }
        release();
    }
    --depth_;
}

void PagedFile::discard() {
    pages_.clear();
    dirty_.clear();
    keep_ = false;
}

void PagedFile::restart() {
    if (!exclusive_) throw Error(ErrorCode::WrongState, "Zapis indeksu bez blokady", file_->path());
    pages_.clear();
    dirty_.clear();
    file_->truncate(0);
    end_ = 0;
    size_ = 0;
    changed_ = true;
}

void PagedFile::commit() {
    if (dirty_.empty() && !changed_) return;
    // The counter goes first: should the pages fail to go out whole, other handles still
    // see that the file changed. Nobody else writes under our exclusive lock, so it is
    // still the value read at the start, whatever the rewritten pages hold, and it keeps
    // growing across a rewrite.
    writeCounter(counter_ + 1);
    counter_ = counterField_.width < 4 ? (counter_ + 1) & 0xFFFF : counter_ + 1;
    // Contiguous dirty pages go out in one write.
    auto it = dirty_.begin();
    while (it != dirty_.end()) {
        uint64_t start = *it;
        std::vector<uint8_t> run = pages_.at(start);
        auto next = std::next(it);
        while (next != dirty_.end() && *next == start + run.size()) {
            const auto& p = pages_.at(*next);
            run.insert(run.end(), p.begin(), p.end());
            ++next;
        }
        file_->writeAt(start, run.data(), run.size());
        size_ = std::max<uint64_t>(size_, start + run.size());
        it = next;
    }
    dirty_.clear();
}

const std::vector<uint8_t>& PagedFile::page(uint64_t offset) {
    if (depth_ == 0) throw Error(ErrorCode::WrongState, "Odczyt indeksu bez blokady", file_->path());
    auto it = pages_.find(offset);
    if (it != pages_.end()) return it->second;
    if (offset % pageSize_ != 0 || offset + pageSize_ > end_)
        corrupt("odwołanie do strony " + std::to_string(offset) + " poza plikiem");
    std::vector<uint8_t> bytes(pageSize_);
    if (file_->readAt(offset, bytes.data(), bytes.size()) != bytes.size()) corrupt("plik obcięty");
    return pages_.emplace(offset, std::move(bytes)).first->second;
}

void PagedFile::write(uint64_t offset, std::vector<uint8_t> bytes) {
    if (!exclusive_) throw Error(ErrorCode::WrongState, "Zapis indeksu bez blokady", file_->path());
    if (bytes.size() != pageSize_) throw Error(ErrorCode::BadValue, "Zły rozmiar strony indeksu", file_->path());
    pages_[offset] = std::move(bytes);
    dirty_.insert(offset);
    end_ = std::max(end_, offset + pageSize_);
}

uint64_t PagedFile::allocate(uint32_t pages) {
    if (!exclusive_) throw Error(ErrorCode::WrongState, "Zapis indeksu bez blokady", file_->path());
    uint64_t at = (end_ + pageSize_ - 1) / pageSize_ * pageSize_;
    end_ = at + static_cast<uint64_t>(pages) * pageSize_;
    return at;
}

} // namespace xb
