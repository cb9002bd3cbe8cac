// Spin buttons and properties through DurationEntry, which runs the change rules
// after every spin exactly as the widgets do.
#include "DurationEntry.h"
#include "RulesOf.h"

#include <gtest/gtest.h>

#include <vector>

using namespace tv;

namespace {

struct Probe {
    DurationEntry entry;
    int fired = 0;
    std::vector<std::string> warnings;

    Probe(Kind kind, int maxMinut) : entry(rulesOf(kind), maxMinut, false) {
        entry.onChanged = [this] { ++fired; };
        entry.onWarning = [this](const std::string& title, const std::string& text) {
            warnings.push_back(title + "|" + text);
        };
        entry.setReadOnly(false);
    }
    void show(const PartTexts& t) {
        entry.typed(DurationPart::Hours, t.hours);
        entry.typed(DurationPart::Minutes, t.minutes);
        fired = 0;
    }
};

constexpr DurationPart H = DurationPart::Hours;
constexpr DurationPart M = DurationPart::Minutes;
constexpr SpinDirection Up = SpinDirection::Up;
constexpr SpinDirection Down = SpinDirection::Down;

const std::string Refusal = " Uwaga !|Nie można usuwać pozycji z podstawowej karty gdy są karty uzupełniające !";

} // namespace

TEST(DurationEntry, SpinButtons) {
    struct Case {
        const char* name;
        Kind kind;
        int maxMinut, minMinut, kwant;
        bool moznaUsuwac;
        PartTexts start;
        DurationPart part;
        SpinDirection direction;
        PartTexts expected;
        bool fires;
        bool refused;
    };
    const std::vector<Case> cases{
        {"0:55 up by 5 crosses the hour", Kind::Simple, 1440, 0, 5, true, {"0", "55"}, M, Up, {"1", "0"}, true, false},
        {"1:50 up by 15 within 125", Kind::Simple, 125, 0, 15, true, {"1", "50"}, M, Up, {"2", "0"}, true, false},
        {"1:50 up by 15 over 124", Kind::Simple, 124, 0, 15, true, {"1", "50"}, M, Up, {"1", "50"}, false, false},
        {"1:07 up by 5 snaps", Kind::Simple, 1440, 0, 5, true, {"1", "7"}, M, Up, {"1", "10"}, true, false},
        {"1:00 down by 15", Kind::Simple, 1440, 0, 15, true, {"1", "0"}, M, Down, {"0", "45"}, true, false},
        {"0:10 down by 15 stays", Kind::Simple, 1440, 0, 15, true, {"0", "10"}, M, Down, {"0", "10"}, false, false},
        {"7:50 hour up over 480", Kind::Simple, 480, 0, 1, true, {"7", "50"}, H, Up, {"8", "0"}, true, false},
        {"24 hour up clamps", Kind::Simple, 1440, 0, 1, true, {"24", "0"}, H, Up, {"24", "0"}, true, false},
        {"0:30 hour down stays", Kind::Simple, 1440, 0, 1, true, {"0", "30"}, H, Down, {"0", "30"}, false, false},
        {"free: blank hour up", Kind::Free, 720, 0, 1, true, {"", ""}, H, Up, {"1", ""}, true, false},
        {"signed: 0 down to -1", Kind::Signed, 1440, -480, 1, true, {"0", "0"}, H, Down, {"-1", "0"}, true, false},
        {"signed: 0:30 down drops minutes", Kind::Signed, 1440, -480, 1, true, {"0", "30"}, H, Down, {"-1", "0"}, true, false},
        {"signed: -8 down clamps", Kind::Signed, 1440, -480, 1, true, {"-8", "0"}, H, Down, {"-8", "0"}, true, false},
        {"signed: minutes never below 0", Kind::Signed, 1440, -480, 1, true, {"0", "0"}, M, Down, {"0", "0"}, false, false},
        {"split: 1:00 down refused", Kind::Split, 1440, 0, 1, false, {"1", "0"}, H, Down, {"1", "0"}, false, true},
        {"split: 0:05 down refused", Kind::Split, 1440, 0, 5, false, {"0", "5"}, M, Down, {"0", "5"}, false, true},
        {"split: 0:10 down by 5", Kind::Split, 1440, 0, 5, false, {"0", "10"}, M, Down, {"0", "5"}, true, false},
        {"split: 1:30 down", Kind::Split, 1440, 0, 1, false, {"1", "30"}, H, Down, {"0", "30"}, true, false},
        {"split: 1:00 down allowed", Kind::Split, 1440, 0, 1, true, {"1", "0"}, H, Down, {"0", "0"}, true, false},
        {"vacation: 415:00 up", Kind::Vacation, 24960, 0, 1, true, {"415", "0"}, H, Up, {"416", "0"}, false, false},
        {"vacation: 415:30 up over bound", Kind::Vacation, 24960, 0, 1, true, {"415", "30"}, H, Up, {"415", "30"}, false, false},
    };
    for (const Case& c : cases) {
        Probe p(c.kind, c.maxMinut);
        p.entry.setMinMinut(c.minMinut);
        p.entry.setKwantCzasu(c.kwant);
        p.show(c.start);
        p.entry.setMoznaUsuwac(c.moznaUsuwac);
        p.entry.spin(c.part, c.direction);
        EXPECT_EQ(p.entry.texts(), c.expected) << c.name << ": " << p.entry.texts().hours << ":" << p.entry.texts().minutes;
        EXPECT_EQ(p.entry.ileMinut(), DurationRules::ileMinut(c.expected)) << c.name;
        EXPECT_EQ(p.fired, c.fires ? 1 : 0) << c.name;
        EXPECT_EQ(p.warnings, c.refused ? std::vector<std::string>{Refusal} : std::vector<std::string>{}) << c.name;
    }
}

TEST(DurationEntry, SplitLineTypedZeroRestoresThePreviousHours) {
    Probe p(Kind::Split, 1440);
    p.show({"1", "0"});
    p.entry.setMoznaUsuwac(false);
    std::vector<bool> visible;
    p.entry.onLineVisible = [&](bool v) { visible.push_back(v); };
    p.entry.typed(H, "0");
    EXPECT_EQ(p.entry.texts(), (PartTexts{"1", "0"}));
    EXPECT_EQ(p.entry.ileMinut(), 60);
    EXPECT_EQ(p.warnings, std::vector<std::string>{Refusal});
    EXPECT_EQ(p.fired, 0);
    EXPECT_EQ(visible, std::vector<bool>{true});
}

TEST(DurationEntry, KwantCzasuAcceptsOneToThirty) {
    Probe p(Kind::Simple, 1440);
    for (int bad : {0, 45, -5, 31}) {
        p.entry.setKwantCzasu(15);
        p.entry.setKwantCzasu(bad);
        EXPECT_EQ(p.entry.kwantCzasu(), 15) << bad;
    }
    p.entry.setKwantCzasu(30);
    EXPECT_EQ(p.entry.kwantCzasu(), 30);
    p.entry.setKwantCzasu(1);
    EXPECT_EQ(p.entry.kwantCzasu(), 1);
}

TEST(DurationEntry, IleMinutWritesCanonicalPartsOnlyWhenEditable) {
    Probe p(Kind::Signed, 1440);
    p.entry.setMinMinut(-480);
    p.entry.setIleMinut(-90);
    EXPECT_EQ(p.entry.texts(), (PartTexts{"-1", "-30"}));
    EXPECT_EQ(p.entry.ileMinut(), -90);
    EXPECT_EQ(p.fired, 1);
    p.entry.setIleMinut(-90);  // same texts: nothing fires
    EXPECT_EQ(p.fired, 1);
    p.entry.setIleMinut(-600);  // through the change rules: bounded by MinMinut
    EXPECT_EQ(p.entry.ileMinut(), -480);

    p.entry.setReadOnly(true);
    p.entry.setIleMinut(30);
    EXPECT_EQ(p.entry.ileMinut(), -480);
    // Typing while read-only still recomputes the value, but nothing is corrected or fired.
    p.entry.typed(H, "30");
    EXPECT_EQ(p.entry.ileMinut(), 1800);
    EXPECT_EQ(p.entry.texts().hours, "30");
    EXPECT_EQ(p.fired, 2);
}

TEST(DurationEntry, ExitRoundsAndFires) {
    Probe p(Kind::Simple, 1440);
    p.entry.setKwantCzasu(15);
    p.show({"1", "44"});
    p.entry.left(M);
    EXPECT_EQ(p.entry.texts(), (PartTexts{"1", "30"}));
    EXPECT_EQ(p.fired, 1);
    p.entry.left(M);
    EXPECT_EQ(p.fired, 1);
}
