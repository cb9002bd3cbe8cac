#include "TEdGodzMin.h"

#include "FreeEditRules.h"

namespace tv {
namespace {

DurationEditBase::Look freeLook() {
    DurationEditBase::Look look;
    look.spinsHiddenWhenReadOnly = false;
    return look;
}

} // namespace

TEdGodzMin::TEdGodzMin(QWidget* parent)
    : DurationEditBase(std::make_unique<FreeEditRules>(), DefaultMaxMinut, false, freeLook(), parent) {}

} // namespace tv
