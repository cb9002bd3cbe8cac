#pragma once
// Base of the data-aware duration edits: bound to a field pair of a record, they
// show its values and store only while the record is being edited or inserted.
// The owning window calls refresh() after moving the record or changing its state.
#include "DurationEditBase.h"

namespace tv {

class TDBGodzMinNowy : public DurationEditBase {
    Q_OBJECT
public:
    static constexpr int DefaultMaxMinut = 1440;

    // `binding` is not owned and must outlive the control or be unset first.
    void setBinding(FieldPairBinding* binding) { entry().setBinding(binding); }
    FieldPairBinding* binding() { return entry().binding(); }
    void refresh() { entry().refresh(); }

protected:
    TDBGodzMinNowy(std::unique_ptr<DurationRules> rules, int maxMinut, const Look& look, QWidget* parent)
        : DurationEditBase(std::move(rules), maxMinut, true, look, parent) {}
};

} // namespace tv
