#include "Commands.h"

#include "../Error.h"
#include "../Table.h"
#include "../TableCheck.h"
#include "../index/IndexSet.h"
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
    o.password = a.password;
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

std::unique_ptr<Table> openExclusive(const Arguments& a) {
    OpenOptions o;
    o.exclusive = true;
    o.codePage = a.codePage;
    return Table::open(a.table, o);
}

bool isNtx(const std::string& name) {
    return name.size() > 4 && upperAscii(name.substr(name.size() - 4)) == ".NTX";
}

// xbtool index TABLE TAG EXPRESSION [FOR] | xbtool index TABLE --ntx FILE EXPRESSION [FOR]
int index(const Arguments& a, std::ostream& out) {
    const auto& r = a.rest;
    bool ntx = !r.empty() && r[0] == "--ntx";
    size_t at = ntx ? 1 : 0;
    if (r.size() < at + 2) throw Error(ErrorCode::BadValue, "Brak nazwy indeksu lub wyrażenia");
    std::string condition = r.size() > at + 2 ? r[at + 2] : std::string();
    auto t = openExclusive(a);
    if (ntx) {
        t->createNtx(r[at], r[at + 1], condition);
        out << "created " << r[at] << "\n";
    } else {
        t->createTag(r[at], r[at + 1], condition);
        out << "created tag " << upperAscii(r[at]) << "\n";
    }
    return 0;
}

// Rebuilds the structural index and the .ntx files named. When the .cdx is too damaged
// to open, its tag definitions are read from what is left and the file is made anew.
int reindex(const Arguments& a, std::ostream& out) {
    std::unique_ptr<Table> t;
    try {
        t = openExclusive(a);
    } catch (const Error& e) {
        std::string cdx = IndexSet::structuralPath(a.table);
        if (e.code() != ErrorCode::Corrupt || e.file() != cdx) throw;
        std::vector<OrderInfo> tags = IndexSet::readDefinitions(cdx);
        removeFile(cdx);
        t = openExclusive(a);
        for (const auto& tag : tags) t->createTag(tag.name, tag.expression, tag.condition);
        out << "recreated " << tags.size() << " tags of " << cdx << "\n";
    }
    for (const auto& ntx : a.rest) t->openNtx(ntx);
    t->reindex();
    size_t orders = t->indexes() ? t->indexes()->orders().size() : 0;
    out << "reindexed " << orders << " orders, " << t->recordCount() << " records\n";
    return 0;
}

// xbtool keys TABLE TAG|FILE.ntx: every key with its record number, in key order.
int keysOf(const Arguments& a, std::ostream& out) {
    if (a.rest.empty()) throw Error(ErrorCode::BadValue, "Brak nazwy tagu");
    auto t = openForReading(a);
    std::string name = a.rest[0];
    if (isNtx(name)) {
        t->openNtx(name);
        name = t->indexes()->orders().back()->name;
    }
    IndexedOrder* order = t->indexes() ? t->indexes()->find(name) : nullptr;
    if (!order) throw Error(ErrorCode::NotFound, "Nie ma indeksu '" + name + "'", a.table);
    const CodePage& cp = t->schema().codePage();
    out << csv::line({"KEY", "RECNO"});
    order->order->forEach([&](const IndexEntry& e) {
        Value v = order->decodeKey(e.key);
        std::string text;
        if (const auto* s = std::get_if<std::string>(&v)) text = cp.decode(*s);
        else if (const auto* d = std::get_if<Date>(&v)) text = d->iso();
        else if (const auto* b = std::get_if<bool>(&v)) text = *b ? "T" : "F";
        else {
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.15g", std::get<double>(v));
            text = buf;
        }
        out << csv::line({text, std::to_string(e.recno)});
        return true;
    });
    return 0;
}

int check(const Arguments& a, std::ostream& out) {
    CheckReport report = checkTable(a.table, a.codePage, a.rest);
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
    if (a.command == "index") return index(a, out);
    if (a.command == "reindex") return reindex(a, out);
    if (a.command == "keys") return keysOf(a, out);
    if (a.command == "sql") return sqlCommand(a, out);
    throw Error(ErrorCode::BadValue, "Nieznane polecenie '" + a.command + "'");
}

} // namespace xbtool
