#pragma once
// Vacation time with entry rules (0 to 960 hours within MaxMinut) and its day
// equivalent shown as "= " + days + " dn.".
#include "TDBCzasUrlopow.h"

namespace tv {

class TDBUrlopyDn : public TDBCzasUrlopow {
    Q_OBJECT
public:
    explicit TDBUrlopyDn(QWidget* parent = nullptr);
};

} // namespace tv
