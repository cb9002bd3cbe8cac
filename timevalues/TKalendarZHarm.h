#pragma once
// One month of an employee's schedule: day and night shifts, days that have a card,
// and the days the clerk marks (card series, vacation and sick-leave registers).
// The sets and the marking rules are CalendarMarks; this widget draws them and turns
// mouse and keys into its operations.
#include "CalendarLook.h"

#include <QWidget>

namespace tv {

class TKalendarZHarm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QColor ColorDziennych READ colorDziennych WRITE setColorDziennych)
    Q_PROPERTY(QColor ColorNocnych READ colorNocnych WRITE setColorNocnych)
    Q_PROPERTY(QColor ColorZapisanych READ colorZapisanych WRITE setColorZapisanych)
    Q_PROPERTY(QColor ColorUsuwanych READ colorUsuwanych WRITE setColorUsuwanych)
    Q_PROPERTY(bool ZapisaneWidoczne READ zapisaneWidoczne WRITE setZapisaneWidoczne)
    Q_PROPERTY(bool CzyUsuwanie READ czyUsuwanie WRITE setCzyUsuwanie)
    Q_PROPERTY(Qt::DayOfWeek StartOfWeek READ startOfWeek WRITE setStartOfWeek)
    Q_PROPERTY(int DefaultRowHeight READ defaultRowHeight WRITE setDefaultRowHeight)
    Q_PROPERTY(QString RodzajeDni READ rodzajeDni WRITE setRodzajeDni)
    Q_PROPERTY(QDate MinDate READ minDate WRITE setMinDate)
    Q_PROPERTY(QDate MaxDate READ maxDate WRITE setMaxDate)
    Q_PROPERTY(bool ReadOnly READ readOnly WRITE setReadOnly)

public:
    using Set = CalendarMarks::Set;
    // Shows the current month; the markable range starts as its 1st to 15th.
    explicit TKalendarZHarm(QWidget* parent = nullptr);

    void setMonth(int year, int month);
    int year() const { return year_; }
    int month() const { return month_; }

    // The five day sets.
    void clearAll();
    void add(Set set, QDate day);
    void remove(Set set, QDate day);
    bool contains(Set set, QDate day) const { return marks_.contains(set, day); }
    void removeMarkable(QDate day);
    int markedCount() const { return marks_.markedCount(); }
    QDate marked(int i) const { return marks_.marked(i); }

    QColor colorDziennych() const { return options_.colors.dzienne; }
    void setColorDziennych(const QColor& c) { options_.colors.dzienne = c; update(); }
    QColor colorNocnych() const { return options_.colors.nocne; }
    void setColorNocnych(const QColor& c) { options_.colors.nocne = c; update(); }
    QColor colorZapisanych() const { return options_.colors.zapisane; }
    void setColorZapisanych(const QColor& c) { options_.colors.zapisane = c; update(); }
    QColor colorUsuwanych() const { return options_.colors.usuwane; }
    void setColorUsuwanych(const QColor& c) { options_.colors.usuwane = c; update(); }
    bool zapisaneWidoczne() const { return options_.zapisaneWidoczne; }
    void setZapisaneWidoczne(bool v) { options_.zapisaneWidoczne = v; update(); }
    bool czyUsuwanie() const { return options_.czyUsuwanie; }
    void setCzyUsuwanie(bool v) { options_.czyUsuwanie = v; update(); }
    Qt::DayOfWeek startOfWeek() const { return startOfWeek_; }
    void setStartOfWeek(Qt::DayOfWeek d) { startOfWeek_ = d; update(); }
    int defaultRowHeight() const { return rowHeight_; }
    void setDefaultRowHeight(int h);
    QString rodzajeDni() const { return options_.rodzajeDni; }
    void setRodzajeDni(const QString& s) { options_.rodzajeDni = s; update(); }
    QDate minDate() const { return marks_.minDate(); }
    void setMinDate(QDate d) { marks_.setMinDate(d); update(); }
    QDate maxDate() const { return marks_.maxDate(); }
    void setMaxDate(QDate d) { marks_.setMaxDate(d); update(); }
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool v);

    QDate focusedDay() const { return focused_; }
    void setFocusedDay(QDate d);
    // The day under a point of the widget; invalid outside the month's cells.
    QDate dayAt(const QPoint& p) const;
    QRect cellRect(QDate day) const;
    QSize sizeHint() const override;

signals:
    void OnDateClick(QObject* Sender, Qt::MouseButton button, QDate date);
    void OnDateDblClick(QObject* Sender, QDate date);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    MonthGrid grid() const { return MonthGrid(year_, month_, startOfWeek_); }
    int titleHeight() const;
    int cellWidth() const;
    void paintDay(class QPainter& p, QDate day) const;

    CalendarMarks marks_;
    CalendarOptions options_;
    int year_, month_;
    Qt::DayOfWeek startOfWeek_ = Qt::Monday;
    int rowHeight_ = 24;
    bool readOnly_ = false;
    QDate focused_;
};

} // namespace tv
