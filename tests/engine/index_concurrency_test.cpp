// Several real processes append, edit keys and delete in one table at once; every
// index stays in step with the table.
#include "Table.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace xb;
using namespace testsupport;

namespace {

TEST(IndexConcurrency, ProcessesWritingAtOnceLeaveEveryTagInStep) {
    TempDir dir;
    std::string path = dir.file("KARTYDZ.DBF");
    Table::create(path, parseFieldList("NR_EW,N,6,0;Z_DNIA,D;NAZWISKO,C,25"));
    uint32_t initial = 0;
    {
        OpenOptions ex;
        ex.exclusive = true;
        auto t = Table::open(path, ex);
        std::vector<Record> records;
        for (int i = 0; i < 2000; ++i) {
            Record r = t->blankRecord();
            r.set("NR_EW", static_cast<double>(i % 500));
            r.set("Z_DNIA", Date{2026, 1 + i % 12, 1 + i % 28});
            r.set("NAZWISKO", "Pracownik " + std::to_string(i % 100));
            records.push_back(r);
        }
        t->appendMany(records);
        t->createTag("WgPrac", "NR_EW");
        t->createTag("WgDat", "Z_DNIA");
        t->createTag("Nazw", "UPPER(NAZWISKO)", ".NOT.DELETED()");
        initial = t->recordCount();
    }
    std::string script = "fail=0; pids=''; for seed in 11 12 13 14; do " + shellQuote(INDEX_CHILD) + " " +
                         shellQuote(path) + " $seed 1500 > " + shellQuote(dir.file("appended.")) +
                         "$seed & pids=\"$pids $!\"; done; for p in $pids; do wait $p || fail=1; done; exit $fail";
    std::string out;
    ASSERT_EQ(runCommand(script + " 2>&1", &out), 0) << out;
    uint32_t appended = 0;
    for (int seed = 11; seed <= 14; ++seed) appended += static_cast<uint32_t>(std::stoul(readFile(dir.file("appended.") + std::to_string(seed))));
    EXPECT_GT(appended, 0u);

    EXPECT_EQ(runCommand(std::string(XBTOOL) + " check " + shellQuote(path) + " 2>&1", &out), 0) << out;
    EXPECT_EQ(out, "OK: " + std::to_string(initial + appended) + " records\n");
}

} // namespace
