#pragma once
// Path helpers for the data root and its year directories.
//
// Directories are held as text ending in the platform's delimiter ('/' here); an
// empty text means "not available". Paths read from files written on other desktops
// may use '\' instead: normalizePath() turns either into the platform's form.
// Table files are named case-insensitively, as the engine's users expect
// ("GRUPY.DBF" and "Grupy.dbf" are one file), so lookups go through findNoCase().
#include <optional>
#include <string>
#include <string_view>

namespace ewidor {

inline constexpr char kDelimiter = '/';

// Replaces every '\' by the platform's delimiter.
std::string normalizePath(std::string_view path);
// Trimmed, normalized, with a trailing delimiter added when not empty.
std::string asDirectory(std::string_view path);
// Whether the directory exists (case-insensitive in its last component).
bool directoryExists(const std::string& path);
// The existing entry of `dir` whose name equals `name` regardless of case, as a full path.
std::optional<std::string> findNoCase(const std::string& dir, std::string_view name);
// Whether `dir` holds an entry named `name` regardless of case.
bool existsNoCase(const std::string& dir, std::string_view name);
// The path of `name` in `dir`: the existing spelling when there is one, else dir + name.
std::string pathNoCase(const std::string& dir, std::string_view name);
// `text` with the first occurrence of `what` (ASCII case-insensitive) replaced by `with`.
std::string replaceFirstNoCase(std::string_view text, std::string_view what, std::string_view with);
// Surrounding blanks (spaces, tabs, CR, LF) removed.
std::string trim(std::string_view text);

} // namespace ewidor
