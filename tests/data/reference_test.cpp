// Derived fields of the reference tables, the category rules and the digit rule.
#include "ReferenceFields.h"
#include "TableCatalogue.h"

#include <gtest/gtest.h>

using namespace ewidor;

namespace {
xb::Record record(const std::string& table, const std::vector<std::pair<std::string, xb::Value>>& values) {
    TableCatalogue catalogue;
    auto schema = std::make_shared<xb::Schema>(catalogue.site(table).fields, xb::CodePage::get(852));
    xb::Record r = xb::Record::blank(schema);
    for (const auto& [f, v] : values) r.set(f, v);
    return r;
}
} // namespace

TEST(ReferenceFields, PracownikKategoriaAndRemainingVacation) {
    TDaneGrupy categories;
    categories.add({1, "Pracownicy umysłowi"});
    categories.add({3, "Czterobrygadowi"});
    xb::Record kos = record("KOS", {{"NAZWISKO", std::string("Wiśniewska")}, {"IMIE", std::string("Żaneta")},
                                    {"STATUS", 3.0}, {"G_URLOP", 12.0}, {"M_URLOP", 0.0}});
    EXPECT_EQ(Pracownik(kos), "Wiśniewska Żaneta");
    EXPECT_EQ(Kategoria(kos, categories), "Czterobrygadowi");
    EXPECT_DOUBLE_EQ(DniUrl(kos), 1.5);
    kos.set("STATUS", 9.0);
    EXPECT_EQ(Kategoria(kos, categories), "");
    EXPECT_EQ(categories.find(9), std::nullopt);
    EXPECT_EQ(categories.find(3), 1u);

    struct Case {
        double hours, minutes;
        const char* shown;
    } cases[] = {{0, 0, "0"}, {12, 0, "1.5"}, {8, 0, "1"}, {200, 30, "25.1"}, {-4, 0, "-0.5"}};
    for (const auto& c : cases) {
        kos.set("G_URLOP", c.hours);
        kos.set("M_URLOP", c.minutes);
        EXPECT_EQ(DniUrlText(DniUrl(kos)), c.shown) << c.hours << ":" << c.minutes;
    }
}

TEST(ReferenceFields, NriNazwa) {
    xb::Record s = record("STAKOSZ", {{"KOD", std::string("50100")}, {"NAZWA", std::string("Obróbka")}});
    EXPECT_EQ(NriNazwa(s), "50100 - Obróbka");
}

TEST(ReferenceFields, CategoryAllowedInGroup) {
    Category c;
    c.dostJedn = "001017117";
    EXPECT_TRUE(CategoryAllowedInGroup(c, 17));
    EXPECT_TRUE(CategoryAllowedInGroup(c, 117));
    EXPECT_FALSE(CategoryAllowedInGroup(c, 2));
    EXPECT_TRUE(CategoryListedTwoDigits(c, 17));
}

TEST(ReferenceFields, DigitRuleOfCostCentres) {
    struct Case {
        bool czyZlec, pozaZlec;
        const char *ktora, *cyfry, *order;
        bool allowed;
    } cases[] = {
        {true, false, "3", "15", "001023", true},
        {true, false, "3", "15", "002023", false},
        {true, false, "0", "15", "002023", true},   // no digit rule
        {false, false, "3", "15", "002023", true},  // no orders on this cost centre
        {true, true, "3", "15", "002023", true},    // the rule is not applied
        {true, false, "7", "15", "001023", false},  // the number is too short for the position
    };
    for (const auto& c : cases)
        EXPECT_EQ(DigitRuleAllows(c.czyZlec, c.pozaZlec, c.ktora, c.cyfry, c.order), c.allowed)
            << c.ktora << " " << c.cyfry << " " << c.order;
}
