#pragma once
// Read-only display of a field pair: the two fields' texts right-aligned in bold, each
// caption shown only when its text is not empty, the associated label (and button)
// only while a value is shown. The window calls refresh() after moving the record.
#include "FieldPairBinding.h"

#include <QPointer>
#include <QWidget>

class QLabel;

namespace tv {

class FieldPairDisplay : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QWidget* OpisSkojarzony READ opisSkojarzony WRITE setOpisSkojarzony)
public:
    void setBinding(FieldPairBinding* binding);  // not owned
    void refresh();

    QWidget* opisSkojarzony() const { return label_; }
    void setOpisSkojarzony(QWidget* w);

    QLabel* hoursLabel() const { return hours_; }
    QLabel* minutesLabel() const { return minutes_; }
    QLabel* hoursCaption() const { return hoursCaption_; }
    QLabel* minutesCaption() const { return minutesCaption_; }

protected:
    FieldPairDisplay(const QString& hoursCaption, const QString& minutesCaption, int pointSizeDelta,
                     QWidget* parent);
    // Shows or hides what follows the value; TVQDBGodzMinTxt adds its button.
    virtual void showAssociated(bool shown);

private:
    FieldPairBinding* binding_ = nullptr;
    QPointer<QWidget> label_;
    QLabel* hours_;
    QLabel* hoursCaption_;
    QLabel* minutes_;
    QLabel* minutesCaption_;
};

} // namespace tv
