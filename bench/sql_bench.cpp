// The reviews' queries on a 1,000,000-record daily-card table with the tags
// WgDat (Z_DNIA) and WgPrac (NR_EW), next to SQLite running the same queries on
// the same data with the same two indexes, in the same run.
//   sql_bench DIR [RECORDS]
#include "Table.h"
#include "sql/Query.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using namespace xb;
using Clock = std::chrono::steady_clock;

namespace {

const char* kFields =
    "NUMER,Numeric,5,0;NR_EW,Numeric,6,0;NAZWISKO,Character,30;Z_DNIA,Date;KTORA,Numeric,1,0;"
    "ST_KOSZT,Character,6;ZL_ID,Numeric,6,0;ODDZIAL,Character,4;GODZ,Numeric,2,0;MIN,Numeric,2,0;";

struct Card {
    int numer, nrEw, ktora, zlId, godz, min;
    std::string nazwisko, stKoszt, oddzial;
    Date day;
};

Card card(uint32_t i) {
    Card c;
    c.nrEw = static_cast<int>(1 + i % 3000);
    c.day = Date::fromJulianDay(Date{2026, 1, 1}.julianDay() + static_cast<long>((i / 3000) % 365));
    c.numer = c.day.month + 100 * static_cast<int>(c.nrEw % 7);
    c.ktora = i % 10 == 0 ? 1 : 0;
    c.nazwisko = "Pracownik " + std::to_string(c.nrEw);
    c.stKoszt = std::to_string(500 + i % 40);
    c.zlId = static_cast<int>(i % 200);
    c.oddzial = std::to_string(10 + i % 12);
    c.godz = static_cast<int>(i % 9);
    c.min = static_cast<int>((i % 4) * 15);
    return c;
}

double seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

void buildEngine(const std::string& dir, uint32_t records) {
    std::string path = dir + "/KARTYDZ.DBF";
    std::filesystem::remove(path);
    std::filesystem::remove(dir + "/KARTYDZ.CDX");
    std::vector<FieldDef> fields = parseFieldList(kFields);
    for (int i = 1; i <= 80; ++i) fields.push_back(parseFieldList("P" + std::to_string(i) + ",Numeric,3,0;")[0]);
    Table::create(path, fields);
    OpenOptions excl;
    excl.exclusive = true;
    auto t = Table::open(path, excl);
    std::vector<Record> batch;
    for (uint32_t i = 0; i < records; ++i) {
        Card c = card(i);
        Record r = t->blankRecord();
        r.set(0, static_cast<double>(c.numer));
        r.set(1, static_cast<double>(c.nrEw));
        r.set(2, c.nazwisko);
        r.set(3, c.day);
        r.set(4, static_cast<double>(c.ktora));
        r.set(5, c.stKoszt);
        r.set(6, static_cast<double>(c.zlId));
        r.set(7, c.oddzial);
        r.set(8, static_cast<double>(c.godz));
        r.set(9, static_cast<double>(c.min));
        batch.push_back(std::move(r));
        if (batch.size() == 10000) {
            t->appendMany(batch);
            batch.clear();
        }
    }
    t->appendMany(batch);
    t->createTag("WgDat", "Z_DNIA", "");
    t->createTag("WgPrac", "NR_EW", "");
}

void exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", error);
        std::exit(1);
    }
}

sqlite3* buildSqlite(const std::string& dir, uint32_t records) {
    std::string path = dir + "/karty.sqlite";
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF;");
    std::string columns = "NUMER INTEGER, NR_EW INTEGER, NAZWISKO TEXT, Z_DNIA TEXT, KTORA INTEGER, ST_KOSZT TEXT, "
                          "ZL_ID INTEGER, ODDZIAL TEXT, GODZ INTEGER, MIN INTEGER";
    for (int i = 1; i <= 80; ++i) columns += ", P" + std::to_string(i) + " INTEGER";
    exec(db, "CREATE TABLE KARTYDZ (" + columns + ")");
    exec(db, "BEGIN");
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO KARTYDZ (NUMER, NR_EW, NAZWISKO, Z_DNIA, KTORA, ST_KOSZT, ZL_ID, ODDZIAL, GODZ, MIN) "
                           "VALUES (?,?,?,?,?,?,?,?,?,?)", -1, &st, nullptr);
    for (uint32_t i = 0; i < records; ++i) {
        Card c = card(i);
        std::string iso = c.day.iso();
        sqlite3_bind_int(st, 1, c.numer);
        sqlite3_bind_int(st, 2, c.nrEw);
        sqlite3_bind_text(st, 3, c.nazwisko.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 4, iso.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 5, c.ktora);
        sqlite3_bind_text(st, 6, c.stKoszt.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 7, c.zlId);
        sqlite3_bind_text(st, 8, c.oddzial.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 9, c.godz);
        sqlite3_bind_int(st, 10, c.min);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    exec(db, "COMMIT");
    exec(db, "CREATE INDEX WgDat ON KARTYDZ (Z_DNIA); CREATE INDEX WgPrac ON KARTYDZ (NR_EW); ANALYZE;");
    return db;
}

size_t sqliteRows(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    size_t n = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int i = 0; i < sqlite3_column_count(st); ++i) (void)sqlite3_column_text(st, i);
        ++n;
    }
    sqlite3_finalize(st);
    return n;
}

size_t engineRows(const std::string& dir, const std::string& sql) {
    Query q(dir, sql);
    q.open();
    size_t n = 0;
    for (bool more = q.first(); more; more = q.next()) ++n;
    return n;
}

template <typename F> double median(int runs, F f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        f();
        times.push_back(seconds(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: sql_bench DIR [RECORDS]\n");
        return 2;
    }
    std::string dir = argv[1];
    uint32_t records = argc > 2 ? static_cast<uint32_t>(std::atol(argv[2])) : 1000000;
    std::filesystem::create_directories(dir);
    auto start = Clock::now();
    buildEngine(dir, records);
    std::printf("engine table with tags WgDat, WgPrac: %u records in %.1f s\n", records, seconds(start));
    start = Clock::now();
    sqlite3* db = buildSqlite(dir, records);
    std::printf("SQLite table with the same two indexes: %.1f s\n", seconds(start));

    struct Q { const char* name; std::string engine, sqlite; };
    const std::vector<Q> queries = {
        {"period sums (March, grouped by cost centre, order, department)",
         "SELECT ST_KOSZT, ZL_ID, ODDZIAL, SUM(GODZ*60+\"MIN\") AS MINUTY FROM \"KARTYDZ.DBF\" WHERE Z_DNIA BETWEEN "
         "'2026-03-01' AND '2026-03-31' GROUP BY ST_KOSZT, ZL_ID, ODDZIAL",
         "SELECT ST_KOSZT, ZL_ID, ODDZIAL, SUM(GODZ*60+MIN) AS MINUTY FROM KARTYDZ WHERE Z_DNIA BETWEEN "
         "'2026-03-01' AND '2026-03-31' GROUP BY ST_KOSZT, ZL_ID, ODDZIAL"},
        {"period sums (one week)",
         "SELECT ST_KOSZT, ZL_ID, ODDZIAL, SUM(GODZ*60+\"MIN\") AS MINUTY FROM \"KARTYDZ.DBF\" WHERE Z_DNIA BETWEEN "
         "'2026-03-02' AND '2026-03-08' GROUP BY ST_KOSZT, ZL_ID, ODDZIAL",
         "SELECT ST_KOSZT, ZL_ID, ODDZIAL, SUM(GODZ*60+MIN) AS MINUTY FROM KARTYDZ WHERE Z_DNIA BETWEEN "
         "'2026-03-02' AND '2026-03-08' GROUP BY ST_KOSZT, ZL_ID, ODDZIAL"},
        {"cards of one package by day and name",
         "SELECT * FROM \"KARTYDZ.DBF\" WHERE (KTORA=0) AND (Numer=303) ORDER BY Z_DNIA, NAZWISKO",
         "SELECT * FROM KARTYDZ WHERE (KTORA=0) AND (NUMER=303) ORDER BY Z_DNIA, NAZWISKO"},
        {"cards of one employee (WgPrac)",
         "SELECT * FROM \"KARTYDZ.DBF\" WHERE NR_EW=1234 ORDER BY Z_DNIA",
         "SELECT * FROM KARTYDZ WHERE NR_EW=1234 ORDER BY Z_DNIA"},
    };
    for (const auto& q : queries) {
        size_t ours = engineRows(dir, q.engine), theirs = sqliteRows(db, q.sqlite);
        double e = median(5, [&] { engineRows(dir, q.engine); });
        double s = median(5, [&] { sqliteRows(db, q.sqlite); });
        std::printf("%-62s engine %.4f s, SQLite %.4f s, ratio %.2f (rows %zu / %zu)\n", q.name, e, s, e / s, ours, theirs);
    }
    sqlite3_close(db);
    return 0;
}
