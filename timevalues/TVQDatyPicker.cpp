#include "TVQDatyPicker.h"

#include "DatePickerRules.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace tv {

TVQDatyPicker::TVQDatyPicker(QWidget* parent) : QDateTimeEdit(parent) {
    setDisplayFormat(QStringLiteral("yyyy.MM.dd"));
    setCalendarPopup(true);
    setPustaData(pustaData_);
    QCalendarWidget* calendar = calendarWidget();
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->installEventFilter(this);
}

void TVQDatyPicker::setPustaData(const QDateTime& d) {
    // The edit shows its special value text at the minimum, so no date is the minimum.
    pustaData_ = d;
    setMinimumDateTime(d);
}

bool TVQDatyPicker::isEmptyDate() const {
    return DatePickerRules::isEmpty(dateTime(), pustaData_, !specialValueText().isEmpty(), false);
}

bool TVQDatyPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == calendarWidget() && event->type() == QEvent::Show && isEmptyDate()) {
        // Preselect without choosing: the value stays empty until the clerk picks a day.
        const QSignalBlocker blocker(calendarWidget());
        calendarWidget()->setSelectedDate(dataWstepna_);
        calendarWidget()->setCurrentPage(dataWstepna_.year(), dataWstepna_.month());
    }
    return QDateTimeEdit::eventFilter(watched, event);
}

void TVQDatyPicker::focusOutEvent(QFocusEvent* event) {
    // A typed text that is not a date becomes no date instead of the previous value.
    QString text = lineEdit()->text();
    int pos = 0;
    if (text != specialValueText() && validate(text, pos) != QValidator::Acceptable) setDateTime(pustaData_);
    QDateTimeEdit::focusOutEvent(event);
}

} // namespace tv
