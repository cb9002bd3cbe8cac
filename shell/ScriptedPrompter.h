#pragma once
// A prompter for tests: records every message, question and folder request in order
// and gives the answers the test prepared. A question with no prepared answer
// throws, so a test never passes on an answer it did not expect to give.
#include "Prompter.h"

#include <deque>
#include <string>
#include <vector>

namespace ewidor {

class ScriptedPrompter : public Prompter {
public:
    enum class Kind { Message, Question, Folder };
    struct Entry {
        Kind kind;
        std::string title;
        std::string text;
        bool defaultNo = false;
    };

    void AnswerAsk(bool yes) { answers_.push_back(yes); }
    void AnswerFolder(std::optional<std::string> folder) { folders_.push_back(std::move(folder)); }

    void ShowMessage(const std::string& title, const std::string& text) override;
    bool Ask(const std::string& title, const std::string& text, bool defaultNo) override;
    std::optional<std::string> ChooseFolder(const std::string& title) override;

    const std::vector<Entry>& entries() const { return entries_; }
    std::vector<Entry> messages() const;
    // Answers prepared but not used.
    size_t pendingAnswers() const { return answers_.size() + folders_.size(); }

private:
    std::vector<Entry> entries_;
    std::deque<bool> answers_;
    std::deque<std::optional<std::string>> folders_;
};

} // namespace ewidor
