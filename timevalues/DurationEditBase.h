#pragma once
// The compound widget shared by every hours-and-minutes edit: an hours edit and a
// minutes edit, each with its spin buttons and caption. It shows what its
// DurationEntry holds and forwards typing, leaving a part, the spin buttons and the
// Up/Down keys to it; the rules themselves live in the entry's DurationRules.
#include "DurationEntry.h"
#include "WarningSink.h"

#include <QColor>
#include <QWidget>

class QHBoxLayout;
class QLabel;
class QLineEdit;

namespace tv {

class SpinArrows;

class DurationEditBase : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int IleMinut READ ileMinut WRITE setIleMinut)
    Q_PROPERTY(int MaxMinut READ maxMinut WRITE setMaxMinut)
    Q_PROPERTY(int KwantCzasu READ kwantCzasu WRITE setKwantCzasu)
    Q_PROPERTY(bool MinutyWidoczne READ minutyWidoczne WRITE setMinutyWidoczne)
    Q_PROPERTY(bool ReadOnly READ readOnly WRITE setReadOnly)
    Q_PROPERTY(QColor ColorGodzin READ colorGodzin WRITE setColorGodzin)
    Q_PROPERTY(QColor ColorMinut READ colorMinut WRITE setColorMinut)
    Q_PROPERTY(QColor ColorFontGodzin READ colorFontGodzin WRITE setColorFontGodzin)
    Q_PROPERTY(QColor ColorFontMinut READ colorFontMinut WRITE setColorFontMinut)
    Q_PROPERTY(QColor ColorEtykietyGodzin READ colorEtykietyGodzin WRITE setColorEtykietyGodzin)
    Q_PROPERTY(QColor ColorEtykietyMinut READ colorEtykietyMinut WRITE setColorEtykietyMinut)

public:
    // How a control kind lays out its parts.
    struct Look {
        int hourDigits = 2;
        QString hoursCaption = QStringLiteral("godz.");
        QString minutesCaption = QStringLiteral("min.");
        bool spinsHiddenWhenReadOnly = true;  // the free edit keeps them, doing nothing
        bool signedParts = false;             // room for a minus sign
    };

    int ileMinut() const { return entry_.ileMinut(); }
    void setIleMinut(int minutes) { entry_.setIleMinut(minutes); }
    int maxMinut() const { return entry_.maxMinut(); }
    void setMaxMinut(int v) { entry_.setMaxMinut(v); }
    int kwantCzasu() const { return entry_.kwantCzasu(); }
    void setKwantCzasu(int v) { entry_.setKwantCzasu(v); }
    bool minutyWidoczne() const { return minutyWidoczne_; }
    void setMinutyWidoczne(bool v);
    bool readOnly() const { return entry_.readOnly(); }
    virtual void setReadOnly(bool v);

    QColor colorGodzin() const { return colors_[HoursBack]; }
    void setColorGodzin(const QColor& c) { setColor(HoursBack, c); }
    QColor colorMinut() const { return colors_[MinutesBack]; }
    void setColorMinut(const QColor& c) { setColor(MinutesBack, c); }
    QColor colorFontGodzin() const { return colors_[HoursFont]; }
    void setColorFontGodzin(const QColor& c) { setColor(HoursFont, c); }
    QColor colorFontMinut() const { return colors_[MinutesFont]; }
    void setColorFontMinut(const QColor& c) { setColor(MinutesFont, c); }
    QColor colorEtykietyGodzin() const { return colors_[HoursCaption]; }
    void setColorEtykietyGodzin(const QColor& c) { setColor(HoursCaption, c); }
    QColor colorEtykietyMinut() const { return colors_[MinutesCaption]; }
    void setColorEtykietyMinut(const QColor& c) { setColor(MinutesCaption, c); }

    void setWarningSink(WarningSink sink) { warn_ = std::move(sink); }
    bool editable() const { return entry_.editable(); }

    QLineEdit* hoursEdit() const { return hoursEdit_; }
    QLineEdit* minutesEdit() const { return minutesEdit_; }
    SpinArrows* hoursSpin() const { return hoursSpin_; }
    SpinArrows* minutesSpin() const { return minutesSpin_; }

signals:
    void PrzyZmianie(QObject* Sender);

protected:
    DurationEditBase(std::unique_ptr<DurationRules> rules, int maxMinut, bool dataAware,
                     const Look& look, QWidget* parent);

    DurationEntry& entry() { return entry_; }
    const DurationEntry& entry() const { return entry_; }
    QHBoxLayout* rowLayout() const { return row_; }
    // Shows the entry's texts; subclasses add what else follows the value.
    virtual void showTexts();
    virtual void updateLayoutState();
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum ColorRole { HoursBack, MinutesBack, HoursFont, MinutesFont, HoursCaption, MinutesCaption, ColorCount };
    QLineEdit* makeEdit(DurationPart part, const Look& look);
    void setColor(ColorRole role, const QColor& c);
    void applyColors();
    DurationPart partOf(QObject* edit) const;

    DurationEntry entry_;
    Look look_;
    bool minutyWidoczne_ = true;
    QColor colors_[ColorCount];
    WarningSink warn_;
    QHBoxLayout* row_;
    QLineEdit* hoursEdit_;
    QLineEdit* minutesEdit_;
    SpinArrows* hoursSpin_;
    SpinArrows* minutesSpin_;
    QLabel* hoursCaption_;
    QLabel* minutesCaption_;
};

} // namespace tv
