#include "PagedFile.h"

#include "../Error.h"

#include <chrono>
#include <thread>

namespace xb {

namespace {
constexpr auto kLockWait = std::chrono::seconds(10);
}

PagedFile::PagedFile(std::unique_ptr<File> file, uint32_t pageSize, uint64_t lockOffset, bool readOnly)
    : file_(std::move(file)), pageSize_(pageSize), lockOffset_(lockOffset), readOnly_(readOnly) {}

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

void PagedFile::lockShared() {
    if (depth_ == 0) {
        acquire(LockKind::Shared);
        end_ = file_->size();
    }
    ++depth_;
}

void PagedFile::lockExclusive() {
    if (readOnly_) throw Error(ErrorCode::ReadOnly, "Indeks otwarty tylko do odczytu", file_->path());
    if (depth_ > 0 && !exclusive_)
        throw Error(ErrorCode::WrongState, "Zmiana indeksu w trakcie odczytu", file_->path());
    if (depth_ == 0) {
        acquire(LockKind::Exclusive);
        exclusive_ = true;
        end_ = file_->size();
    }
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
            exclusive_ = false;
            file_->unlock(lockOffset_, 1);
            throw;
        }
        pages_.clear();
        dirty_.clear();
        exclusive_ = false;
        file_->unlock(lockOffset_, 1);
    }
    --depth_;
}

void PagedFile::discard() {
    pages_.clear();
    dirty_.clear();
}

void PagedFile::restart() {
    if (!exclusive_) throw Error(ErrorCode::WrongState, "Zapis indeksu bez blokady", file_->path());
    discard();
    file_->truncate(0);
    end_ = 0;
}

void PagedFile::commit() {
    if (dirty_.empty()) return;
    // Contiguous dirty pages go out in one write.
    auto it = dirty_.begin();
    while (it != dirty_.end()) {
        uint64_t start = it->first;
        std::vector<uint8_t> run = pages_.at(start);
        auto next = std::next(it);
        while (next != dirty_.end() && next->first == start + run.size()) {
            const auto& p = pages_.at(next->first);
            run.insert(run.end(), p.begin(), p.end());
            ++next;
        }
        file_->writeAt(start, run.data(), run.size());
        it = next;
    }
    dirty_.clear();
    if (onCommit_) onCommit_();
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
    dirty_[offset] = true;
    end_ = std::max(end_, offset + pageSize_);
}

uint64_t PagedFile::allocate(uint32_t pages) {
    if (!exclusive_) throw Error(ErrorCode::WrongState, "Zapis indeksu bez blokady", file_->path());
    uint64_t at = (end_ + pageSize_ - 1) / pageSize_ * pageSize_;
    end_ = at + static_cast<uint64_t>(pages) * pageSize_;
    return at;
}

} // namespace xb
