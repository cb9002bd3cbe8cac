#include "TKalendarZHarm.h"

#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

namespace tv {
namespace {

QDate firstOfThisMonth() {
    const QDate today = QDate::currentDate();
    return QDate(today.year(), today.month(), 1);
}

} // namespace

TKalendarZHarm::TKalendarZHarm(QWidget* parent)
    : QWidget(parent), marks_(firstOfThisMonth(), firstOfThisMonth().addDays(14)),
      year_(firstOfThisMonth().year()), month_(firstOfThisMonth().month()), focused_(firstOfThisMonth()) {
    setFocusPolicy(Qt::StrongFocus);
    setReadOnly(false);
}

void TKalendarZHarm::setMonth(int year, int month) {
    year_ = year;
    month_ = month;
    focused_ = QDate(year, month, 1);
    update();
}

void TKalendarZHarm::clearAll() {
    marks_.clearAll();
    update();
}

void TKalendarZHarm::add(Set set, QDate day) {
    marks_.add(set, day);
    update();
}

void TKalendarZHarm::remove(Set set, QDate day) {
    marks_.remove(set, day);
    update();
}

void TKalendarZHarm::removeMarkable(QDate day) {
    marks_.removeMarkable(day);
    update();
}

void TKalendarZHarm::setReadOnly(bool v) {
    readOnly_ = v;
    setCursor(v ? Qt::ArrowCursor : Qt::PointingHandCursor);
}

void TKalendarZHarm::setDefaultRowHeight(int h) {
    rowHeight_ = h;
    updateGeometry();
    update();
}

void TKalendarZHarm::setFocusedDay(QDate d) {
    int row, column;
    if (!grid().cellOf(d, row, column)) return;
    focused_ = d;
    update();
}

int TKalendarZHarm::titleHeight() const { return 2 * rowHeight_; }  // month name, weekday names

int TKalendarZHarm::cellWidth() const { return std::max(width() / 7, 1); }

QSize TKalendarZHarm::sizeHint() const {
    return QSize(7 * 42, titleHeight() + MonthGrid::Rows * rowHeight_ + 2);
}

QRect TKalendarZHarm::cellRect(QDate day) const {
    int row, column;
    if (!grid().cellOf(day, row, column)) return {};
    return QRect(column * cellWidth(), titleHeight() + row * rowHeight_, cellWidth(), rowHeight_);
}

QDate TKalendarZHarm::dayAt(const QPoint& p) const {
    if (p.y() < titleHeight() || p.x() < 0) return {};
    return grid().dayAt((p.y() - titleHeight()) / rowHeight_, p.x() / cellWidth());
}

void TKalendarZHarm::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QLocale locale;
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    const QString title = locale.standaloneMonthName(month_) + QStringLiteral(" ") + QString::number(year_);
    p.drawText(QRect(0, 0, width(), rowHeight_), Qt::AlignCenter, title);
    p.setFont(font());
    const MonthGrid g = grid();
    for (int c = 0; c < 7; ++c)
        p.drawText(QRect(c * cellWidth(), rowHeight_, cellWidth(), rowHeight_), Qt::AlignCenter,
                   locale.dayName(g.dayOfColumn(c), QLocale::ShortFormat));
    p.drawLine(0, titleHeight() - 1, width(), titleHeight() - 1);
    for (QDate d = g.first(); d.month() == month_; d = d.addDays(1)) paintDay(p, d);
}

void TKalendarZHarm::paintDay(QPainter& p, QDate day) const {
    const DayCellLook look = dayCellLook(marks_, day, options_);
    const QRect r = cellRect(day).adjusted(1, 1, -1, -1);
    p.fillRect(r, look.background);
    if (look.edge != DayCellLook::Edge::None) {
        const bool raised = look.edge == DayCellLook::Edge::Raised;
        const QColor light(Qt::white), dark(Qt::darkGray);
        p.setPen(raised ? light : dark);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(raised ? dark : light);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    if (day == focused_ && hasFocus()) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
    QFont f = font();
    f.setBold(look.bold);
    p.setFont(f);
    p.setPen(look.text);
    p.drawText(r, Qt::AlignCenter, QString::number(day.day()));
}

void TKalendarZHarm::mousePressEvent(QMouseEvent* event) {
    const QDate day = dayAt(event->position().toPoint());
    if (readOnly_ || !day.isValid()) return;
    focused_ = day;
    marks_.press(day);
    update();
    emit OnDateClick(this, event->button(), day);
}

void TKalendarZHarm::mouseMoveEvent(QMouseEvent* event) {
    if (readOnly_ || !marks_.dragging() || event->buttons() == Qt::NoButton) return;
    const QDate day = dayAt(event->position().toPoint());
    if (!day.isValid()) return;
    marks_.dragTo(day);
    update();
}

void TKalendarZHarm::mouseReleaseEvent(QMouseEvent*) { marks_.release(); }

void TKalendarZHarm::mouseDoubleClickEvent(QMouseEvent* event) {
    const QDate day = dayAt(event->position().toPoint());
    if (day.isValid()) emit OnDateDblClick(this, day);
}

void TKalendarZHarm::keyPressEvent(QKeyEvent* event) {
    static const std::pair<int, int> moves[] = {{Qt::Key_Left, -1}, {Qt::Key_Right, 1}, {Qt::Key_Up, -7}, {Qt::Key_Down, 7}};
    for (auto [key, step] : moves) {
        if (event->key() == key) {
            setFocusedDay(focused_.addDays(step));
            return;
        }
    }
    if (event->key() == Qt::Key_Space && !readOnly_) {
        marks_.toggle(focused_);
        update();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace tv
