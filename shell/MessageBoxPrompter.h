#pragma once
// The program's prompter: modal message boxes (the wait box closed first) and the
// folder browser.
#include "Prompter.h"

class QWidget;

namespace ewidor {

class WaitIndicator;

class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(WaitIndicator* wait = nullptr) : wait_(wait) {}
    void SetWaitIndicator(WaitIndicator* wait) { wait_ = wait; }
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const std::string& title, const std::string& text) override;
    bool Ask(const std::string& title, const std::string& text, bool defaultNo) override;
    std::optional<std::string> ChooseFolder(const std::string& title) override;

private:
    WaitIndicator* wait_;
    QWidget* parent_ = nullptr;
};

} // namespace ewidor
