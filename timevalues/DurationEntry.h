#pragma once
// The state of one hours-and-minutes edit without its widgets: the two texts, the
// value, the limits and the bound record. It runs the control's entry rules for every
// keystroke, exit and spin button, stores accepted values in the record and reports
// back through callbacks; the widget only shows the texts and forwards input.
#include "DurationRules.h"
#include "FieldPairBinding.h"

#include <functional>
#include <memory>

namespace tv {

class DurationEntry {
public:
    // `dataAware`: stores into a bound record, and only while it is being edited.
    DurationEntry(std::unique_ptr<DurationRules> rules, int maxMinut, bool dataAware);

    std::function<void()> onChanged;  // PrzyZmianie
    std::function<void()> onTexts;    // texts() changed
    std::function<void(const std::string& title, const std::string& text)> onWarning;
    std::function<void(bool)> onLineVisible;  // split line associations

    void setBinding(FieldPairBinding* binding);  // not owned; nullptr unbinds
    FieldPairBinding* binding() const { return binding_; }
    void setSplitLineFields(SplitLineFields fields) { lineFields_ = std::move(fields); }
    const SplitLineFields& splitLineFields() const { return lineFields_; }

    const PartTexts& texts() const { return texts_; }
    int ileMinut() const { return ile_; }
    // Stores `minutes` in canonical parts through the change rules; ignored unless editable.
    void setIleMinut(int minutes);
    std::optional<std::string> daysCaption(char decimalSeparator) const {
        return rules_->daysCaption(ile_, decimalSeparator);
    }

    int maxMinut() const { return limits_.maxMinut; }
    void setMaxMinut(int v) { limits_.maxMinut = v; }
    int minMinut() const { return limits_.minMinut; }
    void setMinMinut(int v) { limits_.minMinut = v; }
    int kwantCzasu() const { return limits_.kwant; }
    // Accepted only within 1 .. 30; otherwise the old quantum stays.
    void setKwantCzasu(int v);
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);
    bool moznaUsuwac() const { return limits_.moznaUsuwac; }
    void setMoznaUsuwac(bool v) { limits_.moznaUsuwac = v; }
    void setLineControlsDisabled(bool v) { limits_.lineControlsDisabled = v; }
    bool editable() const;

    void typed(DurationPart part, const std::string& text);
    void left(DurationPart part);
    void spin(DurationPart part, SpinDirection direction);
    // Shows the bound record's values (after a move or a state change of the record).
    void refresh();

private:
    EntryContext context() const;
    void run(std::initializer_list<DurationPart> parts, const PartTexts& next);
    void apply(const EntryResult& r);
    void zeroNullFields();

    std::unique_ptr<DurationRules> rules_;
    bool dataAware_;
    FieldPairBinding* binding_ = nullptr;
    SplitLineFields lineFields_;
    EntryContext limits_;
    bool readOnly_ = true;
    PartTexts texts_;
    int ile_ = 0;
};

} // namespace tv
