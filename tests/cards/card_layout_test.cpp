#include "CardLayout.h"
#include "Table.h"
#include "TableCatalogue.h"
#include "TableFactory.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace ewidor {
namespace {

std::vector<std::string> fieldNames(const TableDef& def) {
    std::vector<std::string> names;
    for (const auto& f : def.fields) names.push_back(f.name);
    return names;
}

TEST(CardLayout, DailyCardTablesHoldTheirFieldsInOrder) {
    std::vector<std::string> want = {"NUMER", "NR_EW", "Z_DNIA"};
    for (const char* stem : {"PRACY_R", "N50_N", "N100_N", "N100S_N", "NOCNE1_I", "NOCNE2_I", "SWIETA_I", "ROBCHOR",
                             "UWYP_U", "UOKOL_U", "DELEG_U", "UB_U", "OPIEKI_U", "NN_U", "ROBZCH_U", "UP_U", "UN_U"}) {
        want.push_back(std::string("G") + stem);
        want.push_back(std::string("M") + stem);
    }
    for (int line = 0; line < 6; ++line)
        for (const char* stem : {"GODZ", "MIN", "ST_KOSZT", "ZL_ID", "ODDZIAL"})
            want.push_back(CardLayout::LineField(stem, line));
    want.push_back("NAZWISKO");
    want.push_back("KTORA");
    for (const char* stem : {"DOD50_I", "N50A_N", "N100A_N", "N100SA_N", "ODB_U", "ODB15_U", "SOBOTY_I"}) {
        want.push_back(std::string("G") + stem);
        want.push_back(std::string("M") + stem);
    }
    TableCatalogue catalogue;
    EXPECT_EQ(fieldNames(catalogue.site("KARTYDZ")), want);
    EXPECT_EQ(fieldNames(catalogue.site("ARCHIWDZ")), want);
}

class CardRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto path = TableFactory::Create(TableCatalogue().site("KARTYDZ"), tmp_.path().string() + "/");
        table_ = xb::Table::open(path);
    }
    void line(xb::Record& r, int n, int hours, int minutes, const std::string& centre, int order,
              const std::string& department) {
        r.set(CardLayout::LineField("GODZ", n), static_cast<double>(hours));
        r.set(CardLayout::LineField("MIN", n), static_cast<double>(minutes));
        r.set(CardLayout::LineField("ST_KOSZT", n), centre);
        r.set(CardLayout::LineField("ZL_ID", n), static_cast<double>(order));
        r.set(CardLayout::LineField("ODDZIAL", n), department);
    }
    testsupport::TempDir tmp_;
    std::unique_ptr<xb::Table> table_;
};

TEST_F(CardRecordTest, PackingMovesNonEmptyLinesToTheFrontInTheirOrder) {
    xb::Record r = table_->blankRecord();
    line(r, 1, 0, 0, "", 0, "");
    line(r, 2, 2, 0, "ST002", 7, "O02");
    line(r, 4, 0, -30, "ST004", 9, "O04");  // a negative line is not empty
    line(r, 5, 1, 15, "ST005", 0, "O05");
    CardLayout::PackLines(r);
    const std::tuple<int, int, std::string, int, std::string> want[] = {
        {2, 0, "ST002", 7, "O02"}, {0, -30, "ST004", 9, "O04"}, {1, 15, "ST005", 0, "O05"},
        {0, 0, "", 0, ""},         {0, 0, "", 0, ""},           {0, 0, "", 0, ""}};
    for (int n = 0; n < 6; ++n) {
        SCOPED_TRACE("line " + std::to_string(n));
        auto [hours, minutes, centre, order, department] = want[n];
        EXPECT_EQ(r.number(CardLayout::LineField("GODZ", n)), hours);
        EXPECT_EQ(r.number(CardLayout::LineField("MIN", n)), minutes);
        EXPECT_EQ(r.text(CardLayout::LineField("ST_KOSZT", n)), centre);
        EXPECT_EQ(r.number(CardLayout::LineField("ZL_ID", n)), order);
        EXPECT_EQ(r.text(CardLayout::LineField("ODDZIAL", n)), department);
    }
    EXPECT_EQ(CardLayout::LinesMinutes(r), 120 - 30 + 75);
}

TEST_F(CardRecordTest, PairsAreWrittenInCanonicalForm) {
    xb::Record r = table_->blankRecord();
    const std::tuple<int, int, int> cases[] = {{0, 0, 0}, {59, 0, 59}, {60, 1, 0}, {1530, 25, 30}, {-75, -1, -15}};
    for (auto [minutes, hours, rest] : cases) {
        CardLayout::SetPair(r, "PRACY_R", minutes);
        EXPECT_EQ(r.number("GPRACY_R"), hours) << minutes;
        EXPECT_EQ(r.number("MPRACY_R"), rest) << minutes;
        EXPECT_EQ(CardLayout::Pair(r, "PRACY_R"), minutes);
    }
}

} // namespace
} // namespace ewidor
