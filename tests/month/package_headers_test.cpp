#include "PackageHeaders.h"
#include "PackageNumber.h"
#include "TDane.h"
#include "Table.h"
#include "TableCatalogue.h"
#include "TableFactory.h"
#include "TempDir.h"
#include "sql/Query.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace ewidor {
namespace {

class PackageHeadersTest : public ::testing::Test {
protected:
    std::string dir() const { return tmp_.path().string() + "/"; }

    // A NAG_PACZ table holding one header per (number, state).
    void headers(const std::map<int, std::string>& states) {
        auto path = TableFactory::Create(TableCatalogue().site("NAG_PACZ"), dir());
        auto table = xb::Table::open(path);
        std::vector<xb::Record> records;
        for (const auto& [numer, stan] : states) {
            xb::Record r = table->blankRecord();
            r.set("NUMER", static_cast<double>(numer));
            r.set("STAN", stan);
            records.push_back(r);
        }
        if (!records.empty()) table->appendMany(records);
    }

    MonthStates load(int group) {
        TDane data;
        data.PointToYear(dir());
        return PackageHeaders::Load(data.QSprMce, group);
    }

    testsupport::TempDir tmp_;
};

TEST_F(PackageHeadersTest, AHeaderSetsItsMonthAndMonthsWithoutOneAreOpen) {
    // 2323 is March of group 123; 303, 323 and 2343 are March of groups 3, 103 and 223.
    headers({{2323, "Z"}, {2327, "A"}, {303, "Z"}, {323, "A"}, {2343, "A"}, {2301, ""}});
    EXPECT_EQ(load(123).text(), "OOZOOOAOOOOO");
    EXPECT_EQ(load(3).text(), "OOZOOOOOOOOO");
    EXPECT_EQ(load(103).text(), "OOAOOOOOOOOO");
    EXPECT_EQ(load(223).text(), "OOAOOOOOOOOO");
    EXPECT_EQ(load(5).text(), "OOOOOOOOOOOO");
    EXPECT_EQ(PackageHeaders::State(dir(), 2323), 'Z');
    EXPECT_EQ(PackageHeaders::State(dir(), 2324), 'O');
}

TEST_F(PackageHeadersTest, NoHeaderTableMeansEveryMonthOpen) {
    EXPECT_EQ(PackageHeaders::State(dir(), 2323), 'O');
}

TEST_F(PackageHeadersTest, EveryGroupsHeadersComeBackThroughTheQuery) {
    std::map<int, std::string> all;
    for (int group = 0; group <= 499; ++group)
        for (int month = 1; month <= 12; ++month) all[PackageNumber::Encode(group, month)] = "Z";
    headers(all);

    // The decoding as the system's queries write it, for every number at once.
    xb::Query decoded(dir(), "select NUMER, (FLOOR(MOD(CONVERT(NUMER,SQL_INTEGER),100)/20)*100)"
                             "+TRUNCATE(numer /100,0) AS GRUPA, MOD(MOD(NUMER,100),20) AS MIESIAC "
                             "from \"nag_pacz.dbf\"");
    decoded.open();
    size_t rows = 0;
    for (bool more = decoded.first(); more; more = decoded.next(), ++rows) {
        auto id = PackageNumber::Decode(static_cast<int>(decoded.number("NUMER")));
        ASSERT_EQ(decoded.number("GRUPA"), id.group) << decoded.number("NUMER");
        ASSERT_EQ(decoded.number("MIESIAC"), id.month) << decoded.number("NUMER");
    }
    EXPECT_EQ(rows, 6000u);

    // And the data module's own query picks exactly a group's twelve headers (groups at
    // every boundary of GroupLow and GroupHigh; each run scans all 6000 headers).
    TDane data;
    data.PointToYear(dir());
    for (int group : {0, 1, 19, 20, 99, 100, 117, 123, 199, 200, 205, 299, 300, 399, 400, 498, 499}) {
        xb::Query q(dir(), data.QSprMce.sql());
        q.setParam("NrJ", static_cast<double>(group));
        q.open();
        std::set<int> got;
        for (bool more = q.first(); more; more = q.next()) got.insert(static_cast<int>(q.number("NUMER")));
        std::set<int> want;
        for (int month = 1; month <= 12; ++month) want.insert(PackageNumber::Encode(group, month));
        ASSERT_EQ(got, want) << "group " << group;
    }
}

} // namespace
} // namespace ewidor
