#include "Record.h"

#include "Error.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace xb {

Schema::Schema(std::vector<FieldDef> fields, const CodePage& codePage)
    : fields_(std::move(fields)), recordLength_(1), codePage_(&codePage) {
    for (auto& f : fields_) {
        f.offset = recordLength_;
        recordLength_ += f.length;
    }
}

int Schema::indexOf(std::string_view name) const {
    for (size_t i = 0; i < fields_.size(); ++i)
        if (equalsIgnoreCase(fields_[i].name, name)) return static_cast<int>(i);
    return -1;
}

int Schema::require(std::string_view name) const {
    int i = indexOf(name);
    if (i < 0) throw Error(ErrorCode::NoSuchField, "Nie ma pola '" + std::string(name) + "'");
    return i;
}

namespace codec {

static std::string_view rtrim(std::string_view s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

static std::string_view trim(std::string_view s) {
    s = rtrim(s);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\0')) s.remove_prefix(1);
    return s;
}

bool parseNumber(std::string_view raw, double& out) {
    std::string_view t = trim(raw);
    if (t.empty() || t.size() > 40) return false;
    char buf[48];
    std::memcpy(buf, t.data(), t.size());
    buf[t.size()] = '\0';
    for (char& c : buf)
        if (c == ',') c = '.';
    char* end = nullptr;
    out = std::strtod(buf, &end);
    return end == buf + t.size() && std::isfinite(out);
}

static int64_t readLE(std::string_view raw, size_t n) {
    uint64_t v = 0;
    for (size_t i = 0; i < n && i < raw.size(); ++i) v |= static_cast<uint64_t>(static_cast<uint8_t>(raw[i])) << (8 * i);
    if (n < 8 && (v >> (8 * n - 1)) & 1) v |= ~0ULL << (8 * n);
    return static_cast<int64_t>(v);
}

Value decode(const FieldDef& f, std::string_view raw, const CodePage& cp) {
    switch (f.type) {
    case FieldType::Character: return cp.decode(rtrim(raw));
    case FieldType::Numeric:
    case FieldType::Float: {
        double d;
        if (!parseNumber(raw, d)) return {};
        return d;
    }
    case FieldType::Logical: {
        char c = raw.empty() ? ' ' : raw[0];
        if (c == 'T' || c == 't' || c == 'Y' || c == 'y') return true;
        if (c == 'F' || c == 'f' || c == 'N' || c == 'n') return false;
        return {};
    }
    case FieldType::Date: {
        std::string_view t = trim(raw);
        if (t.empty() || t == "00000000") return {};
        try {
            return Date::parse(t);
        } catch (const Error&) {
            return {};
        }
    }
    case FieldType::Integer:
        if (raw.size() != 4) return {};
        return static_cast<double>(readLE(raw, 4));
    case FieldType::Currency:
        if (raw.size() != 8) return {};
        return static_cast<double>(readLE(raw, 8)) / 10000.0;
    case FieldType::Double: {
        if (raw.size() != 8) return {};
        double d;
        std::memcpy(&d, raw.data(), 8);
        return d;
    }
    case FieldType::DateTime: {
        if (raw.size() != 8) return {};
        long jd = static_cast<long>(readLE(raw, 4));
        int64_t ms = readLE(raw.substr(4), 4);
        if (jd == 0) return {};
        Date d = Date::fromJulianDay(jd);
        char buf[40];
        long s = static_cast<long>(ms / 1000);
        std::snprintf(buf, sizeof buf, "%s %02ld:%02ld:%02ld", d.iso().c_str(), s / 3600 % 24, s / 60 % 60, s % 60);
        return std::string(buf);
    }
    default: return {}; // memo and binary fields are not read by the engine
    }
}

static std::string formatNumber(const FieldDef& f, double v) {
    if (!std::isfinite(v)) throw Error(ErrorCode::BadValue, "Niepoprawna liczba w polu " + f.name);
    double scale = std::pow(10.0, f.decimals);
    double rounded = std::round(v * scale) / scale;
    if (rounded == 0) rounded = 0; // no "-0.00"
    char buf[64];
    int n = std::snprintf(buf, sizeof buf, "%*.*f", f.length, f.decimals, rounded);
    if (n < 0 || n > f.length)
        throw Error(ErrorCode::ValueTooLarge,
                    "Liczba " + std::string(buf) + " nie mieści się w polu " + f.name + " (" + std::to_string(f.length) +
                        "," + std::to_string(f.decimals) + ")");
    return buf;
}

std::string encode(const FieldDef& f, const Value& v, const CodePage& cp) {
    if (isNull(v)) return std::string(static_cast<size_t>(f.length), ' ');
    switch (f.type) {
    case FieldType::Character: {
        const auto* s = std::get_if<std::string>(&v);
        std::string text = s ? *s : codec::toText(f, v);
        std::string bytes = cp.encode(text);
        std::string_view kept = rtrim(bytes);
        if (kept.size() > static_cast<size_t>(f.length))
            throw Error(ErrorCode::ValueTooLarge, "Tekst dłuższy niż pole " + f.name + " (" +
                                                      std::to_string(f.length) + " znaków)");
        std::string out(kept);
        out.resize(static_cast<size_t>(f.length), ' ');
        return out;
    }
    case FieldType::Numeric:
    case FieldType::Float: {
        if (const auto* d = std::get_if<double>(&v)) return formatNumber(f, *d);
        if (const auto* s = std::get_if<std::string>(&v)) {
            double d;
            if (trim(*s).empty()) return std::string(static_cast<size_t>(f.length), ' ');
            if (!parseNumber(*s, d)) throw Error(ErrorCode::BadValue, "To nie jest liczba: '" + *s + "' (pole " + f.name + ")");
            return formatNumber(f, d);
        }
        if (const auto* b = std::get_if<bool>(&v)) return formatNumber(f, *b ? 1 : 0);
        break;
    }
    case FieldType::Logical:
        if (const auto* b = std::get_if<bool>(&v)) return *b ? "T" : "F";
        if (const auto* s = std::get_if<std::string>(&v)) return fromText(f, *s).index() == 0 ? " " : std::get<bool>(fromText(f, *s)) ? "T" : "F";
        break;
    case FieldType::Date:
        if (const auto* d = std::get_if<Date>(&v)) {
            if (!d->blank() && !d->valid()) throw Error(ErrorCode::BadValue, "Niepoprawna data w polu " + f.name);
            return d->dtos();
        }
        if (const auto* s = std::get_if<std::string>(&v)) return Date::parse(*s).dtos();
        break;
    default: throw Error(ErrorCode::Unsupported, "Zapis pola typu '" + std::string(1, static_cast<char>(f.type)) + "' nie jest obsługiwany (" + f.name + ")");
    }
    throw Error(ErrorCode::BadValue, "Wartość niepasująca do typu pola " + f.name);
}

std::string toText(const FieldDef& f, const Value& v) {
    if (isNull(v)) return {};
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* b = std::get_if<bool>(&v)) return *b ? "T" : "F";
    if (const auto* d = std::get_if<Date>(&v)) return d->iso();
    double n = std::get<double>(v);
    char buf[64];
    int decimals = (f.type == FieldType::Numeric || f.type == FieldType::Float) ? f.decimals : -1;
    if (decimals >= 0) {
        std::snprintf(buf, sizeof buf, "%.*f", decimals, n);
    } else {
        std::snprintf(buf, sizeof buf, "%.10g", n);
    }
    return buf;
}

Value fromText(const FieldDef& f, std::string_view text) {
    switch (f.type) {
    case FieldType::Character: return std::string(text);
    case FieldType::Numeric:
    case FieldType::Float: {
        if (trim(text).empty()) return {};
        double d;
        if (!parseNumber(text, d))
            throw Error(ErrorCode::BadValue, "To nie jest liczba: '" + std::string(text) + "' (pole " + f.name + ")");
        return d;
    }
    case FieldType::Logical: {
        std::string t = upperAscii(trim(text));
        if (t.empty() || t == "?") return {};
        if (t == "T" || t == "Y" || t == "TRUE" || t == "1") return true;
        if (t == "F" || t == "N" || t == "FALSE" || t == "0") return false;
        throw Error(ErrorCode::BadValue, "Niepoprawna wartość logiczna '" + std::string(text) + "' (pole " + f.name + ")");
    }
    case FieldType::Date: {
        Date d = Date::parse(text);
        if (d.blank()) return {};
        return d;
    }
    default: throw Error(ErrorCode::Unsupported, "Zapis pola typu '" + std::string(1, static_cast<char>(f.type)) + "' nie jest obsługiwany (" + f.name + ")");
    }
}

} // namespace codec

Record::Record(std::shared_ptr<const Schema> schema, std::string bytes)
    : schema_(std::move(schema)), bytes_(std::move(bytes)) {}

Record Record::blank(std::shared_ptr<const Schema> schema) {
    std::string bytes(static_cast<size_t>(schema->recordLength()), ' ');
    return Record(std::move(schema), std::move(bytes));
}

std::string_view Record::raw(int index) const {
    const FieldDef& f = schema_->field(index);
    return std::string_view(bytes_).substr(static_cast<size_t>(f.offset), static_cast<size_t>(f.length));
}

Value Record::value(int index) const { return codec::decode(schema_->field(index), raw(index), schema_->codePage()); }

bool Record::blankField(int index) const { return isNull(value(index)); }

std::string Record::text(std::string_view name) const {
    int i = schema_->require(name);
    Value v = value(i);
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    return codec::toText(schema_->field(i), v);
}

double Record::number(std::string_view name) const {
    Value v = value(name);
    if (const auto* d = std::get_if<double>(&v)) return *d;
    return 0;
}

bool Record::logical(std::string_view name) const {
    Value v = value(name);
    if (const auto* b = std::get_if<bool>(&v)) return *b;
    return false;
}

Date Record::date(std::string_view name) const {
    Value v = value(name);
    if (const auto* d = std::get_if<Date>(&v)) return *d;
    return {};
}

void Record::set(int index, const Value& v) {
    const FieldDef& f = schema_->field(index);
    std::string bytes = codec::encode(f, v, schema_->codePage());
    bytes_.replace(static_cast<size_t>(f.offset), static_cast<size_t>(f.length), bytes);
}

void Record::setRaw(int index, std::string_view bytes) {
    const FieldDef& f = schema_->field(index);
    std::string b(bytes.substr(0, static_cast<size_t>(f.length)));
    b.resize(static_cast<size_t>(f.length), ' ');
    bytes_.replace(static_cast<size_t>(f.offset), static_cast<size_t>(f.length), b);
}

} // namespace xb
