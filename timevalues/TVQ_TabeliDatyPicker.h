#pragma once
// The date picker bound to a date field of a record: it shows the field, enters edit
// state on a change and writes the field (null for no date). A small clear button at
// its right edge empties the date unless a date is required (KoniecznaData); leaving
// it without a required date is refused with "Należy określić datę !".
#include "DateFieldBinding.h"
#include "DatePickerRules.h"
#include "TVQDatyPicker.h"
#include "WarningSink.h"

class QToolButton;

namespace tv {

class TVQ_TabeliDatyPicker : public TVQDatyPicker {
    Q_OBJECT
    Q_PROPERTY(bool ReadOnly READ isReadOnly WRITE setReadOnlyMode)
    Q_PROPERTY(bool KoniecznaData READ koniecznaData WRITE setKoniecznaData)
    Q_PROPERTY(bool WrzaskPrzyBledzie READ wrzaskPrzyBledzie WRITE setWrzaskPrzyBledzie)
public:
    explicit TVQ_TabeliDatyPicker(QWidget* parent = nullptr);

    // DataSource and DataField: `binding` is not owned.
    void setBinding(DateFieldBinding* binding);
    // Shows the field's value (after a move or a state change of the record).
    void refresh();

    void setReadOnlyMode(bool v);
    bool koniecznaData() const { return koniecznaData_; }
    void setKoniecznaData(bool v);
    bool wrzaskPrzyBledzie() const { return wrzask_; }
    void setWrzaskPrzyBledzie(bool v) { wrzask_ = v; }
    void setWarningSink(WarningSink sink) { warn_ = std::move(sink); }
    QToolButton* clearButton() const { return clear_; }
    // Beeps so far (refused keys and actions), for whoever watches them.
    int beeps() const { return beeps_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    PickerState state() const;
    void changed(const QDateTime& value);
    bool enterEdit();
    void clearDate();
    void beep();
    void updateClearButton();
    void placeClearButton();

    DateFieldBinding* binding_ = nullptr;
    QToolButton* clear_;
    WarningSink warn_;
    bool koniecznaData_ = false;
    bool wrzask_ = true;
    bool showing_ = false;  // refresh() in progress: nothing to write
    QDateTime lastShown_;
    int beeps_ = 0;
};

} // namespace tv
