// The change and exit rules of every control kind, one table of cases each.
#include "RulesOf.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace tv;

namespace {

EntryContext editable(int maxMinut, int minMinut = 0) {
    EntryContext c;
    c.editable = true;
    c.maxMinut = maxMinut;
    c.minMinut = minMinut;
    return c;
}

constexpr DurationPart H = DurationPart::Hours;
constexpr DurationPart M = DurationPart::Minutes;

struct ChangeCase {
    const char* name;
    Kind kind;
    DurationPart part;
    PartTexts now;
    EntryContext context;
    PartTexts expected;
    int ileMinut;
};

} // namespace

TEST(DurationRules, ChangeRulesClampAndRewrite) {
    const std::vector<ChangeCase> cases{
        {"25 h become 24", Kind::Simple, H, {"25", "0"}, editable(1440), {"24", "0"}, 1440},
        {"9 h over 480 become 8:00", Kind::Simple, H, {"9", "30"}, editable(480), {"8", "0"}, 480},
        {"8 h with minutes over 500", Kind::Simple, H, {"8", "45"}, editable(500), {"8", "0"}, 480},
        {"8:45 minutes over 500 give 8:20", Kind::Simple, M, {"8", "45"}, editable(500), {"8", "20"}, 500},
        {"75 min become 59", Kind::Simple, M, {"1", "75"}, editable(1440), {"1", "59"}, 119},
        {"negative hours become 0", Kind::Simple, H, {"-3", "10"}, editable(1440), {"0", "10"}, 10},
        {"lone minus hours", Kind::Simple, H, {"-", "10"}, editable(1440), {"0", "10"}, 10},
        {"lone minus minutes", Kind::Simple, M, {"2", "-"}, editable(1440), {"2", "0"}, 120},
        {"non-number read as 0", Kind::Simple, H, {"x", "5"}, editable(1440), {"0", "5"}, 5},
        {"blank stays blank", Kind::Simple, H, {"", "5"}, editable(1440), {"", "5"}, 5},
        {"leading zero kept", Kind::Simple, H, {"08", "0"}, editable(1440), {"08", "0"}, 480},
        {"read-only: value only", Kind::Simple, H, {"30", "75"}, EntryContext{}, {"30", "75"}, 1875},
        {"free: 75 min become 0", Kind::Free, M, {"1", "75"}, editable(720), {"1", "0"}, 60},
        {"free: negative min become 0", Kind::Free, M, {"1", "-5"}, editable(720), {"1", "0"}, 60},
        {"free: minus min become 0", Kind::Free, M, {"1", "-"}, editable(720), {"1", "0"}, 60},
        {"free: 13 h over 720", Kind::Free, H, {"13", "0"}, editable(720), {"12", "0"}, 720},
        {"free: minutes over 700", Kind::Free, M, {"11", "50"}, editable(700), {"11", "40"}, 700},
        {"signed: -9 h over -480", Kind::Signed, H, {"-9", "0"}, editable(1440, -480), {"-8", "0"}, -480},
        {"signed: -2 h drop +30 min", Kind::Signed, H, {"-2", "30"}, editable(1440, -480), {"-2", "0"}, -120},
        {"signed: -2 h and +30 min typed", Kind::Signed, M, {"-2", "30"}, editable(1440, -480), {"-2", "0"}, -120},
        {"signed: 0 h, -70 min", Kind::Signed, M, {"0", "-70"}, editable(1440, -480), {"0", "-59"}, -59},
        {"signed: 0 h, 70 min", Kind::Signed, M, {"0", "70"}, editable(1440, -480), {"0", "59"}, 59},
        {"signed: -1 h, -75 min", Kind::Signed, M, {"-1", "-75"}, editable(1440, -480), {"-1", "-59"}, -119},
        {"signed: 2 h, -5 min", Kind::Signed, M, {"2", "-5"}, editable(1440, -480), {"2", "0"}, 120},
        {"signed: 2 h, lone minus min", Kind::Signed, M, {"2", "-"}, editable(1440, -480), {"2", "0"}, 120},
        {"signed: 0 h, lone minus min kept", Kind::Signed, M, {"0", "-"}, editable(1440, -480), {"0", "-"}, 0},
        {"signed: lone minus hours kept", Kind::Signed, H, {"-", "0"}, editable(1440, -480), {"-", "0"}, 0},
        {"signed: non-number rewritten", Kind::Signed, H, {"a", "0"}, editable(1440, -480), {"0", "0"}, 0},
        {"signed: -7:30 below -420", Kind::Signed, M, {"-7", "-30"}, editable(1440, -420), {"-7", "0"}, -420},
        {"signed: -90 bound gives -30", Kind::Signed, M, {"-1", "-45"}, editable(1440, -90), {"-1", "-30"}, -90},
        {"signed: 25 h", Kind::Signed, H, {"25", "0"}, editable(1440, -480), {"24", "0"}, 1440},
        {"signed: -8 h with -30 below -480", Kind::Signed, H, {"-8", "-30"}, editable(1440, -480), {"-8", "0"}, -480},
        {"vacation: stored as typed", Kind::Vacation, H, {"30", "75"}, editable(24960), {"30", "75"}, 1875},
        {"vacation days: 999 h", Kind::VacationDays, H, {"999", "0"}, editable(60000), {"960", "0"}, 57600},
        {"vacation days: over MaxMinut", Kind::VacationDays, H, {"500", "0"}, editable(24960), {"416", "0"}, 24960},
        {"vacation days: minus", Kind::VacationDays, H, {"-", "0"}, editable(24960), {"0", "0"}, 0},
        {"vacation days: 75 min", Kind::VacationDays, M, {"28", "75"}, editable(24960), {"28", "59"}, 1739},
    };
    for (const ChangeCase& c : cases) {
        const EntryResult r = rulesOf(c.kind)->changed(c.part, c.now, c.now, c.context);
        EXPECT_EQ(r.texts, c.expected) << c.name << ": " << r.texts.hours << ":" << r.texts.minutes;
        EXPECT_EQ(r.ileMinut, c.ileMinut) << c.name;
        const bool fires = c.context.editable && c.kind != Kind::Vacation;
        EXPECT_EQ(r.fire, fires) << c.name;
        EXPECT_EQ(r.write, c.context.editable) << c.name;
    }
}

TEST(DurationRules, ExitRules) {
    struct Case { const char* name; Kind kind; DurationPart part; PartTexts now; int kwant; std::optional<PartTexts> expected; };
    const std::vector<Case> cases{
        {"quantum 15: 44 become 30", Kind::Simple, M, {"1", "44"}, 15, PartTexts{"1", "30"}},
        {"quantum 15: 45 stay", Kind::Simple, M, {"1", "45"}, 15, std::nullopt},
        {"blank hours become 0", Kind::Simple, H, {"", "20"}, 1, PartTexts{"0", "20"}},
        {"blank minutes become 0", Kind::Split, M, {"3", ""}, 5, PartTexts{"3", "0"}},
        {"signed toward zero", Kind::Signed, M, {"-1", "-44"}, 15, PartTexts{"-1", "-30"}},
        {"free edit has none", Kind::Free, M, {"1", "44"}, 15, std::nullopt},
        {"vacation rounds minutes", Kind::Vacation, M, {"100", "44"}, 15, PartTexts{"100", "30"}},
        {"vacation keeps blank hours", Kind::Vacation, H, {"", "0"}, 1, std::nullopt},
    };
    for (const Case& c : cases) {
        EntryContext ctx = editable(1440, -480);
        ctx.kwant = c.kwant;
        EXPECT_EQ(rulesOf(c.kind)->left(c.part, c.now, ctx), c.expected) << c.name;
        EXPECT_EQ(rulesOf(c.kind)->left(c.part, c.now, EntryContext{}), std::nullopt) << c.name;
    }
}

TEST(DurationRules, SplitLineShowsClearsAndRefuses) {
    const SplitLineRules rules;
    EntryContext c = editable(1440);

    EntryResult r = rules.changed(H, {"0", "0"}, {"1", "0"}, c);
    EXPECT_EQ(r.lineVisible, false);
    EXPECT_TRUE(r.clearLine);
    EXPECT_TRUE(r.fire);

    r = rules.changed(H, {"2", "0"}, {"1", "0"}, c);
    EXPECT_EQ(r.lineVisible, true);
    EXPECT_FALSE(r.clearLine);

    c.moznaUsuwac = false;
    r = rules.changed(H, {"0", "0"}, {"1", "0"}, c);
    EXPECT_EQ(r.texts, (PartTexts{"1", "0"}));
    EXPECT_EQ(r.ileMinut, 60);
    EXPECT_EQ(r.warning, "Nie można usuwać pozycji z podstawowej karty gdy są karty uzupełniające !");
    EXPECT_FALSE(r.fire || r.write || r.clearLine);

    // Browsing: the associations follow the value, nothing is stored.
    r = rules.changed(H, {"3", "0"}, {"3", "0"}, EntryContext{});
    EXPECT_EQ(r.lineVisible, true);
    EXPECT_FALSE(r.write || r.fire);

    // A bulk update disables the record's controls: nothing at all.
    c.lineControlsDisabled = true;
    r = rules.changed(H, {"0", "0"}, {"1", "0"}, c);
    EXPECT_FALSE(r.lineVisible.has_value());
    EXPECT_TRUE(r.warning.empty());
}

TEST(DurationRules, VacationDaysCaption) {
    const VacationDaysRules rules;
    EXPECT_EQ(rules.daysCaption(28 * 60, ','), "= 3,5 dn.");
    EXPECT_EQ(rules.daysCaption(24 * 60, ','), "= 3 dn.");
    EXPECT_EQ(VacationRules().daysCaption(28 * 60, ','), std::nullopt);
}
