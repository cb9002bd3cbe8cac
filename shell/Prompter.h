#pragma once
// The one way services talk to the user. The program shows message boxes and a
// folder browser; tests use ScriptedPrompter. Texts are UTF-8, lines joined by '\n'.
#include <optional>
#include <string>

namespace ewidor {

class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal message with an OK button; closes the wait box first.
    virtual void ShowMessage(const std::string& title, const std::string& text) = 0;
    // A Yes/No question; true for Yes. `defaultNo` makes No the default button.
    virtual bool Ask(const std::string& title, const std::string& text, bool defaultNo) = 0;
    // A folder browser; none when cancelled. The path is returned as chosen.
    virtual std::optional<std::string> ChooseFolder(const std::string& title) = 0;
};

} // namespace ewidor
