// Table scan and append figures on a daily-card-shaped table (90 fields, about
// 300 bytes a record), next to a plain read() loop over the same file.
//   table_bench DIR [RECORDS] [--external]
// --external also times pgdbf and python3-dbfread reading the same file.
#include "RawMatcher.h"
#include "Table.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using namespace xb;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

std::vector<FieldDef> cardFields() {
    std::string list = "NUMER,Numeric,5,0;NR_EW,Numeric,6,0;Z_DNIA,Date;NAZWISKO,Character,25;";
    for (int i = 1; i <= 86; ++i) list += "P" + std::to_string(i) + ",Numeric,3,0;";
    return parseFieldList(list);
}

// Fields by position: NUMER, NR_EW, Z_DNIA, NAZWISKO, then P1..P86.
Record cardRecord(Table& t, uint32_t i) {
    Record r = t.blankRecord();
    r.set(0, static_cast<double>(1 + i % 12));
    r.set(1, static_cast<double>(1 + i % 3000));
    r.set(2, Date::fromJulianDay(Date{2026, 1, 1}.julianDay() + static_cast<long>(i % 365)));
    r.set(3, std::string("Kowalski-Żółć"));
    for (int f = 1; f <= 86; ++f) r.set(3 + f, static_cast<double>((i + f) % 999));
    return r;
}

void build(const std::string& path, uint32_t records) {
    std::filesystem::remove(path);
    Table::create(path, cardFields());
    auto t = Table::open(path);
    std::vector<Record> batch;
    for (uint32_t i = 0; i < records; ++i) {
        batch.push_back(cardRecord(*t, i));
        if (batch.size() == 10000) {
            t->appendMany(batch);
            batch.clear();
        }
    }
    t->appendMany(batch);
}

double readLoop(const std::string& path, uint64_t& bytes) {
    auto start = Clock::now();
    int fd = ::open(path.c_str(), O_RDONLY);
    std::vector<char> buffer(4 << 20);
    bytes = 0;
    ssize_t n;
    while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) bytes += static_cast<uint64_t>(n);
    ::close(fd);
    return seconds(start);
}

double engineScan(const std::string& path, uint64_t& matches) {
    auto start = Clock::now();
    auto t = Table::open(path);
    RawMatcher matcher(t->schema(), {{"NR_EW", 1234.0}, {"Z_DNIA", Date{2026, 3, 15}}});
    matches = 0;
    t->scan([&](uint32_t, const char* record) {
        if (record[0] != '*' && matcher.matches(record)) ++matches;
        return true;
    });
    return seconds(start);
}

double appendSingles(const std::string& path, uint32_t records) {
    std::filesystem::remove(path);
    Table::create(path, cardFields());
    auto t = Table::open(path);
    std::vector<Record> prepared;
    for (uint32_t i = 0; i < records; ++i) prepared.push_back(cardRecord(*t, i));
    auto start = Clock::now();
    for (const auto& r : prepared) t->append(r);
    return seconds(start);
}

template <typename F> double best(int runs, F f) {
    double b = 1e9;
    for (int i = 0; i < runs; ++i) b = std::min(b, f());
    return b;
}

double external(const std::string& command) {
    auto start = Clock::now();
    int rc = std::system(command.c_str());
    double s = seconds(start);
    return rc == 0 ? s : -1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: table_bench DIR [RECORDS] [--external]\n");
        return 2;
    }
    std::string dir = argv[1];
    uint32_t records = argc > 2 && argv[2][0] != '-' ? static_cast<uint32_t>(std::atol(argv[2])) : 1000000;
    bool withExternal = std::strcmp(argv[argc - 1], "--external") == 0;
    std::string path = dir + "/KARTYDZ.DBF";

    auto start = Clock::now();
    build(path, records);
    std::printf("built %u records (record length %d) in %.2f s\n", records,
                Table::open(path)->schema().recordLength(), seconds(start));

    uint64_t bytes = 0, matches = 0;
    readLoop(path, bytes);  // warm the page cache
    double plain = best(7, [&] { return readLoop(path, bytes); });
    double scan = best(7, [&] { return engineScan(path, matches); });
    std::printf("read() loop over %.0f MB:            %.4f s\n", bytes / 1e6, plain);
    std::printf("engine scan, predicate on 2 fields:   %.4f s  (%.2fx the read() loop, %llu matches)\n", scan,
                scan / plain, static_cast<unsigned long long>(matches));

    uint32_t appends = 100000;
    double append = best(3, [&] { return appendSingles(dir + "/APPEND.DBF", appends); });
    std::printf("append %u records one by one:      %.3f s  (%.0f records/s)\n", appends, append, appends / append);

    if (withExternal) {
        double pg = external("pgdbf -s cp852 " + path + " > /dev/null");
        std::printf("pgdbf (full read to SQL):             %.2f s\n", pg);
        double py = external("/usr/bin/python3 -c 'import dbfread,sys\nn=0\nfor r in dbfread.DBF(sys.argv[1], encoding=\"cp852\"):\n"
                             " n+=r[\"NR_EW\"]==1234\nprint(n)' " + path + " > /dev/null");
        std::printf("python3-dbfread (iterate, same test): %.2f s\n", py);
    }
    std::filesystem::remove(path);
    std::filesystem::remove(dir + "/APPEND.DBF");
    return 0;
}
