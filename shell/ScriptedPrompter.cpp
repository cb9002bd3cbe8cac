#include "ScriptedPrompter.h"

#include <stdexcept>

namespace ewidor {

void ScriptedPrompter::ShowMessage(const std::string& title, const std::string& text) {
    entries_.push_back({Kind::Message, title, text});
}

bool ScriptedPrompter::Ask(const std::string& title, const std::string& text, bool defaultNo) {
    entries_.push_back({Kind::Question, title, text, defaultNo});
    if (answers_.empty()) throw std::logic_error("unexpected question: " + title + " / " + text);
    bool yes = answers_.front();
    answers_.pop_front();
    return yes;
}

std::optional<std::string> ScriptedPrompter::ChooseFolder(const std::string& title) {
    entries_.push_back({Kind::Folder, title, ""});
    if (folders_.empty()) throw std::logic_error("unexpected folder question: " + title);
    auto folder = folders_.front();
    folders_.pop_front();
    return folder;
}

std::vector<ScriptedPrompter::Entry> ScriptedPrompter::messages() const {
    std::vector<Entry> out;
    for (const auto& e : entries_)
        if (e.kind == Kind::Message) out.push_back(e);
    return out;
}

} // namespace ewidor
