#include "TVQ_TabeliDatyPicker.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QToolButton>

#include <exception>

namespace tv {

TVQ_TabeliDatyPicker::TVQ_TabeliDatyPicker(QWidget* parent)
    : TVQDatyPicker(parent), clear_(new QToolButton(this)), warn_(messageBoxSink(this)) {
    clear_->setObjectName(QStringLiteral("UsunSmall"));
    clear_->setText(QStringLiteral("×"));
    clear_->setToolTip(QStringLiteral("Usuń datę"));
    clear_->setFocusPolicy(Qt::NoFocus);
    clear_->setCursor(Qt::ArrowCursor);
    clear_->setAutoRaise(true);
    connect(clear_, &QToolButton::clicked, this, &TVQ_TabeliDatyPicker::clearDate);
    connect(this, &QDateTimeEdit::dateTimeChanged, this, &TVQ_TabeliDatyPicker::changed);
    updateClearButton();
}

PickerState TVQ_TabeliDatyPicker::state() const {
    PickerState s;
    s.readOnly = isReadOnly();
    s.editing = binding_ && binding_->editing();
    s.canModify = binding_ && binding_->canModify();
    s.koniecznaData = koniecznaData_;
    return s;
}

void TVQ_TabeliDatyPicker::setBinding(DateFieldBinding* binding) {
    binding_ = binding;
    refresh();
}

void TVQ_TabeliDatyPicker::refresh() {
    showing_ = true;
    const std::optional<QDate> d = binding_ ? binding_->read() : std::nullopt;
    setDateTime(d ? QDateTime(*d, QTime(0, 0)) : pustaData());
    if (d) lastShown_ = dateTime();
    showing_ = false;
    updateClearButton();
}

void TVQ_TabeliDatyPicker::setReadOnlyMode(bool v) {
    setReadOnly(v);
    updateClearButton();
}

void TVQ_TabeliDatyPicker::setKoniecznaData(bool v) {
    koniecznaData_ = v;
    updateClearButton();
}

void TVQ_TabeliDatyPicker::updateClearButton() {
    clear_->setVisible(!koniecznaData_);
    placeClearButton();
    clear_->setEnabled(DatePickerRules::clearEnabled(state()));
}

void TVQ_TabeliDatyPicker::beep() {
    ++beeps_;
    if (wrzask_) QApplication::beep();
}

bool TVQ_TabeliDatyPicker::enterEdit() {
    if (!binding_) return false;
    if (binding_->editing()) return true;
    if (!binding_->canModify()) return false;
    try {
        binding_->edit();
    } catch (const std::exception& e) {
        // Locked by another desktop, say: the field keeps its stored value.
        beep();
        if (warn_) warn_(QString::fromUtf8(DateWarningTitle), QString::fromUtf8(e.what()));
        refresh();
        return false;
    }
    updateClearButton();
    return true;
}

void TVQ_TabeliDatyPicker::changed(const QDateTime& value) {
    if (showing_ || !binding_) return;
    if (!isPustaData()) lastShown_ = value;
    if (!enterEdit()) return;
    binding_->write(DatePickerRules::fieldValue(value, pustaData()));
}

void TVQ_TabeliDatyPicker::clearDate() {
    if (!DatePickerRules::clearAllowed(state()) || !enterEdit()) {
        beep();
        return;
    }
    setDateTime(pustaData());
    binding_->write(std::nullopt);
}

void TVQ_TabeliDatyPicker::keyPressEvent(QKeyEvent* event) {
    if (!DatePickerRules::keyAllowed(event->key(), state())) {
        beep();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        refresh();
        return;
    }
    if (!event->text().isEmpty() && event->text().at(0).isPrint() && !enterEdit()) return;
    TVQDatyPicker::keyPressEvent(event);
}

void TVQ_TabeliDatyPicker::focusOutEvent(QFocusEvent* event) {
    if (DatePickerRules::leaveRefused(state(), isPustaData())) {
        if (warn_) warn_(QString::fromUtf8(DateWarningTitle), QString::fromUtf8(RequiredDateMessage));
        // Back to the last date shown (or the preselected day when there never was one).
        setDateTime(lastShown_.isValid() ? lastShown_ : QDateTime(dataWstepna(), QTime(0, 0)));
        QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
        TVQDatyPicker::focusOutEvent(event);
        return;
    }
    TVQDatyPicker::focusOutEvent(event);
    if (binding_ && binding_->editing()) {
        try {
            binding_->write(DatePickerRules::fieldValue(dateTime(), pustaData()));
        } catch (const std::exception&) {
            refresh();  // what the record would not take goes back to what it holds
        }
    }
}

void TVQ_TabeliDatyPicker::resizeEvent(QResizeEvent* event) {
    TVQDatyPicker::resizeEvent(event);
    placeClearButton();
}

void TVQ_TabeliDatyPicker::placeClearButton() {
    // Just left of the drop-down arrow; the text stops before it.
    const int side = height() - 6;
    clear_->setGeometry(width() - side - 22, 3, side, side);
    lineEdit()->setTextMargins(0, 0, koniecznaData_ ? 0 : side, 0);
}

} // namespace tv
