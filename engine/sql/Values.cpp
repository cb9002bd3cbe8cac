#include "Values.h"

#include "../CodePage.h"
#include "../Error.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace xb::sql {

namespace {

[[noreturn]] void typeError(const std::string& what) { throw Error(ErrorCode::SqlType, what); }

// Decodes one UTF-8 character; invalid bytes come back one at a time.
char32_t nextChar(const std::string& s, size_t& i) {
    auto b = static_cast<unsigned char>(s[i]);
    int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : 0;
    if (extra == 0 || i + static_cast<size_t>(extra) >= s.size()) {
        ++i;
        return b;
    }
    char32_t c = b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += static_cast<size_t>(extra) + 1;
    return c;
}

// Primary weight: the letter's place in the Polish alphabet, case folded.
// ASCII letters get 10 × position so that ą, ć, ę, ł, ń, ó, ś, ź, ż fit right after their base.
uint32_t primaryWeight(char32_t c) {
    if (c >= 'a' && c <= 'z') c -= 32;
    if (c >= 'A' && c <= 'Z') return 1000 + (c - 'A') * 10;
    switch (c) {
    case U'Ą': case U'ą': return 1000 + 0 * 10 + 5;
    case U'Ć': case U'ć': return 1000 + 2 * 10 + 5;
    case U'Ę': case U'ę': return 1000 + 4 * 10 + 5;
    case U'Ł': case U'ł': return 1000 + 11 * 10 + 5;
    case U'Ń': case U'ń': return 1000 + 13 * 10 + 5;
    case U'Ó': case U'ó': return 1000 + 14 * 10 + 5;
    case U'Ś': case U'ś': return 1000 + 18 * 10 + 5;
    case U'Ź': case U'ź': return 1000 + 25 * 10 + 5;
    case U'Ż': case U'ż': return 1000 + 25 * 10 + 7;
    default: break;
    }
    if (c < 'A') return c;  // blanks, digits, punctuation before letters
    return 2000 + c;        // other characters after the alphabet
}

std::optional<Date> asDate(const Value& v) {
    if (const auto* d = std::get_if<Date>(&v)) return *d;
    if (const auto* s = std::get_if<std::string>(&v)) {
        try {
            Date d = Date::parse(*s);
            if (!d.blank()) return d;
        } catch (const Error&) {
        }
    }
    return std::nullopt;
}

std::string formatNumber(double d) {
    if (d == std::floor(d) && std::fabs(d) < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", d);
        return buf;
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.10g", d);
    return buf;
}

double number(const Value& v, const char* what) {
    auto n = toNumber(v, what);
    return n ? *n : 0;
}

} // namespace

std::string rtrim(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

int collate(const std::string& a, const std::string& b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        uint32_t x = primaryWeight(nextChar(a, i));
        uint32_t y = primaryWeight(nextChar(b, j));
        if (x != y) return x < y ? -1 : 1;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool truthy(const Value& v) {
    if (const auto* b = std::get_if<bool>(&v)) return *b;
    return false;
}

std::string toText(const Value& v) {
    if (isNull(v)) return {};
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* b = std::get_if<bool>(&v)) return *b ? "T" : "F";
    if (const auto* d = std::get_if<Date>(&v)) return d->iso();
    return formatNumber(std::get<double>(v));
}

std::optional<double> toNumber(const Value& v, const char* what) {
    if (isNull(v)) return std::nullopt;
    if (const auto* d = std::get_if<double>(&v)) return *d;
    if (const auto* b = std::get_if<bool>(&v)) return *b ? 1.0 : 0.0;
    if (const auto* s = std::get_if<std::string>(&v)) {
        std::string t = rtrim(*s);
        size_t start = t.find_first_not_of(' ');
        if (start == std::string::npos) return std::nullopt;
        char* end = nullptr;
        double d = std::strtod(t.c_str() + start, &end);
        if (end && *end == '\0') return d;
    }
    typeError(std::string(what) + ": wartość '" + toText(v) + "' nie jest liczbą");
}

std::optional<int> compare(const Value& a, const Value& b) {
    if (isNull(a) || isNull(b)) return std::nullopt;
    auto sign = [](auto x, auto y) { return x < y ? -1 : x > y ? 1 : 0; };
    if (a.index() == b.index()) {
        if (const auto* s = std::get_if<std::string>(&a)) return collate(rtrim(*s), rtrim(std::get<std::string>(b)));
        if (const auto* d = std::get_if<double>(&a)) return sign(*d, std::get<double>(b));
        if (const auto* x = std::get_if<bool>(&a)) return sign(*x, std::get<bool>(b));
        return sign(std::get<Date>(a).julianDay(), std::get<Date>(b).julianDay());
    }
    if (std::holds_alternative<Date>(a) || std::holds_alternative<Date>(b)) {
        auto x = asDate(a), y = asDate(b);
        if (!x || !y) typeError("Porównanie daty z wartością '" + toText(x ? b : a) + "'");
        return sign(x->julianDay(), y->julianDay());
    }
    if (std::holds_alternative<std::string>(a) || std::holds_alternative<std::string>(b)) {
        if (std::holds_alternative<bool>(a) || std::holds_alternative<bool>(b))
            typeError("Porównanie wartości logicznej z tekstem");
        return sign(number(a, "Porównanie"), number(b, "Porównanie"));
    }
    return sign(number(a, "Porównanie"), number(b, "Porównanie"));
}

bool equal(const Value& a, const Value& b) {
    if (isNull(a) || isNull(b)) return false;
    if (const auto* s = std::get_if<std::string>(&a))
        if (const auto* t = std::get_if<std::string>(&b)) return rtrim(*s) == rtrim(*t);
    auto c = compare(a, b);
    return c && *c == 0;
}

int orderCompare(const Value& a, const Value& b) {
    bool an = isNull(a), bn = isNull(b);
    if (an || bn) return an == bn ? 0 : an ? -1 : 1;
    return *compare(a, b);
}

std::string groupKey(const Value& v) {
    if (isNull(v)) return std::string(1, '\0');
    if (const auto* s = std::get_if<std::string>(&v)) return "s" + rtrim(*s);
    if (const auto* d = std::get_if<double>(&v)) {
        double x = *d == 0 ? 0.0 : *d;
        if (x == std::trunc(x) && std::fabs(x) < 1e15) return "n" + std::to_string(static_cast<long long>(x));
        char buf[40];
        std::snprintf(buf, sizeof buf, "n%.17g", x);
        return buf;
    }
    if (const auto* b = std::get_if<bool>(&v)) return *b ? "bT" : "bF";
    return "d" + std::get<Date>(v).iso();
}

Value arithmetic(const std::string& op, const Value& a, const Value& b) {
    if (isNull(a) || isNull(b)) return {};
    if (op == "+") {
        if (std::holds_alternative<std::string>(a) && std::holds_alternative<std::string>(b))
            return std::get<std::string>(a) + std::get<std::string>(b);
        if (const auto* d = std::get_if<Date>(&a))
            return Date::fromJulianDay(d->julianDay() + static_cast<long>(number(b, "Dodawanie")));
        if (const auto* d = std::get_if<Date>(&b))
            return Date::fromJulianDay(d->julianDay() + static_cast<long>(number(a, "Dodawanie")));
        return number(a, "Dodawanie") + number(b, "Dodawanie");
    }
    if (op == "-") {
        if (std::holds_alternative<Date>(a) && std::holds_alternative<Date>(b))
            return static_cast<double>(std::get<Date>(a).julianDay() - std::get<Date>(b).julianDay());
        if (const auto* d = std::get_if<Date>(&a))
            return Date::fromJulianDay(d->julianDay() - static_cast<long>(number(b, "Odejmowanie")));
        return number(a, "Odejmowanie") - number(b, "Odejmowanie");
    }
    if (op == "*") return number(a, "Mnożenie") * number(b, "Mnożenie");
    double divisor = number(b, "Dzielenie");
    if (divisor == 0) return {};  // division by zero gives NULL
    return number(a, "Dzielenie") / divisor;
}

bool like(const std::string& text, const std::string& pattern) {
    // Iterative match with backtracking over the last '%'.
    size_t t = 0, p = 0, starP = std::string::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && (pattern[p] == '_' || pattern[p] == text[t])) {
            if (pattern[p] == '_') {
                // '_' stands for one character, which may be several UTF-8 bytes
                size_t next = t;
                nextChar(text, next);
                t = next;
            } else {
                ++t;
            }
            ++p;
        } else if (p < pattern.size() && pattern[p] == '%') {
            starP = p++;
            starT = t;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '%') ++p;
    return p == pattern.size();
}

Value convert(const Value& v, const std::string& type, size_t position) {
    if (isNull(v)) return {};
    if (type == "SQL_INTEGER" || type == "SQL_SMALLINT" || type == "SQL_BIGINT")
        return std::trunc(number(v, "CONVERT"));
    if (type == "SQL_DOUBLE" || type == "SQL_NUMERIC" || type == "SQL_FLOAT" || type == "SQL_DECIMAL")
        return number(v, "CONVERT");
    if (type == "SQL_CHAR" || type == "SQL_VARCHAR") return toText(v);
    if (type == "SQL_DATE") {
        if (std::holds_alternative<Date>(v)) return v;
        Date d = Date::parse(toText(v));
        return d.blank() ? Value{} : Value{d};
    }
    throw Error(ErrorCode::SqlUnknown, "Nieznany typ konwersji " + type + " w pozycji " + std::to_string(position));
}

Value scalarFunction(const std::string& name, const std::vector<Value>& args, size_t position) {
    auto need = [&](size_t n) {
        if (args.size() != n)
            throw Error(ErrorCode::SqlSyntax, "Funkcja " + name + " w pozycji " + std::to_string(position) + " wymaga " +
                                                  std::to_string(n) + " argumentów");
    };
    auto anyNull = [&] {
        for (const auto& a : args)
            if (isNull(a)) return true;
        return false;
    };
    if (name == "IFNULL" || name == "COALESCE") {
        for (const auto& a : args)
            if (!isNull(a)) return a;
        return {};
    }
    if (name == "SPACE") {
        need(1);
        if (anyNull()) return {};
        double n = number(args[0], name.c_str());
        return std::string(static_cast<size_t>(std::clamp(n, 0.0, 65535.0)), ' ');
    }
    if (name == "CONCAT") {
        if (anyNull()) return {};
        std::string s;
        for (const auto& a : args) s += toText(a);
        return s;
    }
    if (name == "RTRIM" || name == "LTRIM" || name == "TRIM" || name == "UPPER" || name == "LOWER" ||
        name == "UCASE" || name == "LCASE") {
        need(1);
        if (anyNull()) return {};
        std::string s = toText(args[0]);
        if (name == "RTRIM" || name == "TRIM") s = rtrim(s);
        if (name == "LTRIM" || name == "TRIM") s.erase(0, std::min(s.size(), s.find_first_not_of(' ')));
        if (name == "UPPER" || name == "UCASE") s = upperUtf8(s);
        if (name == "LOWER" || name == "LCASE") {
            for (char& c : s)
                if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        }
        return s;
    }
    if (name == "LENGTH" || name == "CHAR_LENGTH" || name == "LEN") {
        need(1);
        if (anyNull()) return {};
        std::string s = rtrim(toText(args[0]));
        size_t chars = 0;
        for (size_t i = 0; i < s.size(); ++chars) nextChar(s, i);
        return static_cast<double>(chars);
    }
    if (name == "SUBSTRING" || name == "SUBSTR") {
        if (args.size() != 2 && args.size() != 3) need(3);
        if (anyNull()) return {};
        std::string s = toText(args[0]);
        std::vector<size_t> starts;  // byte offset of every character
        for (size_t i = 0; i < s.size();) {
            starts.push_back(i);
            nextChar(s, i);
        }
        long from = static_cast<long>(number(args[1], name.c_str())) - 1;
        long count = args.size() == 3 ? static_cast<long>(number(args[2], name.c_str())) : static_cast<long>(starts.size());
        if (from < 0) {
            count += from;
            from = 0;
        }
        if (count <= 0 || from >= static_cast<long>(starts.size())) return std::string();
        size_t begin = starts[static_cast<size_t>(from)];
        size_t endIndex = static_cast<size_t>(std::min<long>(from + count, static_cast<long>(starts.size())));
        size_t end = endIndex < starts.size() ? starts[endIndex] : s.size();
        return s.substr(begin, end - begin);
    }
    if (name == "TRUNCATE" || name == "ROUND") {
        if (args.size() != 1) need(2);
        if (anyNull()) return {};
        double x = number(args[0], name.c_str());
        double scale = std::pow(10.0, args.size() == 2 ? number(args[1], name.c_str()) : 0);
        double scaled = x * scale;
        // A tiny nudge keeps 0.285 * 100 = 28.499999... from losing its last digit.
        double nudged = scaled + (scaled >= 0 ? 1e-9 : -1e-9);
        return (name == "TRUNCATE" ? std::trunc(nudged) : std::round(scaled)) / scale;
    }
    if (name == "MOD") {
        need(2);
        if (anyNull()) return {};
        double b = number(args[1], name.c_str());
        if (b == 0) return {};
        return std::fmod(number(args[0], name.c_str()), b);
    }
    if (name == "FLOOR" || name == "CEILING" || name == "CEIL" || name == "ABS" || name == "SIGN") {
        need(1);
        if (anyNull()) return {};
        double x = number(args[0], name.c_str());
        if (name == "FLOOR") return std::floor(x + (x >= 0 ? 1e-12 : 0));
        if (name == "ABS") return std::fabs(x);
        if (name == "SIGN") return static_cast<double>((x > 0) - (x < 0));
        return std::ceil(x);
    }
    if (name == "YEAR" || name == "MONTH" || name == "DAYOFMONTH" || name == "DAY") {
        need(1);
        if (anyNull()) return {};
        auto d = asDate(args[0]);
        if (!d) typeError(name + ": wartość '" + toText(args[0]) + "' nie jest datą");
        return static_cast<double>(name == "YEAR" ? d->year : name == "MONTH" ? d->month : d->day);
    }
    if (name == "LEFT" || name == "RIGHT") {
        need(2);
        if (anyNull()) return {};
        std::string s = toText(args[0]);
        long n = static_cast<long>(number(args[1], name.c_str()));
        std::vector<size_t> starts;
        for (size_t i = 0; i < s.size();) {
            starts.push_back(i);
            nextChar(s, i);
        }
        size_t count = static_cast<size_t>(std::clamp<long>(n, 0, static_cast<long>(starts.size())));
        if (name == "LEFT") return s.substr(0, count < starts.size() ? starts[count] : s.size());
        return count == 0 ? std::string() : s.substr(starts[starts.size() - count]);
    }
    throw Error(ErrorCode::SqlUnknown, "Nieznana funkcja " + name + " w pozycji " + std::to_string(position));
}

} // namespace xb::sql
