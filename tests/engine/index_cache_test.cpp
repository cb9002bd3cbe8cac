// Index pages cached between lock scopes: another handle or another process changes
// the index, and the cached handle still finds what is there now. A second
// Table::open behaves as another desktop (locks belong to the handle).
#include "Error.h"
#include "Table.h"
#include "TempDir.h"
#include "index/CdxFile.h"
#include "index/IndexSet.h"
#include "index/NtxFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

using namespace xb;
using namespace testsupport;

namespace {

enum class Kind { Cdx, Ntx };

class IndexCache : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        path_ = dir_.file("KARTYDZ.DBF");
        ntx_ = dir_.file("nr_ew.ntx");
        Table::create(path_, parseFieldList("NR_EW,N,6,0;Z_DNIA,D;NAZWISKO,C,25"));
        OpenOptions ex;
        ex.exclusive = true;
        auto t = Table::open(path_, ex);
        std::vector<Record> records;
        for (int i = 0; i < 3000; ++i) records.push_back(card(*t, i % 500, i));
        t->appendMany(records);
        if (GetParam() == Kind::Cdx) {
            t->createTag("WgPrac", "NR_EW");
            t->createTag("WgDat", "Z_DNIA");
        } else {
            t->createNtx(ntx_, "NR_EW");
        }
    }

    std::unique_ptr<Table> open() {
        auto t = Table::open(path_);
        if (GetParam() == Kind::Ntx) t->openNtx(ntx_);
        return t;
    }
    static Record card(Table& t, int nrEw, int i) {
        Record r = t.blankRecord();
        r.set("NR_EW", static_cast<double>(nrEw));
        r.set("Z_DNIA", Date{2026, 1 + i % 12, 1 + i % 28});
        r.set("NAZWISKO", "Pracownik " + std::to_string(i % 100));
        return r;
    }
    static IndexedOrder& byEmployee(Table& t) {
        return GetParam() == Kind::Cdx ? *t.indexes()->find("WgPrac") : *t.indexes()->orders().front();
    }
    static PagedFile& pages(Table& t) {
        if (GetParam() == Kind::Cdx) return t.indexes()->structural()->pages();
        return static_cast<NtxFile&>(*byEmployee(t).order).pages();
    }
    // Record numbers under one employee number, as an index seek finds them.
    static std::vector<uint32_t> seek(Table& t, int nrEw) {
        IndexedOrder& o = byEmployee(t);
        Record probe = card(t, nrEw, 0);
        std::string key = *o.keyOf({probe.bytes().data(), 0});
        std::vector<uint32_t> out;
        for (const auto& e : o.order->forward({key, 0, true}, 100))
            if (e.key == key) out.push_back(e.recno);
        return out;
    }

    TempDir dir_;
    std::string path_, ntx_;
};

// The bytes this process has read through read(2)/pread(2) so far.
uint64_t bytesRead() {
    std::ifstream io("/proc/self/io");
    std::string name;
    uint64_t value = 0;
    while (io >> name >> value)
        if (name == "rchar:") return value;
    return 0;
}

TEST_P(IndexCache, RepeatedSeeksReadNoPagesAgain) {
    auto t = open();
    ASSERT_EQ(seek(*t, 7).size(), 6u);
    EXPECT_GT(pages(*t).cachedPages(), 0u);
    uint64_t before = bytesRead();
    EXPECT_EQ(seek(*t, 7).size(), 6u);
    EXPECT_LT(bytesRead() - before, pages(*t).pageSize());  // the change counter only
}

TEST_P(IndexCache, ChangesOfAnotherHandleAreSeen) {
    auto mine = open();
    ASSERT_EQ(seek(*mine, 7).size(), 6u);
    ASSERT_TRUE(seek(*mine, 900).empty());
    auto other = open();
    // A key changed in place (the file keeps its size): the old key is gone, the new one there.
    uint32_t recno = seek(*other, 7).front();
    other->lock(recno);
    Record r = other->read(recno);
    r.set("NR_EW", 8.0);
    other->write(recno, r);
    other->unlock(recno);
    EXPECT_EQ(seek(*mine, 7).size(), 5u);
    EXPECT_EQ(seek(*mine, 8).size(), 7u);
    // Appends that split pages and grow the file.
    std::vector<uint32_t> added;
    for (int i = 0; i < 400; ++i) added.push_back(other->append(card(*other, 900, i)));
    EXPECT_EQ(seek(*mine, 900), std::vector<uint32_t>(added.begin(), added.begin() + 100));
    // And the cached handle's own change lands on the current pages.
    uint32_t mineAdded = mine->append(card(*mine, 7, 0));
    std::vector<uint32_t> sevens = seek(*other, 7);
    EXPECT_EQ(sevens.size(), 6u);
    EXPECT_EQ(sevens.back(), mineAdded);
}

TEST_P(IndexCache, CounterGrowsWithEveryChangeAndCachedHeaderKeepsIt) {
    auto t = open();
    PagedFile& p = pages(*t);
    auto counter = [&] { return p.changeCounter(); };
    uint32_t start = counter();
    // Appends and a reindex: the header page (which holds the counter) is cached and
    // rewritten by some of them; the counter never goes back.
    for (int i = 0; i < 300; ++i) {
        t->append(card(*t, 1000 + i, i));
        ASSERT_EQ(counter(), (start + static_cast<uint32_t>(i) + 1) & (GetParam() == Kind::Ntx ? 0xFFFFu : 0xFFFFFFFFu));
    }
    {
        PageLock lock(p, true);
        std::vector<uint8_t> header = p.page(0);
        p.write(0, header);
    }
    EXPECT_EQ(counter(), start + 301);
    t.reset();
    OpenOptions ex;
    ex.exclusive = true;
    auto again = Table::open(path_, ex);
    if (GetParam() == Kind::Ntx) again->openNtx(ntx_);
    again->reindex();
    EXPECT_GT(pages(*again).changeCounter(), start + 301);
}

TEST_P(IndexCache, FailedScopeLeavesNoCache) {
    auto t = open();
    ASSERT_EQ(seek(*t, 7).size(), 6u);
    PagedFile& p = pages(*t);
    uint64_t root = p.pageSize() * (GetParam() == Kind::Cdx ? 2 : 1);
    std::vector<uint8_t> original;
    try {
        PageLock lock(p, true);
        original = p.page(root);
        std::vector<uint8_t> changed = original;
        changed[100] ^= 0xFF;
        p.write(root, changed);
        throw std::runtime_error("stop");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(p.cachedPages(), 0u);
    PageLock lock(p, false);
    EXPECT_EQ(p.page(root), original);
}

// A real second process changes the index while this handle holds its pages
// (the worker keeps the structural index only, so this runs on the compound index).
class IndexCacheAcrossProcesses : public IndexCache {};

TEST_P(IndexCacheAcrossProcesses, ChangesOfAChildProcessAreSeen) {
    auto all = [](Table& t) {
        std::vector<std::vector<IndexEntry>> out;
        for (IndexedOrder* o : t.indexes()->orders()) {
            out.emplace_back();
            o->order->forEach([&](const IndexEntry& e) {
                out.back().push_back(e);
                return true;
            });
        }
        return out;
    };
    auto mine = open();
    auto before = all(*mine);
    std::string out;
    ASSERT_EQ(runCommand(shellQuote(INDEX_CHILD) + " " + shellQuote(path_) + " 5 600 2>&1", &out), 0) << out;
    auto expected = all(*open());
    EXPECT_NE(expected, before);
    EXPECT_EQ(all(*mine), expected);
}

INSTANTIATE_TEST_SUITE_P(BothFormats, IndexCache, ::testing::Values(Kind::Cdx, Kind::Ntx),
                         [](const auto& info) { return info.param == Kind::Cdx ? "Cdx" : "Ntx"; });
INSTANTIATE_TEST_SUITE_P(CompoundIndex, IndexCacheAcrossProcesses, ::testing::Values(Kind::Cdx));

} // namespace
