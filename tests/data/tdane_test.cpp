// The data module: root tables, re-pointing for a year, the category list.
#include "Fixture.h"
#include "Error.h"

#include <fstream>
#include "TDane.h"

#include <gtest/gtest.h>

using namespace ewidor;
using ewidor::test::Fixture;

namespace {
std::vector<test::Row> categories() {
    return {{{"ID_GRUPY", 3.0}, {"NAZ_GRUPY", std::string("Czterobrygadowi")}, {"CZY_4BRYG", true},
             {"KONTROLA", std::string("K")}, {"ILE_MCY", 3.0}, {"DOST_JEDN", std::string("001117")}},
            {{"ID_GRUPY", 1.0}, {"NAZ_GRUPY", std::string("Pracownicy umysłowi")},
             {"DOST_JEDN", std::string("002")}}};
}
} // namespace

TEST(TDane, OpenRootTablesReadsTheCategoriesInTableOrderAndClosesGrupy) {
    Fixture f;
    f.table("GRUPY", f.root(), categories());
    TDane data;
    data.OpenRootTables(f.root());
    ASSERT_EQ(data.Grupy().size(), 2u);
    EXPECT_EQ(data.Grupy().at(0).id, 3);
    EXPECT_TRUE(data.Grupy().at(0).czy4Bryg);
    EXPECT_EQ(data.Grupy().at(0).kontrola, 'K');
    EXPECT_EQ(data.Grupy().at(1).name, "Pracownicy umysłowi");
    EXPECT_FALSE(data.TabGrup.active());
    EXPECT_EQ(data.TabPrac.directory(), f.root());
    EXPECT_EQ(data.QPracJed.directory(), f.root());
}

TEST(TDane, OpenRootTablesDoesNothingWithoutGrupy) {
    Fixture f;
    TDane data;
    data.OpenRootTables(f.root());
    EXPECT_EQ(data.TabPrac.directory(), "");
    data.OpenRootTables("");
    EXPECT_EQ(data.Grupy().size(), 0u);
}

TEST(TDane, OpenRootTablesReportsATableThatIsNotATable) {
    Fixture f;
    std::ofstream(f.root() + "GRUPY.DBF") << "to nie jest tabela";
    TDane data;
    EXPECT_THROW(data.OpenRootTables(f.root()), xb::Error);
    EXPECT_FALSE(data.TabGrup.active());
}

TEST(TDane, PointToYearRepointsOnlyWhatChanged) {
    Fixture f;
    std::string y2025 = f.yearDir(2025), y2026 = f.yearDir(2026);
    f.table("KARTYDZ", y2025);
    TDane data;
    auto moved = data.PointToYear(y2025);
    EXPECT_NE(std::find(moved.begin(), moved.end(), "QKartDz"), moved.end());
    EXPECT_NE(std::find(moved.begin(), moved.end(), "TabLicz"), moved.end());
    EXPECT_EQ(std::find(moved.begin(), moved.end(), "TabPrac"), moved.end());  // root handles stay
    EXPECT_EQ(data.TabKartDz.dataset().path(), y2025 + "KARTYDZ.DBF");

    data.TabKartDz.open();
    data.QKartDz.prepare();
    EXPECT_TRUE(data.PointToYear(y2025).empty());  // the same year twice changes nothing
    EXPECT_TRUE(data.TabKartDz.active());
    EXPECT_TRUE(data.QKartDz.prepared());

    EXPECT_FALSE(data.PointToYear(y2026).empty());
    EXPECT_FALSE(data.TabKartDz.active());  // closed before it was re-pointed
    EXPECT_FALSE(data.QKartDz.prepared());
    EXPECT_EQ(data.QKartDz.directory(), y2026);
}

TEST(TDane, QueriesHoldTheirTexts) {
    TDane data;
    EXPECT_EQ(data.QKartDz.sql(), "SELECT * FROM \"KARTYDZ.DBF\" WHERE (KTORA=0) AND (Numer=:NumPac) "
                                  "ORDER BY Z_DNIA, NAZWISKO");
    EXPECT_EQ(data.QSprMce.sql(), "select * from \"nag_pacz.dbf\" where ((FLOOR(MOD(CONVERT(NUMER,SQL_"
                                  "INTEGER),100)/20)*100)+TRUNCATE(numer /100,0)=:NrJ)");
    EXPECT_EQ(data.QDrukZlec.sql(), data.QZlec.sql());
    EXPECT_EQ(&data.query("QOddzialy"), &data.QOddzialy);
    EXPECT_EQ(&data.table("TabLicz"), &data.TabLicz);
}

TEST(TDane, NextCounterCountsFromTheRecordAndRefusesAnUnknownCounter) {
    Fixture f;
    std::string year = f.yearDir(2026);
    f.table("Licznik", year, {{{"ZLECENIA", 12.0}, {"URLOPY", 1.0}, {"ZWOLNIENIA", 0.0}}});
    TDane data;
    data.PointToYear(year);
    EXPECT_EQ(data.NextCounter("ZLECENIA"), 12);
    EXPECT_EQ(data.NextCounter("ZLECENIA"), 13);
    EXPECT_EQ(data.NextCounter("URLOPY"), 1);
    EXPECT_EQ(data.NextCounter("ZWOLNIENIA"), 1);  // 0 is never handed out: it means "none"
    EXPECT_EQ(data.NextCounter("ZWOLNIENIA"), 2);
    EXPECT_FALSE(data.TabLicz.active());
    EXPECT_THROW(data.NextCounter("PREMIE"), std::invalid_argument);
}

TEST(TDane, NextCounterInATableHeldElsewhereIsRefusedWith7008) {
    Fixture f;
    std::string year = f.yearDir(2026);
    f.table("Licznik", year, {{{"ZLECENIA", 5.0}, {"URLOPY", 1.0}, {"ZWOLNIENIA", 1.0}}});
    xb::Dataset other(year + "Licznik.dbf");
    other.open();  // another desktop has the counters open
    TDane data;
    data.PointToYear(year);
    try {
        data.NextCounter("ZLECENIA");
        FAIL() << "no error";
    } catch (const xb::Error& e) {
        EXPECT_EQ(e.number(), 7008);
    }
    other.close();
    EXPECT_EQ(data.NextCounter("ZLECENIA"), 5);
}
