#include "Paths.h"

#include "Field.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace ewidor {

std::string normalizePath(std::string_view path) {
    std::string out(path);
    for (char& c : out)
        if (c == '\\') c = kDelimiter;
    return out;
}

std::string trim(std::string_view text) {
    const char* blanks = " \t\r\n";
    auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    auto last = text.find_last_not_of(blanks);
    return std::string(text.substr(first, last - first + 1));
}

std::string asDirectory(std::string_view path) {
    std::string out = normalizePath(trim(path));
    if (!out.empty() && out.back() != kDelimiter) out += kDelimiter;
    return out;
}

std::optional<std::string> findNoCase(const std::string& dir, std::string_view name) {
    if (dir.empty()) return std::nullopt;
    std::error_code ec;
    fs::path exact = fs::path(dir) / std::string(name);
    if (fs::exists(exact, ec)) return exact.string();
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (xb::equalsIgnoreCase(it->path().filename().string(), name)) return it->path().string();
    }
    return std::nullopt;
}

bool existsNoCase(const std::string& dir, std::string_view name) {
    return findNoCase(dir, name).has_value();
}

bool directoryExists(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    fs::path p(path);
    if (fs::is_directory(p, ec)) return true;
    if (p.filename().empty()) p = p.parent_path();
    auto found = findNoCase(p.parent_path().string(), p.filename().string());
    return found && fs::is_directory(*found, ec);
}

std::string pathNoCase(const std::string& dir, std::string_view name) {
    if (auto found = findNoCase(dir, name)) return *found;
    return dir + std::string(name);
}

std::string replaceFirstNoCase(std::string_view text, std::string_view what, std::string_view with) {
    std::string upperText = xb::upperAscii(text);
    auto pos = upperText.find(xb::upperAscii(what));
    if (pos == std::string::npos) return std::string(text);
    std::string out(text.substr(0, pos));
    out += with;
    out += text.substr(pos + what.size());
    return out;
}

} // namespace ewidor
