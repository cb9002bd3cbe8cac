#include "ReferenceFields.h"

#include "Paths.h"

#include <cmath>
#include <cstdio>

namespace ewidor {
namespace {

// Cuts UTF-8 text to at most `chars` characters.
std::string cutChars(const std::string& text, size_t chars) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == chars) return text.substr(0, i);
    }
    return text;
}

} // namespace

std::string Pracownik(const xb::Record& kos) {
    return cutChars(trim(kos.text("NAZWISKO")) + " " + trim(kos.text("IMIE")), 33);
}

std::string Kategoria(const xb::Record& kos, const TDaneGrupy& categories) {
    return categories.nameOf(static_cast<int>(kos.number("STATUS")));
}

double DniUrl(const xb::Record& kos) {
    return (kos.number("G_URLOP") * 60 + kos.number("M_URLOP")) / 480.0;
}

std::string DniUrlText(double days) {
    double rounded = std::round(days * 10) / 10;
    if (rounded == 0) return "0";
    char text[32];
    if (rounded == std::floor(rounded))
        std::snprintf(text, sizeof text, "%.0f", rounded);
    else
        std::snprintf(text, sizeof text, "%.1f", rounded);
    return text;
}

std::string NriNazwa(const xb::Record& stakosz) {
    return cutChars(stakosz.text("KOD") + " - " + trim(stakosz.text("NAZWA")), 40);
}

bool DigitRuleAllows(bool czyZlec, bool pozaZlec, std::string_view ktoraCyf, std::string_view cyfry,
                     std::string_view orderNumber) {
    std::string position = trim(ktoraCyf);
    if (!czyZlec || pozaZlec || position.empty() || position == "0") return true;
    if (position.size() != 1 || position[0] < '1' || position[0] > '9') return true;
    size_t index = static_cast<size_t>(position[0] - '1');
    if (index >= orderNumber.size()) return false;
    return trim(cyfry).find(orderNumber[index]) != std::string::npos;
}

bool DigitRuleAllows(const xb::Record& stakosz, std::string_view orderNumber) {
    return DigitRuleAllows(stakosz.logical("CZY_ZLEC"), stakosz.logical("POZA_ZLEC"),
                           stakosz.text("KTORA_CYF"), stakosz.text("CYFRY"), orderNumber);
}

} // namespace ewidor
