#include "../Error.h"
#include "../sql/Query.h"
#include "Commands.h"
#include "Csv.h"

#include <cmath>
#include <ostream>

namespace xbtool {

namespace {

// Parameter text as a value: a number, a date YYYY-MM-DD, TRUE/FALSE, else text.
xb::Value parameterValue(const std::string& text) {
    if (text == "TRUE" || text == "FALSE") return text == "TRUE";
    char* end = nullptr;
    double d = std::strtod(text.c_str(), &end);
    if (!text.empty() && end && *end == '\0') return d;
    if (text.size() == 10 && text[4] == '-' && text[7] == '-') {
        try {
            return xb::Date::parse(text);
        } catch (const xb::Error&) {
        }
    }
    return text;
}

std::string cell(const xb::sql::ResultColumn& c, const xb::Value& v) {
    xb::FieldDef f;
    f.type = c.type;
    f.decimals = c.decimals;
    if (const auto* d = std::get_if<double>(&v)) {
        // Computed numbers without a known scale print as they are.
        if (c.type != xb::FieldType::Numeric && c.type != xb::FieldType::Float) f.type = xb::FieldType::Double;
        if (f.type == xb::FieldType::Double && *d == std::floor(*d) && std::fabs(*d) < 1e15) {
            char buf[32];
            std::snprintf(buf, sizeof buf, "%.0f", *d);
            return buf;
        }
    }
    return xb::codec::toText(f, v);
}

} // namespace

int sqlCommand(const Arguments& a, std::ostream& out) {
    if (a.rest.empty()) throw xb::Error(xb::ErrorCode::SqlSyntax, "Brak tekstu zapytania");
    xb::Query q(a.table, a.rest[0]);
    q.setPassword(a.password);
    for (const auto& [name, value] : a.params) q.setParam(name, parameterValue(value));

    bool isSelect = xb::equalsIgnoreCase(a.rest[0].substr(a.rest[0].find_first_not_of(" \t\r\n("), 6), "SELECT");
    if (!isSelect) {
        out << q.execute() << "\n";
        return 0;
    }
    q.open();
    std::vector<std::string> names;
    for (const auto& c : q.columns()) names.push_back(c.name);
    out << xb::csv::line(names);
    for (bool more = q.first(); more; more = q.next()) {
        std::vector<std::string> row;
        for (size_t i = 0; i < q.columns().size(); ++i) row.push_back(cell(q.columns()[i], q.value(i)));
        out << xb::csv::line(row);
    }
    return 0;
}

} // namespace xbtool
