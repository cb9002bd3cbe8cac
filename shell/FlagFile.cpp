#include "FlagFile.h"

#include "Error.h"
#include "File.h"
#include "Paths.h"

namespace ewidor {

namespace {
// The whole flag is guarded by its first byte; the lock may lie past the end of the empty file.
constexpr uint64_t kLockOffset = 0;
constexpr uint64_t kLockLength = 1;

const char* fileName(FlagKind kind) { return kind == FlagKind::Renovation ? "FLAGA.!!!" : "FLAGA.CT"; }

const char* busyText(FlagKind kind) {
    return kind == FlagKind::Renovation ? "Chwilowy brak dostępu do zbiorów danych.\n"
                                          "Inny użytkownik wykonuje renowację systemu !\n\n"
                                          "  Można chwilę zaczekać i powtórzyć operację ..."
                                        : "       Brak dostępu do zbiorów danych.\n"
                                          "Inny użytkownik wykonuje wczytanie zbiorów centrali !";
}
} // namespace

FlagFile::FlagFile(std::unique_ptr<xb::File> file, std::string path) : file_(std::move(file)), path_(std::move(path)) {}

FlagFile::~FlagFile() {
    // Removed while still locked, so nobody takes the file for a leftover in between.
    try {
        xb::removeFile(path_);
    } catch (const xb::Error&) {
        // Already gone: somebody removed it by hand.
    }
    file_->unlock(kLockOffset, kLockLength);
}

std::string FlagFile::Path(const std::string& dataRoot, FlagKind kind) { return pathNoCase(dataRoot, fileName(kind)); }

std::unique_ptr<FlagFile> FlagFile::Hold(const std::string& dataRoot, FlagKind kind) {
    std::string path = Path(dataRoot, kind);
    if (Test(dataRoot, kind) == FlagState::Busy)
        throw xb::Error(xb::ErrorCode::TableInUse, "Znacznik jest zajęty przez inny program", path);
    // Between creating the file and locking it, another desktop's check may find it
    // unlocked and remove it as a leftover: then the lock guards nothing, so start again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        auto file = xb::openFile(path, xb::OpenMode::CreateNew);
        if (!file->tryLock(kLockOffset, kLockLength, xb::LockKind::Exclusive))
            throw xb::Error(xb::ErrorCode::TableInUse, "Znacznik jest zajęty przez inny program", path);
        if (xb::fileExists(path)) return std::unique_ptr<FlagFile>(new FlagFile(std::move(file), path));
        file->unlock(kLockOffset, kLockLength);
    }
    throw xb::Error(xb::ErrorCode::TableInUse, "Znacznik jest zajęty przez inny program", path);
}

FlagState FlagFile::Test(const std::string& dataRoot, FlagKind kind) {
    std::string path = Path(dataRoot, kind);
    std::unique_ptr<xb::File> file;
    try {
        file = xb::openFile(path, xb::OpenMode::ReadWrite);
    } catch (const xb::Error& e) {
        // Gone meanwhile is free; a flag that cannot be opened for writing is held.
        return e.code() == xb::ErrorCode::NotFound ? FlagState::Free : FlagState::Busy;
    }
    if (!file->tryLock(kLockOffset, kLockLength, xb::LockKind::Exclusive)) return FlagState::Busy;
    xb::removeFile(path);
    file->unlock(kLockOffset, kLockLength);
    return FlagState::Free;
}

FlagState FlagFile::Check(const std::string& dataRoot, FlagKind kind, Prompter& prompter,
                          const std::function<void()>& beep) {
    if (Test(dataRoot, kind) == FlagState::Free) return FlagState::Free;
    if (beep) beep();
    prompter.ShowMessage("Konflikt sieciowy !", busyText(kind));
    return FlagState::Busy;
}

} // namespace ewidor
