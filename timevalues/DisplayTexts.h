#pragma once
// What the read-only duration displays show.
#include <optional>
#include <string>

namespace tv {

struct DisplayTexts {
    std::string hours, minutes;
    bool hoursShown = true, minutesShown = true;
    // The associated label (and button) follow the captions.
    bool anyShown() const { return hoursShown || minutesShown; }
};

// TVQWynikGodzMin: hours always; the minutes only when visible at all and not 0.
DisplayTexts resultTexts(int minutes, bool minutyWidoczne);
// TVQDBGodzMinTxt and its small variant: each field with "###;;#" (0 and null blank);
// a part and its caption are shown only when its text is not empty.
DisplayTexts fieldPairTexts(std::optional<int> hours, std::optional<int> minutes);

} // namespace tv
