#pragma once
// The splash window of start-up: "Proszę czekać ..." and a progress bar of 20 steps.
#include <QWidget>

class QProgressBar;

namespace ewidor {

class StartupSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSteps = 20;
    explicit StartupSplash(QWidget* parent = nullptr);
    void Advance(int weight);

private:
    QProgressBar* bar_;
};

} // namespace ewidor
