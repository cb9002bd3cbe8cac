#include "TVQDBGodzMinTxt.h"

#include <QLabel>

namespace tv {

TVQDBGodzMinTxt::TVQDBGodzMinTxt(QWidget* parent)
    : FieldPairDisplay(QStringLiteral("godz."), QStringLiteral("min."), 0, parent) {
    setSzerokoscPolaGodzin(DefaultHoursWidth);
}

void TVQDBGodzMinTxt::setPrzyciskSkojarzony(QWidget* w) {
    button_ = w;
    refresh();
}

void TVQDBGodzMinTxt::setSzerokoscPolaGodzin(int pixels) {
    hoursWidth_ = pixels;
    hoursLabel()->setFixedWidth(pixels);
}

void TVQDBGodzMinTxt::showAssociated(bool shown) {
    FieldPairDisplay::showAssociated(shown);
    if (button_) button_->setVisible(shown);
}

} // namespace tv
