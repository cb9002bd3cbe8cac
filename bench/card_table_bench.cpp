// Card table access paths on a year's KARTYDZ of about 1,000,000 cards: 126 groups of
// 30 employees, a main card for every working day, appended day by day as the sites
// write them. Times the main cards of one package (30 employees x 22 days), the main
// card of one employee and day, the employees of a package, and for comparison the
// package query QKartDz run by the SQL layer.
//   card_table_bench DIR [GROUPS]     (DIR is emptied and reused)
#include "CardTable.h"
#include "PackageNumber.h"
#include "Table.h"
#include "TableCatalogue.h"
#include "TableFactory.h"
#include "sql/Query.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace ewidor;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kYear = 2026;
constexpr int kEmployeesPerGroup = 30;

double seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

bool workingDay(const xb::Date& d) {
    long weekday = (d.julianDay() + 1) % 7;  // 0 = Sunday
    return weekday != 0 && weekday != 6;
}

std::string build(const std::string& dir, int groups) {
    TableCatalogue catalogue;
    const TableDef& def = catalogue.site("KARTYDZ");
    std::string path = dir + def.fileName;
    xb::Table::create(path, def.fields);
    auto table = xb::Table::open(path);
    std::vector<xb::Record> batch;
    for (long jd = xb::Date{kYear, 1, 1}.julianDay(); jd <= xb::Date{kYear, 12, 31}.julianDay(); ++jd) {
        xb::Date day = xb::Date::fromJulianDay(jd);
        if (!workingDay(day)) continue;
        for (int group = 0; group < groups; ++group)
            for (int e = 0; e < kEmployeesPerGroup; ++e) {
                xb::Record r = table->blankRecord();
                r.set("NUMER", static_cast<double>(PackageNumber::Encode(group, day.month)));
                r.set("NR_EW", static_cast<double>(group * 100 + e + 1));
                r.set("Z_DNIA", day);
                r.set("NAZWISKO", "Pracownik " + std::to_string(group) + "/" + std::to_string(e));
                r.set("KTORA", 0.0);
                r.set("GODZ", 8.0);
                r.set("ST_KOSZT", "ST001");
                batch.push_back(std::move(r));
            }
        table->appendMany(batch);
        batch.clear();
    }
    table.reset();
    TableFactory::CreateIndexTags(def, path);
    return path;
}

// Best and median of `runs` timings, in milliseconds.
void time(const char* what, int runs, const std::function<size_t()>& run) {
    std::vector<double> ms;
    size_t rows = 0;
    for (int i = 0; i < runs; ++i) {
        auto start = Clock::now();
        rows = run();
        ms.push_back(seconds(start) * 1000);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s %7zu rows  best %9.3f ms  median %9.3f ms\n", what, rows, ms.front(), ms[ms.size() / 2]);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: card_table_bench DIR [GROUPS]\n");
        return 2;
    }
    std::string dir = std::string(argv[1]) + "/";
    int groups = argc > 2 ? std::stoi(argv[2]) : 126;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);

    auto start = Clock::now();
    std::string path = build(dir, groups);
    auto count = xb::Table::open(path)->recordCount();
    std::printf("built %u cards in %.1f s\n", count, seconds(start));

    CardTable cards(path);
    const int numer = PackageNumber::Encode(groups / 2, 3);
    const int nrEw = (groups / 2) * 100 + 17;
    const xb::Date day{kYear, 3, 18};
    time("main cards of a package (by day, name)", 11,
         [&] { return cards.MainCardsOfPackage(numer, PackageOrder::ByDayThenName).size(); });
    time("main cards of a package (by name, day)", 11,
         [&] { return cards.MainCardsOfPackage(numer, PackageOrder::ByNameThenDay).size(); });
    time("main card of an employee and day", 101, [&] { return cards.MainCard(nrEw, day) ? size_t{1} : 0; });
    time("supplementary cards of an employee and day", 101, [&] { return cards.SupplementaryCards(nrEw, day).size(); });
    time("employees of a package", 11, [&] { return cards.EmployeesOfPackage(numer).size(); });
    time("days of an employee in a package", 101, [&] { return cards.DaysOfEmployee(numer, nrEw).size(); });
    time("QKartDz through the SQL layer (scan)", 3, [&] {
        xb::Query q(dir, "SELECT * FROM \"KARTYDZ.DBF\" WHERE (KTORA=0) AND (Numer=:NumPac) ORDER BY Z_DNIA, NAZWISKO");
        q.setParam("NumPac", static_cast<double>(numer));
        q.open();
        return q.rowCount();
    });
    return 0;
}
