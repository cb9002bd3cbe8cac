#include "TableCatalogue.h"

#include <gtest/gtest.h>

namespace ewidor {
namespace {

std::vector<std::string> fieldNames(const TableDef& def) {
    std::vector<std::string> names;
    for (const auto& f : def.fields) names.push_back(f.name);
    return names;
}

void pairs(std::vector<std::string>& out, std::initializer_list<const char*> stems) {
    for (const char* stem : stems) {
        out.push_back(std::string("G") + stem);
        out.push_back(std::string("M") + stem);
    }
}

TEST(PackageTables, HeaderFieldsInOrder) {
    EXPECT_EQ(fieldNames(TableCatalogue().site("NAG_PACZ")),
              (std::vector<std::string>{"NUMER", "OPIS", "DATA_MODYF", "NAZWISKO", "LICZBA_DOK", "STAN", "ID_LISTY",
                                        "MC_BIEZ", "SPRAWDZONA"}));
}

TEST(PackageTables, MonthlyCardFieldsInOrder) {
    std::vector<std::string> want = {"NUMER", "NR_EW"};
    pairs(want, {"PRACY_R", "N50_N", "N100_N", "N100S_N", "NOCNE1_I", "NOCNE2_I", "SWIETA_I", "ROBCHOR", "UWYP_U",
                 "UOKOL_U", "DELEG_U", "UB_U", "OPIEKI_U", "NN_U", "ROBZCH_U", "UN_U", "UP_U"});
    for (const char* f : {"GODZ", "MIN", "ST_KOSZT", "ZL_ID", "ZLECENIE", "ODDZIAL"}) want.push_back(f);
    for (const char* f : {"GODZ", "MIN", "ST_KOSZT", "ZL_ID", "ZLECENIE", "ODDZIAL"})
        for (int slot = 1; slot <= 9; ++slot) want.push_back(f + std::to_string(slot));
    want.push_back("NAZWISKO");
    pairs(want, {"DOD50_I", "N50A_N", "N100A_N", "N100SA_N", "ODB_U", "ODB15_U", "SOBOTY_I"});
    want.push_back("KWOTA");
    for (int slot = 1; slot <= 9; ++slot) want.push_back("KWOTA" + std::to_string(slot));
    TableCatalogue catalogue;
    EXPECT_EQ(fieldNames(catalogue.site("PACZKI")), want);
    // The headquarters' monthly cards are the same table.
    EXPECT_EQ(fieldNames(catalogue.hq("Ke02")), want);
}

} // namespace
} // namespace ewidor
