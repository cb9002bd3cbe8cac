#pragma once
// A Windows INI file kept as its lines, in code page 1250 on disk and UTF-8 in
// memory. Sections, keys, their order and comments survive a read and a write;
// setting a key changes its line or adds one at the end of its section.
//
// Written by hand because Qt 6's QSettings reads INI files as UTF-8 only and
// reorders keys; the shared files are read by older desktops as well.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ewidor {

class IniFile {
public:
    // Reads `path`; a missing file gives an empty IniFile. Throws std::runtime_error
    // when the file exists but cannot be read.
    static IniFile Load(const std::string& path);
    static IniFile Parse(std::string_view utf8Text);

    // The value of section/key (names compared without regard to case), trimmed.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    std::string GetString(std::string_view section, std::string_view key, std::string_view def) const;
    // A number as written; text that is not a whole number gives the default.
    int GetInt(std::string_view section, std::string_view key, int def) const;
    // 0 is false, any other number true; text that is not a number gives the default.
    bool GetBool(std::string_view section, std::string_view key, bool def) const;

    void Set(std::string_view section, std::string_view key, std::string_view value);
    void SetInt(std::string_view section, std::string_view key, int value);
    void SetBool(std::string_view section, std::string_view key, bool value);
    // Removes the key's line; nothing when the key is absent.
    void Remove(std::string_view section, std::string_view key);
    // Removes the section's header and every line under it.
    void RemoveSection(std::string_view section);

    std::string Text() const;  // UTF-8, lines ended by CR LF
    // Writes the file in code page 1250; throws std::runtime_error when it cannot.
    void Save(const std::string& path) const;

private:
    struct Line {
        std::string text;     // the whole line as read, for comments and blanks
        std::string section;  // section this line belongs to
        std::string key;      // empty unless a key line
        std::string value;
        bool header = false;
    };
    long findKey(std::string_view section, std::string_view key) const;
    long lastLineOf(std::string_view section) const;

    std::vector<Line> lines_;
};

} // namespace ewidor
