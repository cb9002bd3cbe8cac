#pragma once
// The wait box: a small always-on-top window "Proszę czekać ..." with a text line
// (EtCorobi) and a progress bar (Pasek).
#include "WaitIndicator.h"

#include <QDialog>

class QLabel;
class QProgressBar;

namespace ewidor {

class TCzekaj : public QDialog, public WaitIndicator {
    Q_OBJECT
public:
    explicit TCzekaj(QWidget* parent = nullptr);

    void SetText(const std::string& text) override;
    void SetMaximum(int maximum) override;
    void Step(int by = 1) override;
    void Show() override;
    void Close() override;

private:
    QLabel* EtCorobi;
    QProgressBar* Pasek;
};

} // namespace ewidor
