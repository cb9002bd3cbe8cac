#pragma once
// Vacation time: three-digit hours, bound to a field pair, with a days label. Only
// its spin buttons and the minutes exit rule correct the value.
#include "TDBGodzMinNowy.h"

class QLabel;

namespace tv {

class TDBCzasUrlopow : public TDBGodzMinNowy {
    Q_OBJECT
    Q_PROPERTY(QColor ColorEtykietyDni READ colorEtykietyDni WRITE setColorEtykietyDni)
public:
    static constexpr int DefaultMaxMinut = 24960;  // 416 hours
    explicit TDBCzasUrlopow(QWidget* parent = nullptr);

    QColor colorEtykietyDni() const { return daysColor_; }
    void setColorEtykietyDni(const QColor& c);
    QLabel* daysLabel() const { return days_; }

protected:
    TDBCzasUrlopow(std::unique_ptr<DurationRules> rules, QWidget* parent);
    void showTexts() override;

private:
    QLabel* days_;
    QColor daysColor_ = Qt::black;
};

} // namespace tv
