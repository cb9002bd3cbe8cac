#pragma once
// The "O&K" / "&Anuluj" buttons that the small dialogs share, named PcOK and PcAnuluj;
// O&K is the default button. The box is returned for the caller to connect and lay out.
#include <QDialogButtonBox>

namespace ewidor {

QDialogButtonBox* OkCancelButtons(QWidget* parent);

} // namespace ewidor
