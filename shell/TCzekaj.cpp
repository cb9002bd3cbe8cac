#include "TCzekaj.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace ewidor {

TCzekaj::TCzekaj(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName("TCzekaj");
    setWindowTitle(QStringLiteral("Proszę czekać ..."));
    EtCorobi = new QLabel(QStringLiteral("Trwają obliczenia ..."), this);
    EtCorobi->setObjectName("EtCorobi");
    Pasek = new QProgressBar(this);
    Pasek->setObjectName("Pasek");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(EtCorobi);
    layout->addWidget(Pasek);
    setMinimumWidth(320);
}

void TCzekaj::SetText(const std::string& text) { EtCorobi->setText(QString::fromStdString(text)); }

void TCzekaj::SetMaximum(int maximum) {
    Pasek->setMaximum(maximum);
    Pasek->setValue(0);
}

void TCzekaj::Step(int by) {
    Pasek->setValue(std::min(Pasek->maximum(), Pasek->value() + by));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TCzekaj::Show() {
    show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TCzekaj::Close() {
    hide();
    SetText("Trwają obliczenia ...");
}

} // namespace ewidor
