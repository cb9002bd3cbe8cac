#pragma once
// The flag files of the data root that announce a renovation ("FLAGA.!!!") or a load
// of the headquarters' files ("FLAGA.CT") running on some desktop. The desktop doing
// the work creates the flag and holds it open with an exclusive lock (Hold); others
// test it (Check). A flag whose lock nobody holds is a leftover of a run that died:
// it is removed. The lock is the engine's byte-range lock on the open file, so it is
// seen by every process on every desktop and dies with the process that held it.
#include "Prompter.h"

#include <functional>
#include <memory>
#include <string>

namespace xb {
class File;
}

namespace ewidor {

enum class FlagKind { Renovation, HqLoad };
enum class FlagState { Free, Busy };

class FlagFile {
public:
    FlagFile(const FlagFile&) = delete;
    FlagFile& operator=(const FlagFile&) = delete;
    // Releases the lock and removes the file.
    ~FlagFile();

    // "FLAGA.!!!" or "FLAGA.CT" in `dataRoot`.
    static std::string Path(const std::string& dataRoot, FlagKind kind);
    // Creates the flag (removing a leftover first) and holds it until destroyed.
    // Throws xb::Error when another process holds it.
    static std::unique_ptr<FlagFile> Hold(const std::string& dataRoot, FlagKind kind);
    // Busy when another process holds the flag; a leftover is removed and answers free.
    static FlagState Test(const std::string& dataRoot, FlagKind kind);
    // CheckFlagFile: Test, and when busy beep and show the kind's message.
    static FlagState Check(const std::string& dataRoot, FlagKind kind, Prompter& prompter,
                           const std::function<void()>& beep = {});

private:
    FlagFile(std::unique_ptr<xb::File> file, std::string path);

    std::unique_ptr<xb::File> file_;
    std::string path_;
};

} // namespace ewidor
