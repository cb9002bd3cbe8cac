#include "StartupSplash.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace ewidor {

StartupSplash::StartupSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::WindowStaysOnTopHint) {
    setObjectName("Splash");
    auto* title = new QLabel(QStringLiteral("System ewidencji czasu pracy"), this);
    QFont f = title->font();
    f.setPointSize(16);
    f.setBold(true);
    title->setFont(f);
    auto* wait = new QLabel(QStringLiteral("Proszę czekać ..."), this);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, kSteps);
    bar_->setTextVisible(false);
    auto* column = new QVBoxLayout(this);
    column->addWidget(title, 0, Qt::AlignCenter);
    column->addWidget(wait, 0, Qt::AlignCenter);
    column->addWidget(bar_);
    setFixedSize(420, 140);
}

void StartupSplash::Advance(int weight) {
    bar_->setValue(std::min(kSteps, bar_->value() + weight));
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace ewidor
