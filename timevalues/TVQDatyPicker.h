#pragma once
// A drop-down date field that can hold "no date": the value PustaData stands for it
// and is shown as TextPrzyPustej. The drop-down calendar has no week numbers and,
// while there is no date, opens on DataWstepna.
#include <QDateTimeEdit>

namespace tv {

class TVQDatyPicker : public QDateTimeEdit {
    Q_OBJECT
    Q_PROPERTY(QString Format READ format WRITE setFormat)
    Q_PROPERTY(QDateTime PustaData READ pustaData WRITE setPustaData)
    Q_PROPERTY(QString TextPrzyPustej READ textPrzyPustej WRITE setTextPrzyPustej)
    Q_PROPERTY(QDate DataWstepna READ dataWstepna WRITE setDataWstepna)
public:
    // Day 0 of the date-time values the tables were first written with.
    static QDateTime defaultPustaData() { return QDateTime(QDate(1899, 12, 30), QTime(0, 0)); }

    explicit TVQDatyPicker(QWidget* parent = nullptr);

    QString format() const { return displayFormat(); }
    void setFormat(const QString& f) { setDisplayFormat(f); }
    QDateTime pustaData() const { return pustaData_; }
    void setPustaData(const QDateTime& d);
    QString textPrzyPustej() const { return specialValueText(); }
    void setTextPrzyPustej(const QString& t) { setSpecialValueText(t); }
    QDate dataWstepna() const { return dataWstepna_; }
    void setDataWstepna(QDate d) { dataWstepna_ = d; }

    // The value counts as no date (and shows TextPrzyPustej).
    bool isEmptyDate() const;
    bool isPustaData() const { return date() == pustaData_.date(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QDateTime pustaData_ = defaultPustaData();
    QDate dataWstepna_ = QDate::currentDate();
};

} // namespace tv
