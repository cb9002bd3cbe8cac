#pragma once
// A simple duration of 0 to 24 hours within MaxMinut (the hour classes of the daily
// card, the overtime register).
#include "TDBGodzMinNowy.h"

namespace tv {

class TDBGodzMinProstyNowy : public TDBGodzMinNowy {
    Q_OBJECT
public:
    explicit TDBGodzMinProstyNowy(QWidget* parent = nullptr);
};

} // namespace tv
