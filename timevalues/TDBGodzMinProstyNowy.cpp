#include "TDBGodzMinProstyNowy.h"

#include "SimpleRules.h"

namespace tv {

TDBGodzMinProstyNowy::TDBGodzMinProstyNowy(QWidget* parent)
    : TDBGodzMinNowy(std::make_unique<SimpleRules>(), DefaultMaxMinut, Look{}, parent) {}

} // namespace tv
