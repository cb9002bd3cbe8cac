#include "CardLayout.h"
#include "CardTable.h"
#include "Error.h"
#include "Table.h"
#include "TableCatalogue.h"
#include "TableFactory.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace ewidor {
namespace {

const int kMarch17 = 1703;  // group 17, March
const int kMarch18 = 1803;  // group 18, March

class CardTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = TableFactory::Create(TableCatalogue().site("KARTYDZ"), tmp_.path().string() + "/");
        cards_ = std::make_unique<CardTable>(path_);
    }

    xb::Record card(int numer, int nrEw, int day, const std::string& name, int month = 3) {
        xb::Record r = cards_->BlankCard();
        r.set("NUMER", static_cast<double>(numer));
        r.set("NR_EW", static_cast<double>(nrEw));
        r.set("Z_DNIA", xb::Date{2026, month, day});
        r.set("NAZWISKO", name);
        return r;
    }
    static void line(xb::Record& r, int n, int hours, int minutes, const std::string& centre = "ST001") {
        r.set(CardLayout::LineField("GODZ", n), static_cast<double>(hours));
        r.set(CardLayout::LineField("MIN", n), static_cast<double>(minutes));
        r.set(CardLayout::LineField("ST_KOSZT", n), centre);
        r.set(CardLayout::LineField("ZL_ID", n), 5.0);
        r.set(CardLayout::LineField("ODDZIAL", n), "O01");
    }
    uint32_t saveMain(int numer, int nrEw, int day, const std::string& name, int hours = 8) {
        xb::Record r = card(numer, nrEw, day, name);
        line(r, 0, hours, 0);
        CardSave saved = cards_->SaveMainCard(r);
        EXPECT_FALSE(saved.refusal) << saved.refusal->text;
        return saved.recno;
    }
    xb::Record stored(uint32_t recno) { return xb::Table::open(path_)->read(recno); }
    uint32_t records() { return xb::Table::open(path_)->recordCount(); }

    testsupport::TempDir tmp_;
    std::string path_;
    std::unique_ptr<CardTable> cards_;
};

TEST_F(CardTableTest, ACardWithLinesZeroAndThreeIsStoredInLinesZeroAndOne) {
    xb::Record r = card(kMarch17, 101, 2, "Kowalski Jan");
    line(r, 0, 5, 0, "ST001");
    line(r, 3, 2, 45, "ST003");
    CardSave saved = cards_->SaveMainCard(r);
    ASSERT_FALSE(saved.refusal);
    xb::Record s = stored(saved.recno);
    EXPECT_EQ(s.text("ST_KOSZT"), "ST001");
    EXPECT_EQ(s.number("GODZ"), 5);
    EXPECT_EQ(s.text("ST_KOSZT1"), "ST003");
    EXPECT_EQ(s.number("GODZ1"), 2);
    EXPECT_EQ(s.number("MIN1"), 45);
    for (int n = 2; n < 6; ++n) {
        EXPECT_EQ(CardLayout::LineMinutes(s, n), 0) << n;
        EXPECT_EQ(s.text(CardLayout::LineField("ST_KOSZT", n)), "") << n;
        EXPECT_EQ(s.number(CardLayout::LineField("ZL_ID", n)), 0) << n;
    }
    EXPECT_EQ(CardLayout::Pair(s, "PRACY_R"), 7 * 60 + 45);
}

TEST_F(CardTableTest, ASecondMainCardOfTheDayIsRefusedAndNothingIsWritten) {
    uint32_t first = saveMain(kMarch17, 101, 11, "Kowalski Jan");
    xb::Record supplementary = card(kMarch17, 101, 11, "Kowalski Jan");
    line(supplementary, 0, 1, 0);
    ASSERT_FALSE(cards_->SaveSupplementaryCard(supplementary).refusal);
    saveMain(kMarch17, 101, 12, "Kowalski Jan");  // another day is fine
    saveMain(kMarch17, 102, 11, "Nowak Anna");     // and another employee
    uint32_t before = records();

    xb::Record second = card(kMarch17, 101, 11, "Kowalski Jan");
    line(second, 0, 4, 0);
    CardSave saved = cards_->SaveMainCard(second);
    ASSERT_TRUE(saved.refusal);
    EXPECT_EQ(saved.refusal->title, "Uwaga !");
    EXPECT_EQ(saved.refusal->text, "Kowalski Jan ma już zapisaną kartę na dzień 11 marca 2026 r.  !");
    EXPECT_EQ(records(), before);
    // Saving the existing card again is no second card.
    xb::Record again = stored(first);
    line(again, 1, 1, 0);
    EXPECT_FALSE(cards_->SaveMainCard(again, first).refusal);
}

TEST_F(CardTableTest, TheDaysTotalWorkIsTheSumOfAllEighteenLines) {
    xb::Record main = card(kMarch17, 101, 5, "Kowalski Jan");
    for (int n = 0; n < 6; ++n) line(main, n, 1, 10 + n);  // 6 * 60 + 75
    main.set("GN50_N", 1.0);
    uint32_t mainRecno = cards_->SaveMainCard(main).recno;
    int expected = 6 * 60 + 75;
    for (int k = 0; k < 2; ++k) {
        xb::Record extra = card(kMarch17, 101, 5, "Kowalski Jan");
        for (int n = 0; n < 6; ++n) line(extra, n, 0, 20 + 5 * k + n);
        extra.set("GN50_N", 2.0);  // classes never stay on a supplementary card
        extra.set("GUP_U", 1.0);
        expected += 6 * (20 + 5 * k) + 15;
        CardSave saved = cards_->SaveSupplementaryCard(extra);
        ASSERT_FALSE(saved.refusal);
        xb::Record s = stored(saved.recno);
        EXPECT_EQ(s.number("KTORA"), k + 1);
        for (const auto& stem : CardLayout::ClassStems()) EXPECT_EQ(CardLayout::Pair(s, stem), 0) << stem;
    }
    xb::Record s = stored(mainRecno);
    EXPECT_EQ(CardLayout::Pair(s, "PRACY_R"), expected);
    EXPECT_EQ(s.number("GPRACY_R"), expected / 60);
    EXPECT_EQ(s.number("MPRACY_R"), expected % 60);
    EXPECT_EQ(s.number("GN50_N"), 1);
    EXPECT_EQ(cards_->SupplementaryMinutes(101, {2026, 3, 5}), expected - (6 * 60 + 75));
}

TEST_F(CardTableTest, AccessPathsOfAPackage) {
    saveMain(kMarch17, 102, 3, "Nowak Anna");
    saveMain(kMarch17, 101, 3, "Kowalski Jan");
    saveMain(kMarch17, 101, 2, "Kowalski Jan");
    saveMain(kMarch17, 103, 2, "Adamski Piotr");
    saveMain(kMarch17, 103, 3, "Adamski Piotr");
    saveMain(kMarch18, 104, 2, "Zieliński Adam");  // another group's package, same days
    xb::Record other = card(1704, 101, 1, "Kowalski Jan", 4);  // the same employee in April
    line(other, 0, 8, 0);
    ASSERT_FALSE(cards_->SaveMainCard(other).refusal);
    xb::Record extra = card(kMarch17, 101, 2, "Kowalski Jan");
    line(extra, 0, 2, 0);
    ASSERT_FALSE(cards_->SaveSupplementaryCard(extra).refusal);

    auto describe = [](const std::vector<Card>& cards) {
        std::vector<std::string> out;
        for (const auto& c : cards) out.push_back(std::to_string(c.record.date("Z_DNIA").day) + " " + c.record.text("NAZWISKO"));
        return out;
    };
    EXPECT_EQ(describe(cards_->MainCardsOfPackage(kMarch17, PackageOrder::ByDayThenName)),
              (std::vector<std::string>{"2 Adamski Piotr", "2 Kowalski Jan", "3 Adamski Piotr", "3 Kowalski Jan",
                                        "3 Nowak Anna"}));
    EXPECT_EQ(describe(cards_->MainCardsOfPackage(kMarch17, PackageOrder::ByNameThenDay)),
              (std::vector<std::string>{"2 Adamski Piotr", "3 Adamski Piotr", "2 Kowalski Jan", "3 Kowalski Jan",
                                        "3 Nowak Anna"}));
    EXPECT_EQ(cards_->EmployeesOfPackage(kMarch17),
              (std::vector<PackageEmployee>{{103, "Adamski Piotr"}, {101, "Kowalski Jan"}, {102, "Nowak Anna"}}));
    EXPECT_EQ(cards_->DaysOfEmployee(kMarch17, 101), (std::vector<xb::Date>{{2026, 3, 2}, {2026, 3, 3}}));

    auto main = cards_->MainCard(101, {2026, 3, 2});
    ASSERT_TRUE(main);
    EXPECT_EQ(main->record.number("KTORA"), 0);
    EXPECT_FALSE(cards_->MainCard(101, {2026, 3, 4}));
    auto supplementary = cards_->SupplementaryCards(101, {2026, 3, 2});
    ASSERT_EQ(supplementary.size(), 1u);
    EXPECT_EQ(supplementary[0].record.number("KTORA"), 1);
    EXPECT_TRUE(cards_->SupplementaryCards(101, {2026, 3, 3}).empty());
}

TEST_F(CardTableTest, SupplementaryCardsAreNumberedOneToNineAndNeedTheMainCard) {
    const xb::Date day{2026, 3, 9};
    xb::Record orphan = card(kMarch17, 101, 9, "Kowalski Jan");
    line(orphan, 0, 1, 0);
    auto refused = cards_->SaveSupplementaryCard(orphan);
    ASSERT_TRUE(refused.refusal);
    EXPECT_EQ(refused.refusal->title, "Uwaga !");

    saveMain(kMarch17, 101, 9, "Kowalski Jan", 1);
    std::vector<uint32_t> recnos;
    for (int k = 1; k <= 3; ++k) {
        xb::Record extra = card(kMarch17, 101, 9, "Kowalski Jan");
        line(extra, 0, 0, 10 * k);
        recnos.push_back(cards_->SaveSupplementaryCard(extra).recno);
    }
    // Deleting card 2 leaves 1 and 3: the next card takes the free number, not a second 3.
    {
        auto table = xb::Table::open(path_);
        table->lock(recnos[1]);
        table->setDeleted(recnos[1], true);
        table->unlock(recnos[1]);
    }
    for (int expected : {2, 4, 5, 6, 7, 8, 9}) {
        xb::Record extra = card(kMarch17, 101, 9, "Kowalski Jan");
        line(extra, 0, 0, 5);
        CardSave saved = cards_->SaveSupplementaryCard(extra);
        ASSERT_FALSE(saved.refusal);
        EXPECT_EQ(stored(saved.recno).number("KTORA"), expected);
    }
    uint32_t before = records();
    xb::Record tenth = card(kMarch17, 101, 9, "Kowalski Jan");
    line(tenth, 0, 0, 5);
    CardSave saved = cards_->SaveSupplementaryCard(tenth);
    ASSERT_TRUE(saved.refusal);
    EXPECT_EQ(saved.refusal->title, "Przekroczone ograniczenia systemu !");
    EXPECT_EQ(saved.refusal->text, "Nie można w systemie zapisać więcej niż 9 dziennych kart pracy jednemu pracownikowi !");
    EXPECT_EQ(records(), before);
    EXPECT_EQ(cards_->SupplementaryCards(101, day).size(), 9u);
    EXPECT_EQ(CardLayout::Pair(cards_->MainCard(101, day)->record, "PRACY_R"), 60 + 10 + 30 + 7 * 5);
}

TEST_F(CardTableTest, DeletingADayTakesAllItsCardsOrNone) {
    saveMain(kMarch17, 101, 6, "Kowalski Jan");
    saveMain(kMarch17, 101, 7, "Kowalski Jan");
    saveMain(kMarch17, 102, 6, "Nowak Anna");
    xb::Record extra = card(kMarch17, 101, 6, "Kowalski Jan");
    line(extra, 0, 1, 0);
    uint32_t extraRecno = cards_->SaveSupplementaryCard(extra).recno;

    {
        // Another desktop edits the supplementary card: nothing of the day goes.
        auto other = xb::Table::open(path_);
        other->lock(extraRecno);
        try {
            cards_->DeleteDay(101, {2026, 3, 6});
            ADD_FAILURE() << "deleted a day with a locked card";
        } catch (const xb::Error& e) {
            EXPECT_EQ(e.number(), 5035);
        }
        EXPECT_TRUE(cards_->MainCard(101, {2026, 3, 6}));
        EXPECT_EQ(cards_->SupplementaryCards(101, {2026, 3, 6}).size(), 1u);
    }
    EXPECT_EQ(cards_->DeleteDay(101, {2026, 3, 6}), 2u);
    EXPECT_FALSE(cards_->MainCard(101, {2026, 3, 6}));
    EXPECT_TRUE(cards_->SupplementaryCards(101, {2026, 3, 6}).empty());
    EXPECT_TRUE(cards_->MainCard(101, {2026, 3, 7}));
    EXPECT_TRUE(cards_->MainCard(102, {2026, 3, 6}));
    EXPECT_EQ(cards_->MainCardsOfPackage(kMarch17, PackageOrder::ByDayThenName).size(), 2u);
}

} // namespace
} // namespace ewidor
