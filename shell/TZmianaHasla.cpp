#include "TZmianaHasla.h"

#include "DialogButtons.h"
#include "Clock.h"
#include "UpperCaseEdit.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ewidor {

TZmianaHasla::TZmianaHasla(PasswordChange& rules, const UserRecord& user, bool forced,
                           QWidget* parent)
    : QDialog(parent), rules_(rules), forced_(forced) {
    setObjectName("ZmianaHasla");
    setWindowTitle(QStringLiteral("Zmiana hasła użytkownika"));
    auto* name = new QLabel(QString::fromStdString(user.FullName()), this);
    name->setObjectName("EtUzytkownik");
    StareHaslo = PasswordEdit(this, "StareHaslo");
    NoweHaslo1 = PasswordEdit(this, "NoweHaslo1");
    NoweHaslo2 = PasswordEdit(this, "NoweHaslo2");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Dotychczasowe hasło :"), StareHaslo);
    form->addRow(QStringLiteral("Nowe hasło :"), NoweHaslo1);
    form->addRow(QStringLiteral("Powtórz nowe hasło :"), NoweHaslo2);
    auto* buttons = OkCancelButtons(this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TZmianaHasla::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &TZmianaHasla::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(name);
    column->addLayout(form);
    column->addWidget(buttons);
    StareHaslo->setFocus();
}

void TZmianaHasla::confirm() {
    using O = PasswordChange::Outcome;
    O outcome = rules_.Confirm(StareHaslo->text().toStdString(), NoweHaslo1->text().toStdString(),
                               NoweHaslo2->text().toStdString(), forced_, Today());
    if (outcome == O::WrongOld) {
        QApplication::beep();
        StareHaslo->clear();
        StareHaslo->setFocus();
        return;
    }
    if (outcome == O::Changed) {
        changed_ = true;
        accept();
        return;
    }
    if (outcome == O::Closed) {
        closing_ = true;
        QDialog::reject();
    }
}

void TZmianaHasla::reject() {
    if (!changed_ && !closing_ && !rules_.MayClose(forced_)) return;
    QDialog::reject();
}

} // namespace ewidor
