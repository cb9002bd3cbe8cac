#pragma once
// Field definitions, dates and values of dBase tables.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace xb {

enum class FieldType : char {
    Character = 'C',
    Numeric = 'N',
    Float = 'F',
    Logical = 'L',
    Date = 'D',
    // Read only, met in foreign (FoxPro) files:
    Integer = 'I',
    Double = 'B',
    DateTime = 'T',
    Currency = 'Y',
    Memo = 'M',
    General = 'G',
    Picture = 'P',
    NullFlags = '0',
};

struct FieldDef {
    std::string name;      // upper case as stored, at most 10 characters
    FieldType type = FieldType::Character;
    int length = 0;        // bytes in the record (C may exceed 255)
    int decimals = 0;
    int offset = 0;        // offset inside the record; the deletion flag is byte 0, so the first field is at 1
    bool system = false;   // FoxPro hidden field (_NullFlags)
};

// Whether the engine writes values of this type (C, N, F, L, D).
bool writableType(FieldType type);

// A calendar date; year 0 means blank.
struct Date {
    int year = 0, month = 0, day = 0;
    bool blank() const { return year == 0; }
    bool valid() const;
    std::string iso() const;   // YYYY-MM-DD, "" when blank
    std::string dtos() const;  // YYYYMMDD, 8 blanks when blank
    long julianDay() const;    // astronomical Julian day number
    static Date fromJulianDay(long jd);
    // Accepts YYYY-MM-DD, YYYYMMDD and CCYY.MM.DD; empty gives blank; throws BadValue otherwise.
    static Date parse(std::string_view text);
    auto operator<=>(const Date&) const = default;
};

// A field's value: null (blank field), text (UTF-8), number, logical or date.
using Value = std::variant<std::monostate, std::string, double, bool, Date>;

inline bool isNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

// Parses the field list form "Dnia,Date;Czas,Character,5;ID_ZD,Numeric,3,0;".
// Type names are Character, Numeric, Float, Logical, Date (case-insensitive; the
// single letters C N F L D are accepted too). Throws BadFieldList.
std::vector<FieldDef> parseFieldList(std::string_view list);
// Writes fields back in the same form.
std::string formatFieldList(const std::vector<FieldDef>& fields);
// Checks a definition list for creation: names, types, widths, duplicates. Throws BadFieldList.
void validateFieldDefs(const std::vector<FieldDef>& fields);

std::string upperAscii(std::string_view s);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

} // namespace xb
