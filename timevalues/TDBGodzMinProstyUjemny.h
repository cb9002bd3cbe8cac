#pragma once
// A signed duration from MinMinut to MaxMinut (the balance of overtime still to be taken).
#include "TDBGodzMinNowy.h"

namespace tv {

class TDBGodzMinProstyUjemny : public TDBGodzMinNowy {
    Q_OBJECT
    Q_PROPERTY(int MinMinut READ minMinut WRITE setMinMinut)
public:
    explicit TDBGodzMinProstyUjemny(QWidget* parent = nullptr);
    int minMinut() const;
    void setMinMinut(int v);
};

} // namespace tv
