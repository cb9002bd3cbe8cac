#include "DurationEditBase.h"

#include "SpinArrows.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace tv {

DurationEditBase::DurationEditBase(std::unique_ptr<DurationRules> rules, int maxMinut, bool dataAware,
                                   const Look& look, QWidget* parent)
    : QWidget(parent), entry_(std::move(rules), maxMinut, dataAware), look_(look),
      colors_{Qt::white, Qt::white, Qt::black, QColor(0, 0, 128), Qt::black, Qt::black},
      warn_(messageBoxSink(this)), row_(new QHBoxLayout(this)) {
    hoursEdit_ = makeEdit(DurationPart::Hours, look);
    minutesEdit_ = makeEdit(DurationPart::Minutes, look);
    hoursSpin_ = new SpinArrows(this);
    minutesSpin_ = new SpinArrows(this);
    hoursCaption_ = new QLabel(look.hoursCaption, this);
    minutesCaption_ = new QLabel(look.minutesCaption, this);

    row_->setContentsMargins(0, 0, 0, 0);
    for (QWidget* w : std::initializer_list<QWidget*>{hoursEdit_, hoursSpin_, hoursCaption_, minutesEdit_,
                                                      minutesSpin_, minutesCaption_})
        row_->addWidget(w);
    row_->addStretch(1);
    setFocusProxy(hoursEdit_);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    connect(hoursSpin_, &SpinArrows::up, this, [this] { entry_.spin(DurationPart::Hours, SpinDirection::Up); });
    connect(hoursSpin_, &SpinArrows::down, this, [this] { entry_.spin(DurationPart::Hours, SpinDirection::Down); });
    connect(minutesSpin_, &SpinArrows::up, this, [this] { entry_.spin(DurationPart::Minutes, SpinDirection::Up); });
    connect(minutesSpin_, &SpinArrows::down, this, [this] { entry_.spin(DurationPart::Minutes, SpinDirection::Down); });

    entry_.onTexts = [this] { showTexts(); };
    entry_.onChanged = [this] { emit PrzyZmianie(this); };
    entry_.onWarning = [this](const std::string& title, const std::string& text) {
        if (warn_) warn_(QString::fromStdString(title), QString::fromStdString(text));
    };
    applyColors();
    updateLayoutState();
}

QLineEdit* DurationEditBase::makeEdit(DurationPart part, const Look& look) {
    auto* e = new QLineEdit(this);
    const int digits = part == DurationPart::Hours ? look.hourDigits : 2;
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?\\d{0,%1}").arg(digits)), e));
    e->setAlignment(Qt::AlignRight);
    QFont f = e->font();
    f.setBold(true);
    e->setFont(f);
    const QString widest = QString(look.signedParts ? QStringLiteral("-") : QString()) + QString(digits, u'0');
    e->setFixedWidth(QFontMetrics(f).horizontalAdvance(widest) + 12);
    e->installEventFilter(this);
    connect(e, &QLineEdit::textEdited, this, [this, part](const QString& text) {
        entry_.typed(part, text.toStdString());
    });
    return e;
}

DurationPart DurationEditBase::partOf(QObject* edit) const {
    return edit == hoursEdit_ ? DurationPart::Hours : DurationPart::Minutes;
}

bool DurationEditBase::eventFilter(QObject* watched, QEvent* event) {
    if (watched != hoursEdit_ && watched != minutesEdit_) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        entry_.left(partOf(watched));
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            entry_.spin(partOf(watched), key == Qt::Key_Up ? SpinDirection::Up : SpinDirection::Down);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DurationEditBase::showTexts() {
    const PartTexts& t = entry_.texts();
    for (auto [edit, text] : {std::pair{hoursEdit_, &t.hours}, std::pair{minutesEdit_, &t.minutes}}) {
        const QString shown = QString::fromStdString(*text);
        if (edit->text() != shown) edit->setText(shown);
    }
}

void DurationEditBase::setMinutyWidoczne(bool v) {
    minutyWidoczne_ = v;
    updateLayoutState();
}

void DurationEditBase::setReadOnly(bool v) {
    entry_.setReadOnly(v);
    updateLayoutState();
}

void DurationEditBase::updateLayoutState() {
    const bool ro = entry_.readOnly();
    hoursEdit_->setReadOnly(ro);
    minutesEdit_->setReadOnly(ro);
    const bool spins = !ro || !look_.spinsHiddenWhenReadOnly;
    hoursSpin_->setVisible(spins);
    minutesSpin_->setVisible(spins && minutyWidoczne_);
    minutesEdit_->setVisible(minutyWidoczne_);
    minutesCaption_->setVisible(minutyWidoczne_);
    row_->setSpacing(ro ? 1 : 2);  // read-only: captions closer to the digits
}

void DurationEditBase::setColor(ColorRole role, const QColor& c) {
    colors_[role] = c;
    applyColors();
}

void DurationEditBase::applyColors() {
    auto paint = [](QWidget* w, QPalette::ColorRole role, const QColor& c) {
        QPalette p = w->palette();
        p.setColor(role, c);
        w->setPalette(p);
    };
    paint(hoursEdit_, QPalette::Base, colors_[HoursBack]);
    paint(minutesEdit_, QPalette::Base, colors_[MinutesBack]);
    paint(hoursEdit_, QPalette::Text, colors_[HoursFont]);
    paint(minutesEdit_, QPalette::Text, colors_[MinutesFont]);
    paint(hoursCaption_, QPalette::WindowText, colors_[HoursCaption]);
    paint(minutesCaption_, QPalette::WindowText, colors_[MinutesCaption]);
}

} // namespace tv
