// The table catalogue and the index catalogue.
#include "IndexCatalogue.h"
#include "TableCatalogue.h"

#include <gtest/gtest.h>

using namespace ewidor;

TEST(IndexCatalogue, SeventeenRowsInOrderAndFourteenForTheYearOpening) {
    const auto& rows = IndexCatalogue::all();
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(rows.front().table + "." + rows.front().tag, "KOS.Num");
    EXPECT_EQ(rows[4].table + "." + rows[4].tag + "=" + rows[4].expression, "KARTYDZ.WgDat=Z_DNIA");
    EXPECT_EQ(rows.back().expression, "ST_KOSZT+ODDZIAL+ZLECENIE");
    auto opening = IndexCatalogue::forYearOpening();
    ASSERT_EQ(opening.size(), 14u);
    EXPECT_EQ(opening.front().fileName, "KOS.DBF");
    EXPECT_EQ(opening.back().fileName, "HARMON.DBF");
}

// Every tag of the index catalogue is defined on its table, over fields the table has.
TEST(TableCatalogue, TagsMatchTheIndexCatalogueAndNameRealFields) {
    TableCatalogue catalogue;
    for (const auto& row : IndexCatalogue::all()) {
        SCOPED_TRACE(row.table + "." + row.tag);
        const TableDef& def = catalogue.site(row.table);
        bool found = false;
        for (const auto& tag : def.tags) found |= tag.name == row.tag && tag.expression == row.expression;
        EXPECT_TRUE(found);
        std::string expr = row.expression + "+";
        for (size_t start = 0, plus; (plus = expr.find('+', start)) != std::string::npos; start = plus + 1) {
            std::string field = expr.substr(start, plus - start);
            bool has = false;
            for (const auto& f : def.fields) has |= f.name == field;
            EXPECT_TRUE(has) << field;
        }
    }
}

TEST(TableCatalogue, EveryDefinitionIsAValidTable) {
    TableCatalogue catalogue(8);
    std::vector<const TableDef*> all;
    for (const auto* list : {&catalogue.siteTables(), &catalogue.hqTables(), &catalogue.referenceFiles()})
        for (const auto& def : *list) all.push_back(&def);
    for (const TableDef* def : all) {
        SCOPED_TRACE(def->fileName);
        EXPECT_NO_THROW(xb::validateFieldDefs(def->fields));
    }
    EXPECT_EQ(catalogue.site("MAPA").codePage, 1250);
    EXPECT_EQ(catalogue.site("kos.dbf").name, "KOS");
    EXPECT_EQ(TableCatalogue::fileNameForYear(catalogue.reference("Zlec"), 2026), "Zlec2026.dbf");
    // One GRUPA_n column per category, before the validity flags.
    const auto& stakosz = catalogue.site("STAKOSZ").fields;
    EXPECT_EQ(stakosz[6].name, "GRUPA_1");
    EXPECT_EQ(stakosz[13].name, "GRUPA_8");
    EXPECT_EQ(stakosz[14].name, "POCZ_ROKU");
    // Headquarters' header tables carry ROK_BIEZ and STAN.
    int extra = 0;
    for (const auto& f : catalogue.hq("Ke01").fields) extra += f.name == "ROK_BIEZ" || f.name == "STAN";
    EXPECT_EQ(extra, 2);
}

TEST(TableCatalogue, CardLinesComeInFiveFieldGroups) {
    TableCatalogue catalogue;
    const auto& f = catalogue.site("KARTYDZ").fields;
    auto at = [&](const std::string& name) {
        for (size_t i = 0; i < f.size(); ++i)
            if (f[i].name == name) return static_cast<long>(i);
        return -1L;
    };
    for (int line = 1; line <= 5; ++line) {
        std::string d = std::to_string(line);
        EXPECT_EQ(at("ODDZIAL" + d) - at("GODZ" + d), 4) << line;
    }
    EXPECT_EQ(at("GODZ1") - at("ODDZIAL"), 1);
    EXPECT_EQ(f.back().name, "MSOBOTY_I");
}
