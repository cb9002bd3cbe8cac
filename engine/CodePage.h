#pragma once
// Single-byte code pages of stored text. The engine's API speaks UTF-8; tables
// hold bytes of one code page (852 for site tables, 1250 for MAPA.DBF; foreign
// tables may carry others). Tables are built once from the C library's iconv.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

namespace xb {

class CodePage {
public:
    // Returns the code page with this number (852, 1250, 437, 850, 1251, 1252);
    // throws Unsupported for others.
    static const CodePage& get(int number);
    static bool supported(int number);

    int number() const { return number_; }
    // Bytes of this code page -> UTF-8. Bytes the code page leaves undefined become U+FFFD.
    std::string decode(std::string_view bytes) const;
    // UTF-8 -> bytes of this code page; throws Unmappable naming the character.
    std::string encode(std::string_view utf8) const;
    // True when every character of `utf8` has a byte in this code page.
    bool canEncode(std::string_view utf8) const;

    // The language-driver byte we write for this code page (0 when none).
    uint8_t languageDriver() const;
    // The code page a language-driver byte names, or 0 when it names none we know.
    static int fromLanguageDriver(uint8_t ldid);

private:
    explicit CodePage(int number);
    bool encodeInto(std::string_view utf8, std::string& out, char32_t* bad) const;

    int number_;
    std::array<char32_t, 256> toUnicode_{};
    std::unordered_map<char32_t, uint8_t> fromUnicode_;
};

// Upper-cases UTF-8 text (Polish and other Latin letters included).
std::string upperUtf8(std::string_view utf8);

} // namespace xb
