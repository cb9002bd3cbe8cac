#pragma once
// The splash window of start-up: "Proszę czekać ..." and a progress bar of 20 steps.
// It stands in for the wait box until the main window exists, so that a message of
// start-up closes it first instead of hiding behind it.
#include "WaitIndicator.h"

#include <QWidget>

class QProgressBar;

namespace ewidor {

class StartupSplash : public QWidget, public WaitIndicator {
    Q_OBJECT
public:
    static constexpr int kSteps = 20;
    explicit StartupSplash(QWidget* parent = nullptr);
    void Advance(int weight);

    void SetText(const std::string&) override {}
    void SetMaximum(int) override {}
    void Step(int by = 1) override { Advance(by); }
    void Show() override { show(); }
    void Close() override { hide(); }

private:
    QProgressBar* bar_;
};

} // namespace ewidor
