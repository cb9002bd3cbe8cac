// Interoperability of indexes: the engine reads every .cdx and .ntx of the corpus
// with the keys DBD::XBase reads, and DBD::XBase reads the tags the engine writes
// (built at once and then maintained record by record) with the same keys in the
// same order.
#include "Error.h"
#include "Table.h"
#include "TempDir.h"
#include "index/IndexSet.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

using namespace xb;
using namespace testsupport;

namespace {

const std::string kCorpus = std::string(EWIDOR_SHARED_DIR) + "/dbf-corpus/";

std::string dbdKeys(const std::string& file, const std::string& tag, char type) {
    std::string out;
    int status = runCommand("perl " + shellQuote(INDEX_KEYS_SCRIPT) + " " + shellQuote(file) + " " + shellQuote(tag) + " " +
                                std::string(1, type) + " 2>&1",
                            &out);
    EXPECT_EQ(status, 0) << out;
    return out;
}

std::string hex(std::string key) {
    while (!key.empty() && (key.back() == ' ' || key.back() == '\0')) key.pop_back();
    std::string out;
    char buf[3];
    for (unsigned char c : key) {
        std::snprintf(buf, sizeof buf, "%02x", c);
        out += buf;
    }
    return out;
}

// Our entries of an order in the form index_keys.pl prints with the given type.
std::string engineKeys(IndexedOrder& order, char type) {
    std::string out;
    order.order->forEach([&](const IndexEntry& e) {
        if (type == 'C') {
            out += hex(e.key);
        } else {
            // Dates too: DBD::XBase gives their Julian day numbers when asked for numbers.
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.15g", keys::cdxDoubleValue(e.key));
            out += buf;
        }
        out += "|" + std::to_string(e.recno) + "\n";
        return true;
    });
    return out;
}

struct CorpusIndex {
    const char* table;
    const char* index;  // empty: the structural .cdx
};

class CorpusIndexes : public ::testing::TestWithParam<CorpusIndex> {};

TEST_P(CorpusIndexes, EngineReadsTheKeysDbdXBaseReads) {
    const CorpusIndex& c = GetParam();
    OpenOptions o;
    o.readOnly = true;
    auto table = Table::open(kCorpus + c.table, o);
    std::string indexPath = std::string(c.index).empty() ? "" : kCorpus + c.index;
    if (!indexPath.empty()) table->openNtx(indexPath);
    ASSERT_NE(table->indexes(), nullptr);
    auto orders = table->indexes()->orders();
    ASSERT_FALSE(orders.empty());
    if (indexPath.empty()) {
        std::string cdx = table->indexes()->structural()->path();
        std::string names;
        for (auto [name, offset] : table->indexes()->structural()->tags()) names += name + "\n";
        EXPECT_EQ(names, dbdKeys(cdx, "--tags", 'C'));
        for (IndexedOrder* order : orders)
            EXPECT_EQ(engineKeys(*order, 'C'), dbdKeys(cdx, order->name, 'C')) << c.table << " tag " << order->name;
    } else {
        EXPECT_EQ(engineKeys(*orders[0], 'C'), dbdKeys(indexPath, "", 'C')) << c.index;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Corpus, CorpusIndexes,
    ::testing::Values(CorpusIndex{"dbd-xbase/rooms.dbf", ""}, CorpusIndex{"javadbf/foxpro-xsource/employees.dbf", ""},
                      CorpusIndex{"javadbf/foxpro-xsource/foxref_ref.dbf", ""},
                      CorpusIndex{"javadbf/foxpro-xsource/payments.dbf", ""}, CorpusIndex{"ruby-dbf/foxprodb/calls.dbf", ""},
                      CorpusIndex{"ruby-dbf/foxprodb/contacts.dbf", ""}, CorpusIndex{"ruby-dbf/foxprodb/setup.dbf", ""},
                      CorpusIndex{"ruby-dbf/foxprodb/types.dbf", ""}, CorpusIndex{"php-xbase/issue115.dbf", ""},
                      CorpusIndex{"clip-itk/customer.dbf", "clip-itk/custlast.ntx"},
                      CorpusIndex{"clip-itk/customer.dbf", "clip-itk/custname.ntx"},
                      CorpusIndex{"dbd-xbase/ntx-char.dbf", "dbd-xbase/ntx-char.ntx"}));

// A daily-card-like table with character, numeric (also negative) and date keys.
void fillCards(Table& t, int count, std::mt19937& rng, const char* const* names, size_t nameCount) {
    std::vector<Record> batch;
    for (int i = 0; i < count; ++i) {
        Record r = t.blankRecord();
        r.set("NR_EW", static_cast<double>(rng() % 400 + 1));
        r.set("Z_DNIA", Date{2026, static_cast<int>(rng() % 12 + 1), static_cast<int>(rng() % 28 + 1)});
        r.set("NAZWISKO", std::string(names[rng() % nameCount]));
        r.set("KWOTA", static_cast<double>(static_cast<int>(rng() % 20001) - 10000) / 100.0);
        batch.push_back(std::move(r));
    }
    t.appendMany(batch);
}

TEST(CdxInterop, DbdXBaseReadsOurTagsBuiltAndMaintained) {
    TempDir dir;
    std::string path = dir.file("KARTYDZ.DBF");
    Table::create(path, parseFieldList("NR_EW,N,6,0;Z_DNIA,D;NAZWISKO,C,20;KWOTA,N,8,2"));
    const char* names[] = {"Żółć Anna", "Kowalski Jan", "kowalska ewa", "Nowak", "Ąbecki", "Zieliński Piotr", ""};
    std::mt19937 rng(7);
    {
        OpenOptions ex;
        ex.exclusive = true;
        auto t = Table::open(path, ex);
        fillCards(*t, 2500, rng, names, std::size(names));
        t->createTag("WgPrac", "NR_EW");
        t->createTag("WgDat", "Z_DNIA");
        t->createTag("Nazw", "UPPER(NAZWISKO)");
        t->createTag("Kwota", "KWOTA");
        t->createTag("Zyje", "NAZWISKO", ".NOT.DELETED()");
    }
    {
        // Maintenance on a shared open: appends one by one, key edits, deletions and recalls.
        auto t = Table::open(path);
        fillCards(*t, 300, rng, names, std::size(names));
        for (int i = 0; i < 800; ++i) {
            Record r = t->blankRecord();
            r.set("NR_EW", static_cast<double>(rng() % 400 + 1));
            r.set("Z_DNIA", Date{2027, 1, static_cast<int>(rng() % 28 + 1)});
            r.set("NAZWISKO", std::string(names[rng() % std::size(names)]));
            t->append(r);
        }
        for (uint32_t recno = 1; recno <= t->recordCount(); recno += 7) {
            t->lock(recno);
            Record r = t->read(recno);
            r.set("NR_EW", static_cast<double>(rng() % 400 + 1));
            r.set("NAZWISKO", std::string(names[rng() % std::size(names)]));
            t->write(recno, r);
            if (recno % 3 == 0) t->setDeleted(recno, true);
            if (recno % 9 == 0) t->setDeleted(recno, false);
            t->unlock(recno);
        }
    }
    OpenOptions ro;
    ro.readOnly = true;
    auto t = Table::open(path, ro);
    std::string cdx = t->indexes()->structural()->path();
    struct Case { const char* tag; char type; };
    for (Case c : {Case{"WGPRAC", 'N'}, Case{"WGDAT", 'N'}, Case{"NAZW", 'C'}, Case{"KWOTA", 'N'}, Case{"ZYJE", 'C'}}) {
        IndexedOrder* order = t->indexes()->find(c.tag);
        ASSERT_NE(order, nullptr) << c.tag;
        auto expected = t->indexes()->expectedEntries(*t, {order});
        std::vector<IndexEntry> have;
        order->order->forEach([&](const IndexEntry& e) {
            have.push_back(e);
            return true;
        });
        EXPECT_TRUE(have == expected[0]) << c.tag;
        EXPECT_EQ(engineKeys(*order, c.type), dbdKeys(cdx, c.tag, c.type)) << c.tag;
    }
}

} // namespace
