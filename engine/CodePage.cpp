#include "CodePage.h"

#include "Error.h"

#include <iconv.h>
#include <map>
#include <memory>
#include <mutex>

namespace xb {

namespace {

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at `i`; invalid sequences yield U+FFFD and advance one byte.
char32_t nextUtf8(std::string_view s, size_t& i) {
    auto b = static_cast<unsigned char>(s[i]);
    int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    if (extra == 0) {
        ++i;
        return b;
    }
    if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    char32_t c = b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        auto cb = static_cast<unsigned char>(s[i + k]);
        if ((cb & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (cb & 0x3F);
    }
    i += extra + 1;
    return c;
}

// Upper case of Latin letters (ASCII, Latin-1, Latin Extended-A): all that the
// code pages we store can hold. Independent of the process locale.
char32_t upperLatin(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c < 0xE0) return c;
    if (c <= 0xFE) return c == 0xF7 ? c : c - 0x20;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x137) return (c & 1) ? c - 1 : c;
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : c - 1;
    if (c >= 0x14A && c <= 0x177) return (c & 1) ? c - 1 : c;
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c : c - 1;
    return c;
}

std::string describe(char32_t c) {
    std::string s;
    appendUtf8(s, c);
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(c));
    return "'" + s + "' (" + buf + ")";
}

const std::map<int, const char*>& iconvNames() {
    static const std::map<int, const char*> names = {
        {437, "CP437"}, {850, "CP850"}, {852, "CP852"}, {1250, "CP1250"}, {1251, "CP1251"}, {1252, "CP1252"}};
    return names;
}

} // namespace

bool CodePage::supported(int number) { return iconvNames().count(number) != 0; }

const CodePage& CodePage::get(int number) {
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<CodePage>> pages;
    std::lock_guard lock(mutex);
    auto it = pages.find(number);
    if (it != pages.end()) return *it->second;
    if (!supported(number))
        throw Error(ErrorCode::Unsupported, "Nieobsługiwana strona kodowa " + std::to_string(number));
    auto page = std::unique_ptr<CodePage>(new CodePage(number));
    return *pages.emplace(number, std::move(page)).first->second;
}

CodePage::CodePage(int number) : number_(number) {
    iconv_t cd = iconv_open("UTF-32LE", iconvNames().at(number));
    if (cd == reinterpret_cast<iconv_t>(-1))
        throw Error(ErrorCode::Unsupported, "Brak konwersji dla strony kodowej " + std::to_string(number));
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        char32_t outChar = 0;
        char* inPtr = &in;
        size_t inLeft = 1;
        char* outPtr = reinterpret_cast<char*>(&outChar);
        size_t outLeft = sizeof outChar;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && outLeft == 0;
        toUnicode_[b] = ok ? outChar : 0xFFFD;
        if (ok && !fromUnicode_.count(outChar)) fromUnicode_[outChar] = static_cast<uint8_t>(b);
    }
    iconv_close(cd);
}

std::string CodePage::decode(std::string_view bytes) const {
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) out += ch;
        else appendUtf8(out, toUnicode_[b]);
    }
    return out;
}

bool CodePage::encodeInto(std::string_view utf8, std::string& out, char32_t* bad) const {
    out.reserve(out.size() + utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        char32_t c = nextUtf8(utf8, i);
        auto it = fromUnicode_.find(c);
        if (c == 0xFFFD || it == fromUnicode_.end()) {
            if (bad) *bad = c;
            return false;
        }
        out += static_cast<char>(it->second);
    }
    return true;
}

std::string CodePage::encode(std::string_view utf8) const {
    std::string out;
    char32_t bad = 0;
    if (!encodeInto(utf8, out, &bad))
        throw Error(ErrorCode::Unmappable, "Znak " + describe(bad) + " nie istnieje w stronie kodowej " +
                                               std::to_string(number_));
    return out;
}

bool CodePage::canEncode(std::string_view utf8) const {
    std::string out;
    return encodeInto(utf8, out, nullptr);
}

uint8_t CodePage::languageDriver() const {
    switch (number_) {
    case 437: return 0x01;
    case 850: return 0x02;
    case 852: return 0x64;
    case 1250: return 0xC8;
    case 1251: return 0xC9;
    case 1252: return 0x03;
    default: return 0;
    }
}

int CodePage::fromLanguageDriver(uint8_t ldid) {
    switch (ldid) {
    case 0x01: return 437;
    case 0x02: case 0x37: return 850;
    case 0x1F: case 0x22: case 0x23: case 0x64: case 0x87: return 852;
    case 0x9B: case 0xC8: return 1250;
    case 0x26: case 0x65: case 0xC9: return 1251;
    case 0x03: case 0x57: return 1252;
    default: return 0;
    }
}

std::string upperUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += static_cast<char>(b >= 'a' && b <= 'z' ? b - 32 : b);
            ++i;
            continue;
        }
        char32_t c = nextUtf8(utf8, i);
        appendUtf8(out, upperLatin(c));
    }
    return out;
}

} // namespace xb
