#include "PathCase.h"

#include "Error.h"
#include "Field.h"

#include <filesystem>

namespace xb {

namespace fs = std::filesystem;

std::string normalizeDelimiters(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

std::optional<std::string> findPathNoCase(const std::string& directory, const std::string& name) {
    std::string n = normalizeDelimiters(name);
    fs::path current = (!n.empty() && n[0] == '/') ? fs::path("/") : fs::path(normalizeDelimiters(directory));
    fs::path relative(n);
    std::error_code ec;
    for (const auto& part : relative) {
        std::string p = part.string();
        if (p.empty() || p == "/" || p == ".") continue;
        if (p == "..") {
            current /= "..";
            continue;
        }
        fs::path exact = current / p;
        if (fs::exists(exact, ec)) {
            current = exact;
            continue;
        }
        bool found = false;
        for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec)) {
            if (equalsIgnoreCase(it->path().filename().string(), p)) {
                current = it->path();
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    if (!fs::is_regular_file(current, ec)) return std::nullopt;
    return current.lexically_normal().string();
}

std::string resolveTablePath(const std::string& directory, const std::string& name) {
    std::string n = normalizeDelimiters(name);
    std::string file = n.substr(n.find_last_of('/') == std::string::npos ? 0 : n.find_last_of('/') + 1);
    if (file.find('.') == std::string::npos)
        if (auto p = findPathNoCase(directory, n + ".dbf")) return *p;
    if (auto p = findPathNoCase(directory, n)) return *p;
    throw Error(ErrorCode::SqlUnknown, "Nie ma tabeli '" + name + "'", normalizeDelimiters(directory));
}

} // namespace xb
