// Keeping orders in step through heavy change: whole pages emptied and refilled,
// pack and zap, and the renovation's rescue form (drop the .cdx, create the tags).
// One table of cases runs against a .cdx tag and an .ntx.
#include "Error.h"
#include "Table.h"
#include "TableCheck.h"
#include "TempDir.h"
#include "index/IndexSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace xb;
using namespace testsupport;

namespace {

enum class Kind { Cdx, Ntx };

class Maintenance : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        path_ = dir_.file("PACZKI.DBF");
        ntx_ = dir_.file("numer.ntx");
        Table::create(path_, parseFieldList("NUMER,N,7,0;NAZWISKO,C,30"));
        auto t = exclusive();
        std::vector<Record> records;
        for (int i = 0; i < 6000; ++i) records.push_back(make(*t, i % 3000, i));
        t->appendMany(records);
        if (GetParam() == Kind::Cdx) {
            t->createTag("WgNum", "NUMER");
            t->createTag("Nazw", "NAZWISKO");
        } else {
            t->createNtx(ntx_, "NUMER");
        }
    }

    std::unique_ptr<Table> exclusive() {
        OpenOptions ex;
        ex.exclusive = true;
        return open(ex);
    }
    std::unique_ptr<Table> open(OpenOptions o = {}) {
        auto t = Table::open(path_, o);
        if (GetParam() == Kind::Ntx && fileExists(ntx_)) t->openNtx(ntx_);
        return t;
    }
    static Record make(Table& t, int numer, int i) {
        Record r = t.blankRecord();
        r.set("NUMER", static_cast<double>(numer));
        r.set("NAZWISKO", "Osoba " + std::to_string(i % 701) + std::string(static_cast<size_t>(i % 17), 'x'));
        return r;
    }
    void expectInStep(const std::string& when) {
        CheckReport report = checkTable(path_, 0, GetParam() == Kind::Ntx ? std::vector<std::string>{ntx_} : std::vector<std::string>{});
        EXPECT_TRUE(report.ok()) << when << ": " << (report.ok() ? "" : report.problems.front());
        // Backward walks give the same entries as forward ones.
        OpenOptions ro;
        ro.readOnly = true;
        auto t = open(ro);
        for (IndexedOrder* o : t->indexes()->orders()) {
            std::vector<IndexEntry> forward, backward;
            o->order->forEach([&](const IndexEntry& e) {
                forward.push_back(e);
                return true;
            });
            Bound end{"", 0, true};
            for (auto batch = o->order->backward(end, 997); !batch.empty();
                 batch = o->order->backward({batch.back().key, batch.back().recno, false}, 997))
                backward.insert(backward.end(), batch.begin(), batch.end());
            std::reverse(backward.begin(), backward.end());
            EXPECT_TRUE(forward == backward) << when << " " << o->name;
        }
    }

    TempDir dir_;
    std::string path_, ntx_;
};

TEST_P(Maintenance, PagesEmptiedAndRefilledStayInStep) {
    auto t = open();
    std::mt19937 rng(3);
    // Every key below 1500 moves far up: whole pages empty, others split.
    for (uint32_t recno = 1; recno <= t->recordCount(); ++recno) {
        Record r = t->read(recno);
        if (r.number("NUMER") >= 1500) continue;
        t->lock(recno);
        r.set("NUMER", 100000.0 + static_cast<double>(rng() % 50));
        t->write(recno, r);
        t->unlock(recno);
    }
    expectInStep("after moving keys up");
    // And back down into the emptied range, in random order, with appends between.
    for (int i = 0; i < 4000; ++i) {
        uint32_t recno = rng() % t->recordCount() + 1;
        t->lock(recno);
        Record r = t->read(recno);
        r.set("NUMER", static_cast<double>(rng() % 1500));
        t->write(recno, r);
        t->unlock(recno);
        if (i % 10 == 0) t->append(make(*t, static_cast<int>(rng() % 200000), i));
    }
    expectInStep("after moving keys back");
}

TEST_P(Maintenance, PackAndZapRebuildTheOrders) {
    {
        auto t = open();
        for (uint32_t recno = 1; recno <= 6000; recno += 3) {
            t->lock(recno);
            t->setDeleted(recno, true);
            t->unlock(recno);
        }
    }
    {
        auto t = exclusive();
        t->pack();
        EXPECT_EQ(t->recordCount(), 4000u);
    }
    expectInStep("after pack");
    {
        auto t = exclusive();
        t->zap();
        t->append(make(*t, 5, 1));
    }
    expectInStep("after zap");
}

INSTANTIATE_TEST_SUITE_P(BothFormats, Maintenance, ::testing::Values(Kind::Cdx, Kind::Ntx),
                         [](const auto& info) { return info.param == Kind::Cdx ? std::string("Cdx") : std::string("Ntx"); });

// The rescue form: the index file is deleted, the table's flag cleared, the tags made anew.
TEST(RescueRebuild, DropsTheIndexFileAndCreatesTheTagsAgain) {
    TempDir dir;
    std::string path = dir.file("KOS.DBF");
    Table::create(path, parseFieldList("NR_EW,N,6,0;NAZWISKO,C,20"));
    OpenOptions ex;
    ex.exclusive = true;
    {
        auto t = Table::open(path, ex);
        for (int i = 0; i < 50; ++i) {
            Record r = t->blankRecord();
            r.set("NR_EW", static_cast<double>(50 - i));
            r.set("NAZWISKO", "Nazwisko " + std::to_string(i));
            t->append(r);
        }
        t->createTag("Num", "NR_EW");
        EXPECT_TRUE(t->hasStructuralIndex());
    }
    std::string cdx = IndexSet::structuralPath(path);
    writeFile(cdx, readFile(cdx).substr(0, 900));  // beyond repair
    EXPECT_THROW(Table::open(path), Error);
    {
        // What the renovation does: the index file goes, byte 28 goes to 0, the table opens.
        removeFile(cdx);
        auto t = Table::open(path, ex);
        t->dropStructuralIndex();
        EXPECT_FALSE(t->hasStructuralIndex());
    }
    EXPECT_EQ(static_cast<int>(readFile(path)[28]), 0);
    {
        auto t = Table::open(path, ex);
        t->createTag("Num", "NR_EW");
        t->createTag("Nazw", "NAZWISKO");
    }
    auto t = Table::open(path);
    ASSERT_NE(t->indexes(), nullptr);
    EXPECT_EQ(t->indexes()->orders().size(), 2u);
    EXPECT_TRUE(checkTable(path).ok());
    EXPECT_THROW(t->deleteTag("Nazw"), Error);  // needs an exclusive open
    t.reset();
    auto only = Table::open(path, ex);
    EXPECT_TRUE(only->deleteTag("Nazw"));
    EXPECT_EQ(only->indexes()->orders().size(), 1u);
}

} // namespace
