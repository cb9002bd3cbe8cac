#include "TDBUrlopyDn.h"

#include "VacationRules.h"

namespace tv {

TDBUrlopyDn::TDBUrlopyDn(QWidget* parent) : TDBCzasUrlopow(std::make_unique<VacationDaysRules>(), parent) {}

} // namespace tv
