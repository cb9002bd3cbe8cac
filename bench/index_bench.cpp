// Index figures on a daily-card-shaped table (about 90 fields, about 300 bytes a
// record, 1 000 000 records by default) with the tags WgDat (Z_DNIA) and WgPrac (NR_EW):
// building both tags next to std::sort of the same keys, a warm exact seek, appending
// with both tags kept, and the bytes read to fetch one employee's cards through WgPrac.
//   index_bench DIR [RECORDS] [Google Benchmark flags]
// The table is made once in DIR and reused by later runs.
#include "Dataset.h"
#include "Table.h"
#include "index/IndexSet.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

using namespace xb;
namespace fs = std::filesystem;

namespace {

std::string gDir;
uint32_t gRecords = 1000000;
constexpr uint32_t kEmployees = 4000;

std::string tablePath() { return gDir + "/KARTYDZ.DBF"; }

std::vector<FieldDef> cardFields() {
    std::string list = "NUMER,N,4,0;NR_EW,N,6,0;Z_DNIA,D;";
    for (int i = 1; i <= 20; ++i) list += "G" + std::to_string(i) + ",N,3,0;M" + std::to_string(i) + ",N,3,0;";
    for (int l = 0; l < 6; ++l) {
        std::string n = l == 0 ? "" : std::to_string(l);
        list += "GODZ" + n + ",N,3,0;MIN" + n + ",N,3,0;ST_KOSZT" + n + ",C,5;ZL_ID" + n + ",N,5,0;ODDZIAL" + n + ",C,3;";
    }
    list += "NAZWISKO,C,35;KTORA,N,1,0;";
    for (int i = 1; i <= 14; ++i) list += "X" + std::to_string(i) + ",N,3,0;";
    return parseFieldList(list);
}

// Card i: employee i % kEmployees, day i / kEmployees of 2026 (a year of cards for 4000 people).
Record card(Table& t, const Record& blank, uint32_t i) {
    Record r = blank;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%6u", 1 + i % kEmployees);
    r.setRaw(1, buf);
    Date d = Date::fromJulianDay(Date{2026, 1, 1}.julianDay() + static_cast<long>((i / kEmployees) % 365));
    r.setRaw(2, d.dtos());
    (void)t;
    return r;
}

void ensureTable() {
    if (fs::exists(tablePath())) {
        auto t = Table::open(tablePath());
        if (t->recordCount() == gRecords && t->indexes() && t->indexes()->find("WgPrac") && t->indexes()->find("WgDat")) return;
        t.reset();
        fs::remove(tablePath());
        fs::remove(IndexSet::structuralPath(tablePath()));
    }
    fs::create_directories(gDir);
    Table::create(tablePath(), cardFields(), {852, false});
    OpenOptions ex;
    ex.exclusive = true;
    auto t = Table::open(tablePath(), ex);
    Record blank = t->blankRecord();
    for (int f = 0; f < blank.schema().fieldCount(); ++f)
        if (blank.schema().field(f).type == FieldType::Numeric) blank.set(f, 0.0);
    blank.set("NAZWISKO", std::string("Kowalski-Żółć Jan"));
    blank.set("ST_KOSZT", std::string("10200"));
    std::vector<Record> batch;
    for (uint32_t i = 0; i < gRecords; ++i) {
        batch.push_back(card(*t, blank, i));
        if (batch.size() == 20000) {
            t->appendMany(batch);
            batch.clear();
        }
    }
    t->appendMany(batch);
    t->createTag("WgDat", "Z_DNIA");
    t->createTag("WgPrac", "NR_EW");
}

// Bytes this process has read through read(2)/pread(2) so far.
uint64_t bytesRead() {
    std::ifstream io("/proc/self/io");
    std::string name;
    uint64_t value = 0;
    while (io >> name >> value)
        if (name == "rchar:") return value;
    return 0;
}

void BuildBothTags(benchmark::State& state) {
    OpenOptions ex;
    ex.exclusive = true;
    auto t = Table::open(tablePath(), ex);
    double buildSeconds = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        t->reindex();
        buildSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    // The same keys, as the scan yields them, sorted in memory with std::sort.
    auto orders = t->indexes()->orders();
    std::vector<std::vector<IndexEntry>> keys(orders.size());
    t->scan([&](uint32_t recno, const char* bytes) {
        for (size_t i = 0; i < orders.size(); ++i) keys[i].push_back({*orders[i]->keyOf({bytes, recno}), recno});
        return true;
    });
    auto start = std::chrono::steady_clock::now();
    for (auto& k : keys)
        std::sort(k.begin(), k.end(), [](const IndexEntry& a, const IndexEntry& b) { return compareEntries(a, b) < 0; });
    double sortSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.counters["build_ms"] = buildSeconds * 1000;
    state.counters["std_sort_ms"] = sortSeconds * 1000;
    state.counters["build_to_sort"] = buildSeconds / sortSeconds;
}

void SeekExact(benchmark::State& state) {
    Dataset d(tablePath());
    d.open();
    d.setActiveTag("WgPrac");
    std::mt19937 rng(1);
    for (int i = 0; i < 1000; ++i) d.seek(static_cast<double>(1 + rng() % kEmployees));  // warm
    for (auto _ : state) benchmark::DoNotOptimize(d.seek(static_cast<double>(1 + rng() % kEmployees)));
}

void EmployeeCards(benchmark::State& state) {
    Dataset d(tablePath());
    d.open();
    d.setActiveTag("WgPrac");
    uint64_t read = 0, cards = 0;
    for (auto _ : state) {
        uint64_t before = bytesRead();
        cards = 0;
        d.setRange(1234.0, 1234.0);
        for (bool ok = d.first(); ok; ok = d.next()) ++cards;
        read = bytesRead() - before;
    }
    state.counters["cards"] = static_cast<double>(cards);
    state.counters["bytes_read"] = static_cast<double>(read);
    state.counters["table_bytes"] = static_cast<double>(fs::file_size(tablePath()));
}

// Appends to a copy, so that the table keeps its size for the next run.
void Append(benchmark::State& state) {
    std::string copy = gDir + "/append/KARTYDZ.DBF";
    fs::remove_all(gDir + "/append");
    fs::create_directories(gDir + "/append");
    fs::copy_file(tablePath(), copy);
    fs::copy_file(IndexSet::structuralPath(tablePath()), IndexSet::structuralPath(copy));
    auto t = Table::open(copy);
    Record blank = t->read(1);
    const auto batch = static_cast<uint32_t>(state.range(0));
    const uint32_t total = 100000;
    for (auto _ : state) {
        std::vector<Record> records;
        for (uint32_t i = 0; i < total; ++i) {
            records.push_back(card(*t, blank, gRecords + i * 7919));
            if (records.size() == batch) {
                if (batch == 1) t->append(records[0]);
                else t->appendMany(records);
                records.clear();
            }
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(total) * static_cast<int64_t>(state.iterations()));
    t.reset();
    fs::remove_all(gDir + "/append");
}

} // namespace

BENCHMARK(BuildBothTags)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SeekExact)->Repetitions(10)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(EmployeeCards)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Append)->Arg(1000)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Użycie: index_bench KATALOG [LICZBA_REKORDÓW] [opcje Google Benchmark]\n");
        return 2;
    }
    gDir = argv[1];
    if (argc > 2) gRecords = static_cast<uint32_t>(std::stoul(argv[2]));
    ensureTable();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
