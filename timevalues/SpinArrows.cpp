#include "SpinArrows.h"

#include <QToolButton>
#include <QVBoxLayout>

namespace tv {
namespace {

QToolButton* arrow(Qt::ArrowType type, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setArrowType(type);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);  // the keyboard spins with Up and Down in the edit
    b->setFixedSize(16, 11);
    b->setIconSize(QSize(7, 7));
    return b;
}

} // namespace

SpinArrows::SpinArrows(QWidget* parent)
    : QWidget(parent), up_(arrow(Qt::UpArrow, this)), down_(arrow(Qt::DownArrow, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(up_, &QToolButton::clicked, this, &SpinArrows::up);
    connect(down_, &QToolButton::clicked, this, &SpinArrows::down);
}

} // namespace tv
