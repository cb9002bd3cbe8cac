#include "TDBCzasUrlopow.h"

#include "VacationRules.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>

namespace tv {
namespace {

DurationEditBase::Look vacationLook() {
    DurationEditBase::Look look;
    look.hourDigits = 3;
    return look;
}

} // namespace

TDBCzasUrlopow::TDBCzasUrlopow(QWidget* parent)
    : TDBCzasUrlopow(std::make_unique<VacationRules>(), parent) {}

TDBCzasUrlopow::TDBCzasUrlopow(std::unique_ptr<DurationRules> rules, QWidget* parent)
    : TDBGodzMinNowy(std::move(rules), DefaultMaxMinut, vacationLook(), parent), days_(new QLabel(this)) {
    // Before the stretch that closes the row.
    rowLayout()->insertWidget(rowLayout()->count() - 1, days_);
    setColorEtykietyDni(daysColor_);
    showTexts();
}

void TDBCzasUrlopow::setColorEtykietyDni(const QColor& c) {
    daysColor_ = c;
    QPalette p = days_->palette();
    p.setColor(QPalette::WindowText, c);
    days_->setPalette(p);
}

void TDBCzasUrlopow::showTexts() {
    TDBGodzMinNowy::showTexts();
    const QString sep = QLocale().decimalPoint();
    const auto caption = entry().daysCaption(sep.isEmpty() ? ',' : sep.at(0).toLatin1());
    days_->setText(caption ? QString::fromStdString(*caption) : QString());
}

} // namespace tv
