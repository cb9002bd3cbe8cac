#include "DialogButtons.h"

#include <QPushButton>

namespace ewidor {

QDialogButtonBox* OkCancelButtons(QWidget* parent) {
    auto* buttons = new QDialogButtonBox(parent);
    auto* ok = buttons->addButton(QStringLiteral("O&K"), QDialogButtonBox::AcceptRole);
    ok->setObjectName("PcOK");
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("&Anuluj"), QDialogButtonBox::RejectRole)->setObjectName("PcAnuluj");
    return buttons;
}

} // namespace ewidor
