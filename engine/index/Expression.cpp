#include "Expression.h"

#include "../Error.h"
#include "ExpressionParser.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <mutex>

namespace xb {

namespace {

// Upper- and lower-case maps of one code page's bytes, built from its Unicode mapping.
struct CaseTables {
    std::array<uint8_t, 256> upper{}, lower{};
};

const CaseTables& caseTables(const CodePage& cp) {
    static std::mutex mutex;
    static std::map<int, CaseTables> tables;
    std::lock_guard<std::mutex> guard(mutex);
    auto [it, added] = tables.try_emplace(cp.number());
    if (!added) return it->second;
    CaseTables& t = it->second;
    for (int b = 0; b < 256; ++b) t.upper[b] = t.lower[b] = static_cast<uint8_t>(b);
    for (int b = 0x20; b < 256; ++b) {
        std::string one(1, static_cast<char>(b));
        std::string up = upperUtf8(cp.decode(one));
        if (!cp.canEncode(up)) continue;
        std::string back = cp.encode(up);
        if (back.size() == 1 && static_cast<uint8_t>(back[0]) != b) {
            t.upper[b] = static_cast<uint8_t>(back[0]);
            t.lower[static_cast<uint8_t>(back[0])] = static_cast<uint8_t>(b);
        }
    }
    return t;
}

std::string_view rawField(const Schema& schema, const ExprRow& row, int index) {
    const FieldDef& f = schema.field(index);
    return {row.bytes + f.offset, static_cast<size_t>(f.length)};
}

Value fieldValue(const Schema& schema, const ExprRow& row, int index, ExprType type) {
    std::string_view raw = rawField(schema, row, index);
    const FieldDef& f = schema.field(index);
    switch (type) {
    case ExprType::Character: return std::string(raw);
    case ExprType::Numeric: {
        if (f.type == FieldType::Numeric || f.type == FieldType::Float) {
            double d = 0;
            return codec::parseNumber(raw, d) ? d : 0.0;
        }
        Value v = codec::decode(f, raw, schema.codePage());
        if (const double* d = std::get_if<double>(&v)) return *d;
        return 0.0;
    }
    case ExprType::Date: {
        Date d;
        bool digits = raw.size() == 8 && std::all_of(raw.begin(), raw.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (!digits) return d;
        d.year = (raw[0] - '0') * 1000 + (raw[1] - '0') * 100 + (raw[2] - '0') * 10 + (raw[3] - '0');
        d.month = (raw[4] - '0') * 10 + (raw[5] - '0');
        d.day = (raw[6] - '0') * 10 + (raw[7] - '0');
        return d.valid() ? d : Date{};
    }
    case ExprType::Logical: return !raw.empty() && std::string_view("TtYy").find(raw[0]) != std::string_view::npos;
    }
    return {};
}

std::string str(const Value& v) { return std::holds_alternative<std::string>(v) ? std::get<std::string>(v) : std::string(); }
double num(const Value& v) { return std::holds_alternative<double>(v) ? std::get<double>(v) : 0.0; }
bool logic(const Value& v) { return std::holds_alternative<bool>(v) && std::get<bool>(v); }
Date date(const Value& v) { return std::holds_alternative<Date>(v) ? std::get<Date>(v) : Date{}; }

std::string rtrim(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    return s;
}
std::string ltrim(std::string s) {
    size_t i = s.find_first_not_of(' ');
    return i == std::string::npos ? std::string() : s.substr(i);
}

std::string formatStr(double v, int width, int decimals) {
    char buf[400];
    int n = std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, v);
    if (n < 0 || n > width) return std::string(static_cast<size_t>(width), '*');
    return std::string(buf, static_cast<size_t>(n));
}

// Compares two texts as xBase does, the shorter padded with blanks.
int compareText(const std::string& a, const std::string& b) {
    size_t n = std::max(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        auto ca = static_cast<uint8_t>(i < a.size() ? a[i] : ' ');
        auto cb = static_cast<uint8_t>(i < b.size() ? b[i] : ' ');
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return 0;
}

int compare(const Value& a, const Value& b) {
    if (std::holds_alternative<std::string>(a)) return compareText(str(a), str(b));
    if (std::holds_alternative<double>(a)) return num(a) < num(b) ? -1 : num(a) > num(b) ? 1 : 0;
    if (std::holds_alternative<Date>(a)) return date(a).julianDay() < date(b).julianDay() ? -1 : date(a).julianDay() > date(b).julianDay() ? 1 : 0;
    return static_cast<int>(logic(a)) - static_cast<int>(logic(b));
}

// '=' on texts: the left side begins with the right one (exactness off, as keys are compared).
bool softEquals(const Value& a, const Value& b) {
    if (!std::holds_alternative<std::string>(a)) return compare(a, b) == 0;
    const std::string& l = std::get<std::string>(a);
    const std::string& r = std::get<std::string>(b);
    return l.compare(0, r.size(), r) == 0 || compareText(l, r) == 0;
}

// A count from a computed number: NaN and huge values must not reach an integer conversion.
long whole(double d) { return std::isfinite(d) ? static_cast<long>(std::clamp(d, -1e7, 1e7)) : 0; }

Date addDays(Date d, double days) {
    if (d.blank()) return d;
    return Date::fromJulianDay(d.julianDay() + whole(std::round(days)));
}

} // namespace

Value ExprNode::eval(const Schema& schema, const ExprRow& row) const {
    auto arg = [&](size_t i) { return args[i]->eval(schema, row); };
    switch (op) {
    case ExprOp::Field: return fieldValue(schema, row, field, type);
    case ExprOp::Literal: return literal;
    case ExprOp::Concat: return str(arg(0)) + str(arg(1));
    case ExprOp::ConcatTrim: {
        std::string a = str(arg(0));
        size_t kept = rtrim(a).size();
        std::string r = a.substr(0, kept) + str(arg(1));
        r.append(a.size() - kept, ' ');
        return r;
    }
    case ExprOp::Add:
        if (type == ExprType::Date)
            return args[0]->type == ExprType::Date ? addDays(date(arg(0)), num(arg(1))) : addDays(date(arg(1)), num(arg(0)));
        return num(arg(0)) + num(arg(1));
    case ExprOp::Sub:
        if (type == ExprType::Date) return addDays(date(arg(0)), -num(arg(1)));
        if (args[0]->type == ExprType::Date)
            return static_cast<double>(date(arg(0)).julianDay() - date(arg(1)).julianDay());
        return num(arg(0)) - num(arg(1));
    case ExprOp::Mul: return num(arg(0)) * num(arg(1));
    case ExprOp::Div: {
        double d = num(arg(1));
        return d == 0 ? 0.0 : num(arg(0)) / d;
    }
    case ExprOp::Neg: return -num(arg(0));
    case ExprOp::Eq: return softEquals(arg(0), arg(1));
    case ExprOp::ExactEq: {
        Value a = arg(0), b = arg(1);
        if (std::holds_alternative<std::string>(a)) return str(a) == str(b);
        return compare(a, b) == 0;
    }
    case ExprOp::Ne: return !softEquals(arg(0), arg(1));
    case ExprOp::Lt: return compare(arg(0), arg(1)) < 0;
    case ExprOp::Le: return compare(arg(0), arg(1)) <= 0;
    case ExprOp::Gt: return compare(arg(0), arg(1)) > 0;
    case ExprOp::Ge: return compare(arg(0), arg(1)) >= 0;
    case ExprOp::Contains: return str(arg(1)).find(rtrim(str(arg(0)))) != std::string::npos;
    case ExprOp::And: return logic(arg(0)) && logic(arg(1));
    case ExprOp::Or: return logic(arg(0)) || logic(arg(1));
    case ExprOp::Not: return !logic(arg(0));
    case ExprOp::Upper:
    case ExprOp::Lower: {
        std::string s = str(arg(0));
        const auto& map = op == ExprOp::Upper ? caseTables(schema.codePage()).upper : caseTables(schema.codePage()).lower;
        for (char& c : s) c = static_cast<char>(map[static_cast<uint8_t>(c)]);
        return s;
    }
    case ExprOp::Trim: return rtrim(str(arg(0)));
    case ExprOp::LTrim: return ltrim(str(arg(0)));
    case ExprOp::AllTrim: return ltrim(rtrim(str(arg(0))));
    case ExprOp::Left: {
        std::string s = str(arg(0));
        long n = whole(num(arg(1)));
        return n <= 0 ? std::string() : s.substr(0, std::min(static_cast<size_t>(n), s.size()));
    }
    case ExprOp::Right: {
        std::string s = str(arg(0));
        long n = whole(num(arg(1)));
        size_t k = n <= 0 ? 0 : std::min(static_cast<size_t>(n), s.size());
        return s.substr(s.size() - k);
    }
    case ExprOp::Substr: {
        std::string s = str(arg(0));
        long start = whole(num(arg(1)));
        if (start < 1 || static_cast<size_t>(start) > s.size()) return std::string();
        size_t from = static_cast<size_t>(start) - 1;
        size_t count = s.size() - from;
        if (args.size() == 3) {
            long n = whole(num(arg(2)));
            count = n <= 0 ? 0 : std::min(static_cast<size_t>(n), count);
        }
        return s.substr(from, count);
    }
    case ExprOp::Str: return formatStr(num(arg(0)), width, decimals);
    case ExprOp::Dtos: {
        Date d = date(arg(0));
        return d.blank() ? std::string(8, ' ') : d.dtos();
    }
    case ExprOp::Val: {
        double d = 0;
        return codec::parseNumber(str(arg(0)), d) ? d : 0.0;
    }
    case ExprOp::Len: return static_cast<double>(str(arg(0)).size());
    case ExprOp::Iif: return logic(arg(0)) ? arg(1) : arg(2);
    case ExprOp::Deleted: return row.bytes != nullptr && row.bytes[0] == '*';
    case ExprOp::Recno: return static_cast<double>(row.recno);
    case ExprOp::Year: return static_cast<double>(date(arg(0)).year);
    case ExprOp::Month: return static_cast<double>(date(arg(0)).month);
    case ExprOp::Day: return static_cast<double>(date(arg(0)).day);
    }
    return {};
}

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

Expression Expression::parse(std::string_view text, std::shared_ptr<const Schema> schema) {
    Expression e;
    e.text_ = std::string(text);
    e.schema_ = std::move(schema);
    e.root_ = ExpressionParser(text, *e.schema_).parse();
    return e;
}

ExprType Expression::type() const { return root_->type; }
int Expression::width() const { return root_->width; }
int Expression::decimals() const { return root_->decimals; }
int Expression::singleField() const { return root_->op == ExprOp::Field ? root_->field : -1; }

Value Expression::evaluate(const ExprRow& row) const { return root_->eval(*schema_, row); }

bool Expression::test(const ExprRow& row) const { return logic(evaluate(row)); }

} // namespace xb
