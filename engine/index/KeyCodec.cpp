#include "KeyCodec.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace xb::keys {

int keyLength(IndexFormat format, ExprType type, int width) {
    switch (type) {
    case ExprType::Character: return std::max(1, std::min(width, 240));
    case ExprType::Logical: return 1;
    case ExprType::Date: return 8;
    case ExprType::Numeric: return format == IndexFormat::Cdx ? 8 : std::max(1, std::min(width, 40));
    }
    return width;
}

char padByte(IndexFormat format, ExprType type) {
    if (format == IndexFormat::Cdx && (type == ExprType::Numeric || type == ExprType::Date)) return '\0';
    return ' ';
}

std::string cdxDouble(double d) {
    if (d == 0) d = 0;  // -0 is stored as +0
    uint64_t bits;
    std::memcpy(&bits, &d, 8);
    bits = (bits & 0x8000000000000000ull) ? ~bits : (bits | 0x8000000000000000ull);
    std::string out(8, '\0');
    for (int i = 0; i < 8; ++i) out[static_cast<size_t>(i)] = static_cast<char>(bits >> (56 - 8 * i));
    return out;
}

double cdxDoubleValue(std::string_view key) {
    uint64_t bits = 0;
    for (size_t i = 0; i < 8; ++i) bits = (bits << 8) | (i < key.size() ? static_cast<uint8_t>(key[i]) : 0);
    bits = (bits & 0x8000000000000000ull) ? (bits & ~0x8000000000000000ull) : ~bits;
    double d;
    std::memcpy(&d, &bits, 8);
    return d;
}

std::string ntxNumber(double d, int width, int decimals) {
    char buf[128];
    int n = std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, d);
    std::string s = (n < 0 || n > width) ? std::string(static_cast<size_t>(width), '9') : std::string(buf, static_cast<size_t>(n));
    bool negative = s.find('-') != std::string::npos;
    for (char& c : s)
        if (c == ' ' || c == '-') c = '0';
    // Negatives: every digit c becomes 92 - c, so they sort first and among themselves in reverse.
    if (negative)
        for (char& c : s)
            if (c >= '0' && c <= '9') c = static_cast<char>(92 - c);
    return s;
}

std::string encode(IndexFormat format, ExprType type, int keyLength, int decimals, const Value& v) {
    std::string key;
    switch (type) {
    case ExprType::Character:
        if (const auto* s = std::get_if<std::string>(&v)) key = *s;
        break;
    case ExprType::Logical:
        key.assign(1, std::holds_alternative<bool>(v) && std::get<bool>(v) ? 'T' : 'F');
        break;
    case ExprType::Date: {
        Date d = std::holds_alternative<Date>(v) ? std::get<Date>(v) : Date{};
        if (format == IndexFormat::Cdx) key = cdxDouble(static_cast<double>(d.julianDay()));
        else key = d.blank() ? std::string(8, ' ') : d.dtos();
        break;
    }
    case ExprType::Numeric: {
        double d = std::holds_alternative<double>(v) ? std::get<double>(v) : 0.0;
        key = format == IndexFormat::Cdx ? cdxDouble(d) : ntxNumber(d, keyLength, decimals);
        break;
    }
    }
    key.resize(static_cast<size_t>(keyLength), padByte(format, type));
    return key;
}

Value decode(IndexFormat format, ExprType type, std::string_view key) {
    switch (type) {
    case ExprType::Character: {
        while (!key.empty() && (key.back() == ' ' || key.back() == '\0')) key.remove_suffix(1);
        return std::string(key);
    }
    case ExprType::Logical: return !key.empty() && key[0] == 'T';
    case ExprType::Date:
        if (format == IndexFormat::Cdx) {
            double jd = cdxDoubleValue(key);
            return std::isfinite(jd) && jd > 0 && jd < 1e8 ? Date::fromJulianDay(static_cast<long>(jd)) : Date{};
        }
        try {
            return Date::parse(key.find_first_not_of(' ') == std::string_view::npos ? std::string_view() : key);
        } catch (...) {
            return Date{};
        }
    case ExprType::Numeric: {
        if (format == IndexFormat::Cdx) return cdxDoubleValue(key);
        std::string s(key);
        bool negative = !s.empty() && s[0] >= 35 && s[0] <= 44;
        if (negative)
            for (char& c : s)
                if (c >= 35 && c <= 44) c = static_cast<char>(92 - c);
        double d = std::strtod(s.c_str(), nullptr);
        return negative ? -d : d;
    }
    }
    return {};
}

} // namespace xb::keys
