#include "TVQWynikGodzMin.h"

#include "DisplayTexts.h"

#include <QHBoxLayout>
#include <QLabel>

namespace tv {
namespace {

QLabel* digits(QWidget* parent, const QColor& color) {
    auto* l = new QLabel(parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, color);
    l->setPalette(p);
    return l;
}

} // namespace

TVQWynikGodzMin::TVQWynikGodzMin(QWidget* parent)
    : QWidget(parent), hours_(digits(this, Qt::black)), hoursCaption_(new QLabel(QStringLiteral("godz."), this)),
      minutesValue_(digits(this, QColor(0, 0, 128))), minutesCaption_(new QLabel(QStringLiteral("min."), this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    for (QWidget* w : {hours_, hoursCaption_, minutesValue_, minutesCaption_}) row->addWidget(w);
    row->addStretch(1);
    display();
}

void TVQWynikGodzMin::setIleMinut(int minutes) {
    minutes_ = minutes;
    display();
}

void TVQWynikGodzMin::setMinutyWidoczne(bool v) {
    minutyWidoczne_ = v;
    display();
}

void TVQWynikGodzMin::display() {
    const DisplayTexts t = resultTexts(minutes_, minutyWidoczne_);
    hours_->setText(QString::fromStdString(t.hours));
    minutesValue_->setText(QString::fromStdString(t.minutes));
    minutesValue_->setVisible(t.minutesShown);
    minutesCaption_->setVisible(t.minutesShown);
}

} // namespace tv
