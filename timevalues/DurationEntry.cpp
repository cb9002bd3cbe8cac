#include "DurationEntry.h"

#include "HoursMinutes.h"

namespace tv {
namespace {

std::string optionalText(std::optional<int> v) { return v ? std::to_string(*v) : std::string(); }

} // namespace

DurationEntry::DurationEntry(std::unique_ptr<DurationRules> rules, int maxMinut, bool dataAware)
    : rules_(std::move(rules)), dataAware_(dataAware) {
    limits_.maxMinut = maxMinut;
}

bool DurationEntry::editable() const {
    if (readOnly_) return false;
    return !dataAware_ || (binding_ && binding_->editing());
}

EntryContext DurationEntry::context() const {
    EntryContext c = limits_;
    c.editable = editable();
    return c;
}

void DurationEntry::setBinding(FieldPairBinding* binding) {
    binding_ = binding;
    refresh();
}

void DurationEntry::setKwantCzasu(int v) {
    if (v >= 1 && v <= 30) limits_.kwant = v;
}

void DurationEntry::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    if (!readOnly && rules_->zeroesNullsWhenEditable()) zeroNullFields();
}

void DurationEntry::zeroNullFields() {
    if (!binding_ || !binding_->editing()) return;
    const auto h = binding_->hours();
    const auto m = binding_->minutes();
    if (h && m) return;
    binding_->write(h.value_or(0), m.value_or(0));
    refresh();
}

void DurationEntry::setIleMinut(int minutes) {
    if (!editable()) return;
    const HoursMinutes v(minutes);
    const PartTexts next{std::to_string(v.hoursPart()), std::to_string(v.minutesPart())};
    // Like typing the same text again: nothing changes and nothing fires.
    if (next == texts_) return;
    run({DurationPart::Minutes, DurationPart::Hours}, next);
}

void DurationEntry::typed(DurationPart part, const std::string& text) {
    PartTexts next = texts_;
    (part == DurationPart::Hours ? next.hours : next.minutes) = text;
    run({part}, next);
}

void DurationEntry::left(DurationPart part) {
    if (auto next = rules_->left(part, texts_, context())) run({part}, *next);
}

void DurationEntry::spin(DurationPart part, SpinDirection direction) {
    if (!editable()) return;
    zeroNullFields();
    const SpinResult s = rules_->spin(part, direction, texts_, context());
    if (!s.warning.empty()) {
        if (onWarning) onWarning(WarningTitle, s.warning);
        return;
    }
    if (!s.texts) return;
    if (part == DurationPart::Hours)
        run({DurationPart::Hours}, *s.texts);
    else
        run({DurationPart::Minutes, DurationPart::Hours}, *s.texts);
}

void DurationEntry::refresh() {
    if (!binding_) return;
    const PartTexts shown{optionalText(binding_->hours()), optionalText(binding_->minutes())};
    // The rules run only for what they show (the split line's associations); nothing is stored.
    EntryContext c = limits_;
    c.editable = false;
    apply(rules_->changed(DurationPart::Hours, shown, shown, c));
}

void DurationEntry::run(std::initializer_list<DurationPart> parts, const PartTexts& next) {
    const PartTexts before = texts_;
    const EntryContext c = context();
    EntryResult total;
    total.texts = next;
    for (DurationPart part : parts) {
        EntryResult r = rules_->changed(part, total.texts, before, c);
        if (!r.warning.empty()) {
            apply(r);
            return;
        }
        r.write = r.write || total.write;
        r.fire = r.fire || total.fire;
        total = r;
    }
    apply(total);
}

void DurationEntry::apply(const EntryResult& r) {
    texts_ = r.texts;
    ile_ = r.ileMinut;
    if (r.lineVisible && onLineVisible) onLineVisible(*r.lineVisible);
    if (r.write && binding_ && binding_->editing()) {
        const HoursMinutes v(ile_);
        binding_->write(v.hoursPart(), v.minutesPart());
        if (r.clearLine) binding_->clearLine(lineFields_);
    }
    if (onTexts) onTexts();
    if (!r.warning.empty()) {
        if (onWarning) onWarning(WarningTitle, r.warning);
        return;
    }
    if (r.fire && onChanged) onChanged();
}

} // namespace tv
