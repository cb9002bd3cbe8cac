#include "Field.h"

#include "Error.h"

#include <cstdio>
#include <set>

namespace xb {

bool writableType(FieldType type) {
    switch (type) {
    case FieldType::Character:
    case FieldType::Numeric:
    case FieldType::Float:
    case FieldType::Logical:
    case FieldType::Date: return true;
    default: return false;
    }
}

static bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool Date::valid() const {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    return day <= days[month - 1] + (month == 2 && leapYear(year) ? 1 : 0);
}

std::string Date::iso() const {
    if (blank()) return {};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", year, month, day);
    return buf;
}

std::string Date::dtos() const {
    if (blank()) return std::string(8, ' ');
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", year, month, day);
    return buf;
}

long Date::julianDay() const {
    if (blank()) return 0;
    long a = (14 - month) / 12;
    long y = year + 4800 - a;
    long m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

Date Date::fromJulianDay(long jd) {
    if (jd <= 0) return {};
    long a = jd + 32044;
    long b = (4 * a + 3) / 146097;
    long c = a - 146097 * b / 4;
    long d = (4 * c + 3) / 1461;
    long e = c - 1461 * d / 4;
    long m = (5 * e + 2) / 153;
    Date r;
    r.day = static_cast<int>(e - (153 * m + 2) / 5 + 1);
    r.month = static_cast<int>(m + 3 - 12 * (m / 10));
    r.year = static_cast<int>(100 * b + d - 4800 + m / 10);
    return r;
}

Date Date::parse(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (text.empty()) return {};
    std::string digits;
    bool foreign = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') digits += c;
        else if (c != '-' && c != '.' && c != '/') foreign = true;
    }
    bool separated = text.size() == 10 && (text[4] == '-' || text[4] == '.') && text[7] == text[4];
    if (foreign || digits.size() != 8 || (text.size() != 8 && !separated))
        throw Error(ErrorCode::BadValue, "Niepoprawna data '" + std::string(text) + "'");
    Date d{std::stoi(digits.substr(0, 4)), std::stoi(digits.substr(4, 2)), std::stoi(digits.substr(6, 2))};
    if (!d.valid()) throw Error(ErrorCode::BadValue, "Niepoprawna data '" + std::string(text) + "'");
    return d;
}

std::string upperAscii(std::string_view s) {
    std::string r(s);
    for (char& c : r)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return r;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

namespace {

std::vector<std::string> split(std::string_view s, char sep) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t pos = s.find(sep, start);
        parts.emplace_back(s.substr(start, pos == std::string_view::npos ? pos : pos - start));
        if (pos == std::string_view::npos) break;
        start = pos + 1;
    }
    return parts;
}

std::string trim(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) s.pop_back();
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return s.substr(i);
}

FieldType typeFromName(const std::string& name, std::string_view item) {
    std::string n = upperAscii(name);
    if (n == "CHARACTER" || n == "C") return FieldType::Character;
    if (n == "NUMERIC" || n == "N") return FieldType::Numeric;
    if (n == "FLOAT" || n == "F") return FieldType::Float;
    if (n == "LOGICAL" || n == "L") return FieldType::Logical;
    if (n == "DATE" || n == "D") return FieldType::Date;
    throw Error(ErrorCode::BadFieldList, "Nieznany typ pola '" + name + "' w '" + std::string(item) + "'");
}

int parseNumber(const std::string& text, std::string_view item) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        throw Error(ErrorCode::BadFieldList, "Niepoprawny rozmiar '" + text + "' w '" + std::string(item) + "'");
    return std::stoi(text);
}

const char* typeName(FieldType t) {
    switch (t) {
    case FieldType::Character: return "Character";
    case FieldType::Numeric: return "Numeric";
    case FieldType::Float: return "Float";
    case FieldType::Logical: return "Logical";
    case FieldType::Date: return "Date";
    default: return "?";
    }
}

} // namespace

std::vector<FieldDef> parseFieldList(std::string_view list) {
    std::vector<FieldDef> fields;
    for (const std::string& rawItem : split(list, ';')) {
        std::string item = trim(rawItem);
        if (item.empty()) continue;
        auto parts = split(item, ',');
        for (auto& p : parts) p = trim(p);
        if (parts.size() < 2 || parts.size() > 4)
            throw Error(ErrorCode::BadFieldList, "Niepoprawna definicja pola '" + item + "'");
        FieldDef f;
        f.name = upperAscii(parts[0]);
        f.type = typeFromName(parts[1], item);
        switch (f.type) {
        case FieldType::Date: f.length = 8; break;
        case FieldType::Logical: f.length = 1; break;
        default:
            if (parts.size() < 3) throw Error(ErrorCode::BadFieldList, "Brak rozmiaru pola '" + item + "'");
            f.length = parseNumber(parts[2], item);
            if (parts.size() == 4) f.decimals = parseNumber(parts[3], item);
        }
        fields.push_back(f);
    }
    validateFieldDefs(fields);
    return fields;
}

std::string formatFieldList(const std::vector<FieldDef>& fields) {
    std::string out;
    for (const auto& f : fields) {
        out += f.name + "," + typeName(f.type);
        if (f.type == FieldType::Character) out += "," + std::to_string(f.length);
        if (f.type == FieldType::Numeric || f.type == FieldType::Float)
            out += "," + std::to_string(f.length) + "," + std::to_string(f.decimals);
        out += ";";
    }
    return out;
}

void validateFieldDefs(const std::vector<FieldDef>& fields) {
    if (fields.empty()) throw Error(ErrorCode::BadFieldList, "Lista pól jest pusta");
    if (fields.size() > 2000) throw Error(ErrorCode::BadFieldList, "Zbyt wiele pól");
    std::set<std::string> names;
    long total = 1;
    for (const auto& f : fields) {
        if (f.name.empty() || f.name.size() > 10)
            throw Error(ErrorCode::BadFieldList, "Niepoprawna nazwa pola '" + f.name + "' (1 do 10 znaków)");
        for (char c : f.name)
            if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
                throw Error(ErrorCode::BadFieldList, "Niepoprawna nazwa pola '" + f.name + "'");
        if (f.name[0] >= '0' && f.name[0] <= '9')
            throw Error(ErrorCode::BadFieldList, "Nazwa pola nie może zaczynać się cyfrą: '" + f.name + "'");
        if (!names.insert(upperAscii(f.name)).second)
            throw Error(ErrorCode::BadFieldList, "Powtórzona nazwa pola '" + f.name + "'");
        if (!writableType(f.type))
            throw Error(ErrorCode::BadFieldList, "Nieobsługiwany typ pola '" + f.name + "'");
        bool numeric = f.type == FieldType::Numeric || f.type == FieldType::Float;
        int maxLength = f.type == FieldType::Character ? 65535 : numeric ? 20 : f.length;
        if (f.length < 1 || f.length > maxLength)
            throw Error(ErrorCode::BadFieldList, "Niepoprawna długość pola '" + f.name + "'");
        if (numeric && (f.decimals < 0 || (f.decimals > 0 && f.decimals > f.length - 2)))
            throw Error(ErrorCode::BadFieldList, "Niepoprawna liczba miejsc dziesiętnych pola '" + f.name + "'");
        if (!numeric && f.decimals != 0 && f.type != FieldType::Character)
            throw Error(ErrorCode::BadFieldList, "Pole '" + f.name + "' nie ma miejsc dziesiętnych");
        total += f.length;
    }
    if (total > 65535) throw Error(ErrorCode::BadFieldList, "Rekord dłuższy niż 65535 bajtów");
}

} // namespace xb
