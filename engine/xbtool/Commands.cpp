#include "Commands.h"

#include "../Error.h"
#include "../Table.h"
#include "../TableCheck.h"
#include "Csv.h"

#include <cstdio>
#include <iostream>

namespace xbtool {

namespace {

using namespace xb;

std::unique_ptr<Table> openForReading(const Arguments& a) {
    OpenOptions o;
    o.readOnly = true;
    o.codePage = a.codePage;
    return Table::open(a.table, o);
}

std::string hex(uint8_t b) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", b);
    return buf;
}

int info(const Arguments& a, std::ostream& out) {
    auto t = openForReading(a);
    const HeaderInfo& h = t->header();
    out << "table: " << a.table << "\n"
        << "version: " << hex(h.version) << "\n"
        << "structural-index: " << (t->hasStructuralIndex() ? "yes" : "no") << "\n"
        << "codepage: " << t->schema().codePage().number() << " (language driver " << hex(h.languageDriver) << ")\n"
        << "records: " << t->recordCount() << "\n"
        << "header-length: " << h.headerLength << "\n"
        << "record-length: " << h.recordLength << "\n"
        << "fields: " << t->schema().fieldCount() << "\n";
    for (const auto& f : t->schema().fields())
        out << f.name << " " << static_cast<char>(f.type) << " " << f.length << " " << f.decimals << "\n";
    return 0;
}

int dump(const Arguments& a, std::ostream& out) {
    auto t = openForReading(a);
    const Schema& s = t->schema();
    std::vector<int> shown;
    std::vector<std::string> names;
    for (int i = 0; i < s.fieldCount(); ++i) {
        if (s.field(i).system) continue;
        shown.push_back(i);
        names.push_back(s.codePage().decode(s.field(i).name));
    }
    if (a.deleted) names.push_back("_DELETED");
    out << csv::line(names);
    auto schema = t->schemaPtr();
    std::vector<std::string> row;
    t->scan([&](uint32_t, const char* bytes) {
        bool deleted = bytes[0] == '*';
        if (deleted && !a.deleted) return true;
        Record r(schema, std::string(bytes, static_cast<size_t>(s.recordLength())));
        row.clear();
        for (int i : shown) row.push_back(codec::toText(s.field(i), r.value(i)));
        if (a.deleted) row.push_back(deleted ? "T" : "F");
        out << csv::line(row);
        return true;
    });
    return 0;
}

int create(const Arguments& a, std::ostream& out) {
    if (a.rest.empty()) throw Error(ErrorCode::BadFieldList, "Brak listy pól");
    CreateOptions o;
    o.codePage = a.codePage ? a.codePage : 852;
    Table::create(a.table, parseFieldList(a.rest[0]), o);
    out << "created " << a.table << "\n";
    return 0;
}

int import(const Arguments& a, std::istream& in, std::ostream& out) {
    OpenOptions o;
    o.codePage = a.codePage;
    auto t = Table::open(a.table, o);
    const Schema& s = t->schema();
    std::vector<std::string> header;
    if (!csv::readRecord(in, header)) throw Error(ErrorCode::BadValue, "Brak wiersza nagłówka CSV");
    std::vector<int> columns;
    for (const auto& name : header) columns.push_back(s.require(name));
    // Everything is parsed and checked first, then appended at once: a bad line writes nothing.
    std::vector<Record> records;
    std::vector<std::string> fields;
    size_t lineNo = 1;
    while (csv::readRecord(in, fields)) {
        ++lineNo;
        if (fields.size() == 1 && fields[0].empty()) continue;
        if (fields.size() != columns.size())
            throw Error(ErrorCode::BadValue, "Wiersz " + std::to_string(lineNo) + ": liczba pól " +
                                                 std::to_string(fields.size()) + " zamiast " + std::to_string(columns.size()));
        Record r = t->blankRecord();
        try {
            for (size_t i = 0; i < columns.size(); ++i) r.set(columns[i], codec::fromText(s.field(columns[i]), fields[i]));
        } catch (const Error& e) {
            throw Error(e.code(), "Wiersz " + std::to_string(lineNo) + ": " + e.what());
        }
        records.push_back(std::move(r));
    }
    t->appendMany(records);
    out << "imported " << records.size() << " records\n";
    return 0;
}

int check(const Arguments& a, std::ostream& out) {
    CheckReport report = checkTable(a.table, a.codePage);
    for (const auto& problem : report.problems) out << problem << "\n";
    if (report.ok()) out << "OK: " << report.records << " records\n";
    return report.ok() ? 0 : 1;
}

} // namespace

int run(const Arguments& a, std::istream& in, std::ostream& out, std::ostream&) {
    if (a.command == "info") return info(a, out);
    if (a.command == "dump") return dump(a, out);
    if (a.command == "create") return create(a, out);
    if (a.command == "import") return import(a, in, out);
    if (a.command == "check") return check(a, out);
    throw Error(ErrorCode::BadValue, "Nieznane polecenie '" + a.command + "'");
}

} // namespace xbtool
