#pragma once
// The only door of the engine to files and locks. Tables and indexes talk to a
// File; PosixFile is the real one, MemFile serves fuzzing and failure tests.
//
// Locks are byte-range locks. PosixFile takes them as open-file-description
// locks (F_OFD_SETLK): they belong to the handle, not to the process, so two
// handles of one process conflict like two desktops do, and closing one handle
// never drops the locks of another.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace xb {

enum class LockKind { Shared, Exclusive };

class File {
public:
    virtual ~File() = default;
    // Reads up to `size` bytes at `offset`; returns how many were read (short at end of file).
    virtual size_t readAt(uint64_t offset, void* buffer, size_t size) = 0;
    // Writes all bytes at `offset` or throws.
    virtual void writeAt(uint64_t offset, const void* buffer, size_t size) = 0;
    virtual uint64_t size() = 0;
    virtual void truncate(uint64_t size) = 0;
    virtual void sync() = 0;
    // Tries to lock [offset, offset + length); false when someone else holds a conflicting lock.
    virtual bool tryLock(uint64_t offset, uint64_t length, LockKind kind) = 0;
    virtual void unlock(uint64_t offset, uint64_t length) = 0;
    virtual const std::string& path() const = 0;
};

enum class OpenMode { ReadOnly, ReadWrite, CreateNew };

// Opens a real file; throws NotFound, AlreadyExists or Io.
std::unique_ptr<File> openFile(const std::string& path, OpenMode mode);

// A file held in memory; locks always succeed (a single owner).
class MemFile : public File {
public:
    explicit MemFile(std::vector<uint8_t> bytes = {}, std::string name = "<memory>");
    size_t readAt(uint64_t offset, void* buffer, size_t size) override;
    void writeAt(uint64_t offset, const void* buffer, size_t size) override;
    uint64_t size() override { return bytes_.size(); }
    void truncate(uint64_t size) override { bytes_.resize(size); }
    void sync() override {}
    bool tryLock(uint64_t, uint64_t, LockKind) override { return true; }
    void unlock(uint64_t, uint64_t) override {}
    const std::string& path() const override { return name_; }
    const std::vector<uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    std::string name_;
};

bool fileExists(const std::string& path);
void removeFile(const std::string& path);
// Replaces `to` by `from` atomically (rename).
void replaceFile(const std::string& from, const std::string& to);

} // namespace xb
