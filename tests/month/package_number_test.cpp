#include "GroupNumberRule.h"
#include "PackageNumber.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace ewidor {
namespace {

struct NumberCase {
    int group, month, numer;
};

TEST(PackageNumber, EncodesAndDecodesTheKnownNumbers) {
    const NumberCase cases[] = {
        {499, 12, 9992}, {0, 1, 1}, {17, 3, 1703}, {117, 3, 1723}, {205, 12, 552},
        {1, 5, 105},     {100, 5, 25}, {123, 3, 2323}, {400, 12, 92}, {99, 1, 9901},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("group " + std::to_string(c.group) + " month " + std::to_string(c.month));
        EXPECT_EQ(PackageNumber::Encode(c.group, c.month), c.numer);
        EXPECT_EQ(PackageNumber::Decode(c.numer), (PackageId{c.group, c.month}));
    }
}

TEST(PackageNumber, EveryGroupAndMonthRoundTripsToItsOwnNumber) {
    std::set<int> seen;
    for (int group = 0; group <= 499; ++group)
        for (int month = 1; month <= 12; ++month) {
            int numer = PackageNumber::Encode(group, month);
            ASSERT_TRUE(seen.insert(numer).second) << "number " << numer << " given twice";
            ASSERT_LE(numer, 9992);
            ASSERT_EQ(PackageNumber::Decode(numer), (PackageId{group, month})) << numer;
        }
    EXPECT_EQ(seen.size(), 6000u);
}

TEST(PackageNumber, RefusesWhatHasNoUniqueNumber) {
    const std::pair<int, int> bad[] = {{500, 1}, {-1, 1}, {0, 0}, {0, 13}, {1000, 12}};
    for (auto [group, month] : bad) EXPECT_THROW(PackageNumber::Encode(group, month), std::invalid_argument);
    for (int numer : {0, 13, 19, 20, 100, 9993, -5}) EXPECT_THROW(PackageNumber::Decode(numer), std::invalid_argument);
}

TEST(PackageNumber, RangesOfAGroupsYearAndOfASettlementPeriod) {
    EXPECT_EQ(PackageNumber::MonthsOfGroup(117), (NumberRange{1721, 1732}));
    EXPECT_EQ(PackageNumber::MonthsOfGroup(0), (NumberRange{1, 12}));
    EXPECT_EQ(PackageNumber::SettlementPeriod(117, 6, 3), (NumberRange{1724, 1726}));
    EXPECT_EQ(PackageNumber::SettlementPeriod(17, 12, 12), (NumberRange{1701, 1712}));
    EXPECT_EQ(PackageNumber::SettlementPeriod(17, 4, 1), (NumberRange{1704, 1704}));
    // Reaching back past January would take in numbers of group 17 (1712 is its December).
    EXPECT_THROW(PackageNumber::SettlementPeriod(117, 3, 12), std::invalid_argument);
    EXPECT_THROW(PackageNumber::SettlementPeriod(117, 3, 0), std::invalid_argument);
}

TEST(PackageNumber, DeliveryNumberOfTheOvertimeRegister) {
    EXPECT_EQ(PackageNumber::DeliveryNumber(2026, 17, 3), 261703);
    EXPECT_EQ(PackageNumber::DeliveryNumber(2000, 0, 1), 1);
    EXPECT_EQ(PackageNumber::DeliveryNumber(2099, 499, 12), 999992);
}

TEST(PackageNumber, DaysOfAPackage) {
    auto feb = PackageNumber::Days(2028, 2);
    EXPECT_EQ(feb.first, (xb::Date{2028, 2, 1}));
    EXPECT_EQ(feb.last, (xb::Date{2028, 2, 29}));
    auto jan = PackageNumber::Days(2026, 1, 5);
    EXPECT_EQ(jan.first, (xb::Date{2025, 12, 5}));
    EXPECT_EQ(jan.last, (xb::Date{2026, 1, 4}));
    EXPECT_TRUE(jan.contains({2025, 12, 31}));
    EXPECT_FALSE(jan.contains({2026, 1, 5}));
}

TEST(GroupNumberRule, RefusesGroupsFromFiveHundredOn) {
    EXPECT_FALSE(GroupNumberRule::Check(0));
    EXPECT_FALSE(GroupNumberRule::Check(499));
    for (int group : {500, 999, -1}) {
        auto refusal = GroupNumberRule::Check(group);
        ASSERT_TRUE(refusal) << group;
        EXPECT_EQ(refusal->title, "Uwaga !");
        EXPECT_EQ(refusal->text, "Grupa pracowników o numerze " + std::to_string(group) +
                                     " nie może być obsługiwana !\n\n"
                                     "Numery paczek są jednoznaczne tylko dla grup o numerach od 0 do 499.\n"
                                     "Należy nadać grupie numer od 0 do 499.");
    }
}

} // namespace
} // namespace ewidor
