#pragma once
// Entry rules of the hours-and-minutes edits: what a change of one part, leaving a
// part and a spin button do to the two texts. One subclass per control kind; the
// widgets and DurationEntry call them, tests drive them directly.
#include "PartText.h"

#include <optional>
#include <string>

namespace tv {

enum class DurationPart { Hours, Minutes };
enum class SpinDirection { Up, Down };

struct PartTexts {
    std::string hours, minutes;
    bool operator==(const PartTexts&) const = default;
};

struct EntryContext {
    bool editable = false;  // not read-only and, when data-aware, the record is being edited
    int maxMinut = 1440;
    int minMinut = 0;
    int kwant = 1;
    bool moznaUsuwac = true;             // split line: may be cleared to zero
    bool lineControlsDisabled = false;   // split line: the record's controls are disabled
};

struct EntryResult {
    PartTexts texts;        // what the two parts show afterwards
    int ileMinut = 0;       // 60 x hours + minutes of those texts
    bool write = false;     // store the value in the bound record
    bool fire = false;      // call PrzyZmianie
    std::string warning;    // a refusal: show it under " Uwaga !"; texts are the previous ones
    std::optional<bool> lineVisible;  // split line: show or hide the associated controls
    bool clearLine = false;           // split line: empty the cost centre, department and order
};

struct SpinResult {
    std::optional<PartTexts> texts;  // new texts, to be run through the change rules
    std::string warning;             // a refusal (split line)
};

// The split-line refusal, shared by its change rule and its spin buttons.
inline constexpr const char* WarningTitle = " Uwaga !";
inline constexpr const char* SplitLineWarning =
    "Nie można usuwać pozycji z podstawowej karty gdy są karty uzupełniające !";

class DurationRules {
public:
    virtual ~DurationRules() = default;

    // A part's text changed; `before` are the texts before the edit.
    virtual EntryResult changed(DurationPart part, const PartTexts& now, const PartTexts& before,
                                const EntryContext& c) const = 0;
    // New texts when the exit rule of the part changes them (editable controls only).
    virtual std::optional<PartTexts> left(DurationPart part, const PartTexts& now,
                                          const EntryContext& c) const;
    // A spin button; callers only press it while editable.
    virtual SpinResult spin(DurationPart part, SpinDirection d, const PartTexts& now,
                            const EntryContext& c) const;
    // The days caption shown beside the value, when the control has one.
    virtual std::optional<std::string> daysCaption(int /*ileMinut*/, char /*decimalSeparator*/) const {
        return std::nullopt;
    }
    // Whether switching to editable writes 0 into null fields of an edited record.
    virtual bool zeroesNullsWhenEditable() const { return false; }

    static int ileMinut(const PartTexts& t);

protected:
    virtual bool hasHoursExitRule() const { return true; }
    virtual bool hasMinutesExitRule() const { return true; }

    // Result skeleton: texts as given and their value, nothing to do yet.
    static EntryResult unchanged(const PartTexts& now);
    // Result with the parts `h` and `m`, rewriting a text only where its value changed
    // (a blank text that stays 0 stays blank); written and fired.
    static EntryResult accepted(const PartTexts& now, int h, int m);
    static std::string rewrite(const std::string& text, int value);

    static SpinResult hoursBy(const PartTexts& now, int step);
    static SpinResult minutesUp(const PartTexts& now, const EntryContext& c);
    static SpinResult minutesDown(const PartTexts& now, const EntryContext& c);
    static SpinResult toValue(int minutes);
};

} // namespace tv
