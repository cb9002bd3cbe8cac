#pragma once
// The smaller read-only display of a field pair, with the captions "g." and "m.".
#include "FieldPairDisplay.h"

namespace tv {

class TVQDBGodzMinSmallTxt : public FieldPairDisplay {
    Q_OBJECT
public:
    explicit TVQDBGodzMinSmallTxt(QWidget* parent = nullptr)
        : FieldPairDisplay(QStringLiteral("g."), QStringLiteral("m."), -1, parent) {}
};

} // namespace tv
