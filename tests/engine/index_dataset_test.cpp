// Dataset operations through an active order, run against both kinds of order:
// a tag of the structural .cdx and a single-order .ntx.
#include "Dataset.h"
#include "Error.h"
#include "TempDir.h"
#include "index/IndexSet.h"

#include <gtest/gtest.h>

using namespace xb;
using namespace testsupport;

namespace {

struct Card {
    double nrEw;
    Date day;
    double ktora;
    const char* name;
};

// Record numbers 1..10.
const Card kCards[] = {
    {20, {2026, 3, 2}, 0, "Nowak Jan"},       {10, {2026, 3, 1}, 0, "Kowalski Adam"},
    {30, {2026, 3, 1}, 0, "Żak Ewa"},         {10, {2026, 3, 2}, 0, "Kowalski Adam"},
    {20, {2026, 3, 1}, 0, "Nowak Jan"},       {10, {2026, 3, 2}, 1, "Kowalski Adam"},
    {40, {2026, 3, 3}, 0, "Kowalczyk Olga"},  {10, {2026, 3, 3}, 0, "Kowalski Adam"},
    {25, {2026, 3, 1}, 0, "Adamska Ida"},     {20, {2026, 3, 3}, 0, "Nowak Jan"},
};

enum class Kind { Cdx, Ntx };

class OrderedDataset : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        path_ = dir_.file("KARTYDZ.DBF");
        Table::create(path_, parseFieldList("NR_EW,N,6,0;Z_DNIA,D;KTORA,N,1,0;NAZWISKO,C,20"));
        OpenOptions ex;
        ex.exclusive = true;
        auto t = Table::open(path_, ex);
        for (const Card& c : kCards) {
            Record r = t->blankRecord();
            r.set("NR_EW", c.nrEw);
            r.set("Z_DNIA", c.day);
            r.set("KTORA", c.ktora);
            r.set("NAZWISKO", std::string(c.name));
            t->append(r);
        }
        t->setDeleted(4, true);  // hidden: NR_EW 10, 2026-03-02
        if (GetParam() == Kind::Cdx) {
            t->createTag("WgPrac", "NR_EW");
            t->createTag("Nazw", "UPPER(NAZWISKO)");
        } else {
            t->createNtx(dir_.file("wgprac.ntx"), "NR_EW");
            t->createNtx(dir_.file("nazw.ntx"), "UPPER(NAZWISKO)");
        }
    }

    std::unique_ptr<Dataset> open(const std::string& tag) {
        auto d = std::make_unique<Dataset>(path_);
        d->open();
        if (GetParam() == Kind::Ntx) {
            d->table().openNtx(dir_.file("wgprac.ntx"));
            d->table().openNtx(dir_.file("nazw.ntx"));
        }
        d->setActiveTag(tag);
        return d;
    }

    static std::vector<uint32_t> walk(Dataset& d, bool forward) {
        std::vector<uint32_t> seen;
        for (bool ok = forward ? d.first() : d.last(); ok; ok = forward ? d.next() : d.prior()) seen.push_back(d.recno());
        return seen;
    }

    TempDir dir_;
    std::string path_;
};

TEST_P(OrderedDataset, TraversesInKeyOrderWithDuplicatesInRecordOrder) {
    auto d = open("WgPrac");
    EXPECT_EQ(walk(*d, true), (std::vector<uint32_t>{2, 6, 8, 1, 5, 10, 9, 3, 7}));
    EXPECT_EQ(walk(*d, false), (std::vector<uint32_t>{7, 3, 9, 10, 5, 1, 8, 6, 2}));
    d->setActiveTag("Nazw");
    EXPECT_EQ(walk(*d, true), (std::vector<uint32_t>{9, 7, 2, 6, 8, 1, 5, 10, 3}));
}

TEST_P(OrderedDataset, SeeksExactNearestAndPartial) {
    auto d = open("WgPrac");
    struct Case { Value key; bool exact; bool found; uint32_t recno; };
    for (const Case& c : {Case{20.0, true, true, 1}, Case{25.0, true, true, 9}, Case{21.0, true, false, 9},
                          Case{21.0, false, true, 9}, Case{11.0, false, true, 1}, Case{5.0, false, true, 2},
                          Case{41.0, false, false, 0}}) {
        d->first();
        uint32_t before = d->recno();
        bool found = c.exact ? d->seek(c.key) : d->seekNearest(c.key);
        EXPECT_EQ(found, c.found) << std::get<double>(c.key);
        uint32_t expected = c.found ? c.recno : before;
        if (c.found || c.exact) {
            EXPECT_EQ(d->recno(), expected) << std::get<double>(c.key);
        }
        EXPECT_EQ(d->eof(), !c.found && !c.exact);
    }
    d->setActiveTag("Nazw");
    EXPECT_TRUE(d->seek(std::string("KOWALC")));
    EXPECT_EQ(d->recno(), 7u);
    EXPECT_TRUE(d->seek(std::string("KOWALS")));
    EXPECT_EQ(d->recno(), 2u);
    EXPECT_FALSE(d->seek(std::string("KOWALZ")));
    EXPECT_TRUE(d->seekNearest(std::string("O")));
    EXPECT_EQ(d->text("NAZWISKO"), "Żak Ewa");
}

TEST_P(OrderedDataset, RangesLimitTheOrder) {
    auto d = open("WgPrac");
    d->setRange(10.0, 20.0);
    EXPECT_EQ(walk(*d, true), (std::vector<uint32_t>{2, 6, 8, 1, 5, 10}));
    EXPECT_EQ(walk(*d, false), (std::vector<uint32_t>{10, 5, 1, 8, 6, 2}));
    EXPECT_FALSE(d->seek(30.0));
    d->clearRange();
    d->setActiveTag("Nazw");
    d->setRange(std::string("KOWAL"), std::string("KOWAL"));
    EXPECT_EQ(walk(*d, true), (std::vector<uint32_t>{7, 2, 6, 8}));
}

TEST_P(OrderedDataset, LocatesSeveralFieldsThroughTheOrderOfTheFirst) {
    auto d = open("WgPrac");
    IndexedOrder* order = d->table().indexes()->find("WgPrac");
    uint64_t pagesBefore = order->order->pagesRead();
    using Keys = std::vector<std::pair<std::string, Value>>;
    EXPECT_TRUE(d->locate(Keys{{"NR_EW", 10.0}, {"Z_DNIA", Date{2026, 3, 2}}, {"Ktora", 1.0}}));
    EXPECT_EQ(d->recno(), 6u);
    EXPECT_GT(order->order->pagesRead(), pagesBefore);
    EXPECT_FALSE(d->locate(Keys{{"NR_EW", 10.0}, {"Z_DNIA", Date{2026, 3, 2}}, {"Ktora", 0.0}}));  // deleted
    EXPECT_TRUE(d->locate(Keys{{"NR_EW", 20.0}, {"Z_DNIA", Date{2026, 3, 3}}, {"KTORA", 0.0}}));
    EXPECT_EQ(d->recno(), 10u);
    // Walking on from a located record follows the active order.
    EXPECT_TRUE(d->next());
    EXPECT_EQ(d->recno(), 9u);
}

TEST_P(OrderedDataset, SeesChangesOfOtherHandlesAtOnce) {
    auto d = open("WgPrac");
    ASSERT_TRUE(d->seek(20.0));
    ASSERT_TRUE(d->next());  // record 5, read ahead of it are 10, 9, 3, 7
    {
        auto other = Table::open(path_);
        if (GetParam() == Kind::Ntx) other->openNtx(dir_.file("wgprac.ntx"));
        Record r = other->blankRecord();
        r.set("NR_EW", 21.0);
        other->append(r);                   // record 11
        other->lock(10);
        Record ten = other->read(10);
        ten.set("NR_EW", 99.0);
        other->write(10, ten);
        other->unlock(10);
    }
    std::vector<uint32_t> rest;
    while (d->next()) rest.push_back(d->recno());
    EXPECT_EQ(rest, (std::vector<uint32_t>{11, 9, 3, 7, 10}));
}

TEST_P(OrderedDataset, EditsAndAppendsKeepTheOrder) {
    auto d = open("WgPrac");
    ASSERT_TRUE(d->seek(30.0));
    d->edit();
    d->set("NR_EW", 5.0);
    d->post();
    EXPECT_TRUE(d->next());  // from key 5 the next is 10
    EXPECT_EQ(d->recno(), 2u);
    d->append();
    d->set("NR_EW", 35.0);
    d->post();
    EXPECT_EQ(d->recno(), 11u);
    EXPECT_TRUE(d->next());
    EXPECT_EQ(d->recno(), 7u);
    ASSERT_TRUE(d->seek(20.0));
    d->remove();  // moves to the next in key order
    EXPECT_EQ(d->recno(), 5u);
    EXPECT_EQ(walk(*d, true), (std::vector<uint32_t>{3, 2, 6, 8, 5, 10, 9, 11, 7}));
}

INSTANTIATE_TEST_SUITE_P(BothFormats, OrderedDataset, ::testing::Values(Kind::Cdx, Kind::Ntx),
                         [](const auto& info) { return info.param == Kind::Cdx ? std::string("Cdx") : std::string("Ntx"); });

// The combination check positions MAPA on the nearest key of cost centre and department.
TEST(NearestKey, CombinationOfCostCentreAndDepartment) {
    TempDir dir;
    std::string path = dir.file("MAPA.DBF");
    CreateOptions co;
    co.codePage = 1250;
    Table::create(path, parseFieldList("ST_KOSZT,C,5;ODDZIAL,C,3;ZLECENIE,C,6"), co);
    {
        OpenOptions ex;
        ex.exclusive = true;
        auto t = Table::open(path, ex);
        for (auto [s, o, z] : {std::tuple{"10200", "001", "Z00001"}, std::tuple{"10200", "003", "Z00002"},
                               std::tuple{"10300", "001", "Z00003"}}) {
            Record r = t->blankRecord();
            r.set("ST_KOSZT", std::string(s));
            r.set("ODDZIAL", std::string(o));
            r.set("ZLECENIE", std::string(z));
            t->append(r);
        }
        t->createTag("Jeden", "ST_KOSZT+ODDZIAL+ZLECENIE");
    }
    Dataset d(path);
    d.open();
    d.setActiveTag("JEDEN");
    struct Case { const char* key; bool reached; const char* costCentre; const char* department; };
    for (const Case& c : {Case{"10200003", true, "10200", "003"}, Case{"10200002", true, "10200", "003"},
                          Case{"10200", true, "10200", "001"}, Case{"10300009", false, "", ""}}) {
        bool reached = d.seekNearest(std::string(c.key));
        EXPECT_EQ(reached, c.reached) << c.key;
        if (!reached) continue;
        EXPECT_EQ(d.text("ST_KOSZT"), c.costCentre) << c.key;
        EXPECT_EQ(d.text("ODDZIAL"), c.department) << c.key;
    }
}

} // namespace
