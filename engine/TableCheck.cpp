#include "TableCheck.h"

#include "Error.h"
#include "Table.h"
#include "index/IndexSet.h"

#include <map>

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

constexpr size_t kMaxIndexProblems = 10;

std::string keyText(const IndexedOrder& order, const Schema& schema, const std::string& key) {
    Value v = order.decodeKey(key);
    if (const auto* s = std::get_if<std::string>(&v)) return "'" + schema.codePage().decode(*s) + "'";
    if (const auto* d = std::get_if<Date>(&v)) return d->blank() ? "pusta data" : d->iso();
    if (const auto* b = std::get_if<bool>(&v)) return *b ? ".T." : ".F.";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", std::get<double>(v));
    return buf;
}

// Compares one order with what its expression gives for every record.
void checkOrder(Table& table, IndexedOrder& order, std::vector<std::string>& problems) {
    const std::string prefix = "indeks " + order.name + ": ";
    size_t before = problems.size();
    auto add = [&](const std::string& what) {
        if (problems.size() - before < kMaxIndexProblems) problems.push_back(prefix + what);
    };
    if (!order.key) {
        add("nie można sprawdzić (" + order.problem + ")");
        return;
    }
    std::map<uint32_t, std::string> have;
    const IndexEntry* previous = nullptr;
    IndexEntry last;
    size_t keys = 0;
    order.order->forEach([&](const IndexEntry& e) {
        ++keys;
        if (previous && compareEntries(last, e) >= 0) add("zła kolejność kluczy przy rekordzie " + std::to_string(e.recno));
        if (!have.emplace(e.recno, e.key).second) add("rekord " + std::to_string(e.recno) + " występuje wielokrotnie");
        last = e;
        previous = &last;
        return true;
    });
    auto expected = table.indexes()->expectedEntries(table, {&order});
    std::map<uint32_t, std::string> want;
    for (auto& e : expected[0]) want.emplace(e.recno, std::move(e.key));
    for (const auto& [recno, key] : want) {
        auto it = have.find(recno);
        if (it == have.end()) add("brak klucza rekordu " + std::to_string(recno));
        else if (it->second != key)
            add("rekord " + std::to_string(recno) + " ma klucz " + keyText(order, table.schema(), it->second) +
                ", a wyrażenie daje " + keyText(order, table.schema(), key));
    }
    for (const auto& [recno, key] : have)
        if (!want.count(recno)) add("zbędny klucz rekordu " + std::to_string(recno) + " " + keyText(order, table.schema(), key));
    if (problems.size() > before)
        problems.push_back(prefix + std::to_string(keys) + " kluczy, oczekiwano " + std::to_string(want.size()) +
                           "; pomoże odbudowa indeksów (xbtool reindex)");
}

void checkIndexes(Table& table, const std::vector<std::string>& ntxFiles, std::vector<std::string>& problems) {
    for (const auto& ntx : ntxFiles) table.openNtx(ntx);
    IndexSet* indexes = table.indexes();
    if (!indexes) return;
    // Under the index locks no writer changes records or keys while they are compared.
    indexes->beginRead();
    try {
        for (IndexedOrder* order : indexes->orders()) {
            try {
                checkOrder(table, *order, problems);
            } catch (const Error& e) {
                if (e.code() != ErrorCode::Corrupt) throw;
                problems.push_back("indeks " + order->name + ": " + e.what());
            }
        }
    } catch (...) {
        indexes->endRead();
        throw;
    }
    indexes->endRead();
}

} // namespace

CheckReport checkTable(const std::string& path, int codePage, const std::vector<std::string>& ntxFiles) {
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
    try {
        checkIndexes(*table, ntxFiles, report.problems);
    } catch (const Error& e) {
        if (e.code() != ErrorCode::Corrupt) throw;
        report.problems.push_back(e.what() + std::string(": ") + e.file());
    }
    return report;
}

} // namespace xb
