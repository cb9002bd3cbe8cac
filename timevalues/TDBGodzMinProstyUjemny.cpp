#include "TDBGodzMinProstyUjemny.h"

#include "SignedRules.h"

namespace tv {
namespace {

DurationEditBase::Look signedLook() {
    DurationEditBase::Look look;
    look.signedParts = true;
    return look;
}

} // namespace

TDBGodzMinProstyUjemny::TDBGodzMinProstyUjemny(QWidget* parent)
    : TDBGodzMinNowy(std::make_unique<SignedRules>(), DefaultMaxMinut, signedLook(), parent) {}

int TDBGodzMinProstyUjemny::minMinut() const { return entry().minMinut(); }

void TDBGodzMinProstyUjemny::setMinMinut(int v) { entry().setMinMinut(v); }

} // namespace tv
