#pragma once
// A temporary directory removed with everything in it when the object goes.
#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Runs a shell command; returns its exit status and fills `out` with its standard output.
int runCommand(const std::string& command, std::string* out = nullptr);
// Quotes a string for the shell.
std::string shellQuote(const std::string& s);
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

} // namespace testsupport
