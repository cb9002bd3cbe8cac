#include "File.h"

#include "Error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xb {

namespace {

std::string osMessage(const char* what) { return std::string(what) + " (" + std::strerror(errno) + ")"; }

class PosixFile : public File {
public:
    PosixFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixFile() override { ::close(fd_); }

    size_t readAt(uint64_t offset, void* buffer, size_t size) override {
        size_t done = 0;
        auto* out = static_cast<char*>(buffer);
        while (done < size) {
            ssize_t n = ::pread(fd_, out + done, size - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) throw Error(ErrorCode::Io, osMessage("Błąd odczytu pliku"), path_);
            if (n == 0) break;
            done += static_cast<size_t>(n);
        }
        return done;
    }

    void writeAt(uint64_t offset, const void* buffer, size_t size) override {
        size_t done = 0;
        const auto* in = static_cast<const char*>(buffer);
        while (done < size) {
            ssize_t n = ::pwrite(fd_, in + done, size - done, static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) throw Error(ErrorCode::Io, osMessage("Błąd zapisu pliku"), path_);
            done += static_cast<size_t>(n);
        }
    }

    uint64_t size() override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) throw Error(ErrorCode::Io, osMessage("Błąd odczytu rozmiaru pliku"), path_);
        return static_cast<uint64_t>(st.st_size);
    }

    void truncate(uint64_t size) override {
        if (::ftruncate(fd_, static_cast<off_t>(size)) != 0)
            throw Error(ErrorCode::Io, osMessage("Błąd skracania pliku"), path_);
    }

    void sync() override {
        if (::fdatasync(fd_) != 0) throw Error(ErrorCode::Io, osMessage("Błąd zapisu na dysk"), path_);
    }

    bool tryLock(uint64_t offset, uint64_t length, LockKind kind) override {
        struct flock fl {};
        fl.l_type = kind == LockKind::Exclusive ? F_WRLCK : F_RDLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = static_cast<off_t>(offset);
        fl.l_len = static_cast<off_t>(length);
        for (;;) {
            if (::fcntl(fd_, F_OFD_SETLK, &fl) == 0) return true;
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EACCES) return false;
            throw Error(ErrorCode::Io, osMessage("Błąd blokady pliku"), path_);
        }
    }

    void unlock(uint64_t offset, uint64_t length) override {
        struct flock fl {};
        fl.l_type = F_UNLCK;
        fl.l_whence = SEEK_SET;
        fl.l_start = static_cast<off_t>(offset);
        fl.l_len = static_cast<off_t>(length);
        while (::fcntl(fd_, F_OFD_SETLK, &fl) != 0) {
            if (errno != EINTR) throw Error(ErrorCode::Io, osMessage("Błąd zdjęcia blokady"), path_);
        }
    }

    const std::string& path() const override { return path_; }

private:
    int fd_;
    std::string path_;
};

} // namespace

std::unique_ptr<File> openFile(const std::string& path, OpenMode mode) {
    int flags = O_CLOEXEC;
    switch (mode) {
    case OpenMode::ReadOnly: flags |= O_RDONLY; break;
    case OpenMode::ReadWrite: flags |= O_RDWR; break;
    case OpenMode::CreateNew: flags |= O_RDWR | O_CREAT | O_EXCL; break;
    }
    int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        if (errno == ENOENT) throw Error(ErrorCode::NotFound, "Plik nie istnieje", path);
        if (errno == EEXIST) throw Error(ErrorCode::AlreadyExists, "Plik już istnieje", path);
        throw Error(ErrorCode::Io, osMessage("Nie można otworzyć pliku"), path);
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw Error(ErrorCode::Corrupt, "To jest katalog, nie plik", path);
    }
    return std::make_unique<PosixFile>(fd, path);
}

MemFile::MemFile(std::vector<uint8_t> bytes, std::string name) : bytes_(std::move(bytes)), name_(std::move(name)) {}

size_t MemFile::readAt(uint64_t offset, void* buffer, size_t size) {
    if (offset >= bytes_.size()) return 0;
    size_t n = std::min<uint64_t>(size, bytes_.size() - offset);
    std::memcpy(buffer, bytes_.data() + offset, n);
    return n;
}

void MemFile::writeAt(uint64_t offset, const void* buffer, size_t size) {
    if (offset + size > bytes_.size()) bytes_.resize(offset + size);
    std::memcpy(bytes_.data() + offset, buffer, size);
}

bool fileExists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void removeFile(const std::string& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw Error(ErrorCode::Io, osMessage("Nie można usunąć pliku"), path);
}

void replaceFile(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0)
        throw Error(ErrorCode::Io, osMessage("Nie można zastąpić pliku"), to);
}

} // namespace xb
