#include "FieldPairDisplay.h"

#include "DisplayTexts.h"

#include <QHBoxLayout>
#include <QLabel>

namespace tv {
namespace {

QLabel* label(const QString& text, bool bold, const QColor& color, int pointSizeDelta, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setBold(bold);
    if (pointSizeDelta != 0) f.setPointSize(f.pointSize() + pointSizeDelta);
    l->setFont(f);
    if (bold) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, color);
    l->setPalette(p);
    return l;
}

} // namespace

FieldPairDisplay::FieldPairDisplay(const QString& hoursCaption, const QString& minutesCaption,
                                   int pointSizeDelta, QWidget* parent)
    : QWidget(parent), hours_(label({}, true, Qt::black, pointSizeDelta, this)),
      hoursCaption_(label(hoursCaption, false, Qt::black, pointSizeDelta, this)),
      minutes_(label({}, true, QColor(0, 0, 128), pointSizeDelta, this)),
      minutesCaption_(label(minutesCaption, false, Qt::black, pointSizeDelta, this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (QWidget* w : {hours_, hoursCaption_, minutes_, minutesCaption_}) row->addWidget(w);
    row->addStretch(1);
    refresh();
}

void FieldPairDisplay::setBinding(FieldPairBinding* binding) {
    binding_ = binding;
    refresh();
}

void FieldPairDisplay::setOpisSkojarzony(QWidget* w) {
    label_ = w;
    refresh();
}

void FieldPairDisplay::refresh() {
    const DisplayTexts t = binding_ ? fieldPairTexts(binding_->hours(), binding_->minutes())
                                    : fieldPairTexts(std::nullopt, std::nullopt);
    hours_->setText(QString::fromStdString(t.hours));
    minutes_->setText(QString::fromStdString(t.minutes));
    hoursCaption_->setVisible(t.hoursShown);
    minutesCaption_->setVisible(t.minutesShown);
    showAssociated(t.anyShown());
}

void FieldPairDisplay::showAssociated(bool shown) {
    if (label_) label_->setVisible(shown);
}

} // namespace tv
