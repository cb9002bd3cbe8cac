#pragma once
// Read-only display of a computed duration: hours, and the minutes only when not 0.
#include <QWidget>

class QLabel;

namespace tv {

class TVQWynikGodzMin : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int IleMinut READ ileMinut WRITE setIleMinut)
    Q_PROPERTY(bool MinutyWidoczne READ minutyWidoczne WRITE setMinutyWidoczne)
public:
    explicit TVQWynikGodzMin(QWidget* parent = nullptr);

    int ileMinut() const { return minutes_; }
    void setIleMinut(int minutes);
    bool minutyWidoczne() const { return minutyWidoczne_; }
    void setMinutyWidoczne(bool v);

    QLabel* hoursLabel() const { return hours_; }
    QLabel* minutesLabel() const { return minutesValue_; }

private:
    void display();

    int minutes_ = 0;
    bool minutyWidoczne_ = true;
    QLabel* hours_;
    QLabel* hoursCaption_;
    QLabel* minutesValue_;
    QLabel* minutesCaption_;
};

} // namespace tv
