#pragma once
// Read-only display of a field pair with the captions "godz." and "min.", an optional
// associated label and button, and a settable width of the hours part.
#include "FieldPairDisplay.h"

namespace tv {

class TVQDBGodzMinTxt : public FieldPairDisplay {
    Q_OBJECT
    Q_PROPERTY(QWidget* PrzyciskSkojarzony READ przyciskSkojarzony WRITE setPrzyciskSkojarzony)
    Q_PROPERTY(int SzerokoscPolaGodzin READ szerokoscPolaGodzin WRITE setSzerokoscPolaGodzin)
public:
    static constexpr int DefaultHoursWidth = 23;
    explicit TVQDBGodzMinTxt(QWidget* parent = nullptr);

    QWidget* przyciskSkojarzony() const { return button_; }
    void setPrzyciskSkojarzony(QWidget* w);
    int szerokoscPolaGodzin() const { return hoursWidth_; }
    void setSzerokoscPolaGodzin(int pixels);

protected:
    void showAssociated(bool shown) override;

private:
    QPointer<QWidget> button_;
    int hoursWidth_ = DefaultHoursWidth;
};

} // namespace tv
