#include "TableCheck.h"

#include "Error.h"
#include "Table.h"

namespace xb {

namespace {

constexpr size_t kMaxProblems = 50;

// A field's stored bytes that no reader could take for a value of its type.
std::string badValue(const FieldDef& f, std::string_view raw) {
    auto blank = [&] { return raw.find_first_not_of(' ') == std::string_view::npos; };
    switch (f.type) {
    case FieldType::Numeric:
    case FieldType::Float: {
        double d;
        if (blank() || codec::parseNumber(raw, d)) return {};
        return "niepoprawna liczba";
    }
    case FieldType::Date: {
        if (blank() || raw == "00000000") return {};
        try {
            Date::parse(raw);
            return {};
        } catch (const Error&) {
            return "niepoprawna data";
        }
    }
    case FieldType::Logical:
        return std::string_view("TtFfYyNn? ").find(raw.empty() ? ' ' : raw[0]) == std::string_view::npos
                   ? "niepoprawna wartość logiczna"
                   : "";
    default: return {};
    }
}

} // namespace

CheckReport checkTable(const std::string& path, int codePage) {
    CheckReport report;
    OpenOptions options;
    options.readOnly = true;
    options.codePage = codePage;
    std::unique_ptr<Table> table;
    try {
        table = Table::open(path, options);
    } catch (const Error& e) {
        if (e.code() != ErrorCode::Corrupt) throw;
        report.problems.push_back(e.what());
        return report;
    }
    const Schema& schema = table->schema();
    try {
        table->scan([&](uint32_t recno, const char* bytes) {
            ++report.records;
            if (bytes[0] != ' ' && bytes[0] != '*')
                report.problems.push_back("rekord " + std::to_string(recno) + ": niepoprawny znacznik usunięcia");
            for (const auto& f : schema.fields()) {
                std::string_view raw(bytes + f.offset, static_cast<size_t>(f.length));
                std::string what = badValue(f, raw);
                if (!what.empty())
                    report.problems.push_back("rekord " + std::to_string(recno) + ", pole " + f.name + ": " + what);
            }
            return report.problems.size() < kMaxProblems;
        });
    } catch (const Error& e) {
        report.problems.push_back(e.what());
    }
    return report;
}

} // namespace xb
