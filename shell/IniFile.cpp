#include "IniFile.h"

#include "CodePage.h"
#include "Field.h"
#include "Paths.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace ewidor {

IniFile IniFile::Load(const std::string& path) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("Nie można odczytać pliku " + path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return Parse(xb::CodePage::get(1250).decode(bytes.str()));
}

IniFile IniFile::Parse(std::string_view text) {
    IniFile ini;
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string raw(text.substr(start, end - start));
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        start = end + 1;
        Line line{raw, section, "", "", false};
        std::string t = trim(raw);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            section = trim(t.substr(1, t.size() - 2));
            line.section = section;
            line.header = true;
        } else if (!t.empty() && t[0] != ';' && t.find('=') != std::string::npos) {
            line.key = trim(t.substr(0, t.find('=')));
            line.value = trim(t.substr(t.find('=') + 1));
        }
        ini.lines_.push_back(std::move(line));
    }
    return ini;
}

long IniFile::findKey(std::string_view section, std::string_view key) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Line& l = lines_[i];
        if (!l.key.empty() && xb::equalsIgnoreCase(l.section, section) && xb::equalsIgnoreCase(l.key, key))
            return static_cast<long>(i);
    }
    return -1;
}

long IniFile::lastLineOf(std::string_view section) const {
    long last = -1;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (!xb::equalsIgnoreCase(lines_[i].section, section)) continue;
        if (lines_[i].header || !trim(lines_[i].text).empty()) last = static_cast<long>(i);
    }
    return last;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    long i = findKey(section, key);
    if (i < 0) return std::nullopt;
    return lines_[static_cast<size_t>(i)].value;
}

std::string IniFile::GetString(std::string_view section, std::string_view key, std::string_view def) const {
    auto v = Get(section, key);
    return v ? *v : std::string(def);
}

int IniFile::GetInt(std::string_view section, std::string_view key, int def) const {
    auto v = Get(section, key);
    if (!v || v->empty()) return def;
    int out = 0;
    auto [ptr, ec] = std::from_chars(v->data(), v->data() + v->size(), out);
    if (ec != std::errc() || ptr != v->data() + v->size()) return def;
    return out;
}

bool IniFile::GetBool(std::string_view section, std::string_view key, bool def) const {
    constexpr int kNotANumber = -999999;
    int v = GetInt(section, key, kNotANumber);
    return v == kNotANumber ? def : v != 0;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    long i = findKey(section, key);
    std::string text = std::string(key) + "=" + std::string(value);
    if (i >= 0) {
        Line& l = lines_[static_cast<size_t>(i)];
        l.text = text;
        l.value = trim(value);
        return;
    }
    long last = lastLineOf(section);
    Line line{text, std::string(section), std::string(key), trim(value), false};
    if (last < 0) {
        if (!lines_.empty() && !trim(lines_.back().text).empty()) lines_.push_back({"", "", "", "", false});
        lines_.push_back({"[" + std::string(section) + "]", std::string(section), "", "", true});
        lines_.push_back(std::move(line));
        return;
    }
    lines_.insert(lines_.begin() + last + 1, std::move(line));
}

void IniFile::SetInt(std::string_view section, std::string_view key, int value) {
    Set(section, key, std::to_string(value));
}

void IniFile::SetBool(std::string_view section, std::string_view key, bool value) {
    Set(section, key, value ? "1" : "0");
}

void IniFile::Remove(std::string_view section, std::string_view key) {
    long i = findKey(section, key);
    if (i >= 0) lines_.erase(lines_.begin() + i);
}

void IniFile::RemoveSection(std::string_view section) {
    std::erase_if(lines_, [&](const Line& l) { return xb::equalsIgnoreCase(l.section, section); });
}

std::string IniFile::Text() const {
    std::string out;
    for (const auto& l : lines_) out += l.text + "\r\n";
    return out;
}

void IniFile::Save(const std::string& path) const {
    std::string bytes = xb::CodePage::get(1250).encode(Text());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("Nie można zapisać pliku " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("Nie można zapisać pliku " + path);
}

} // namespace ewidor
