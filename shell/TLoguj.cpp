#include "TLoguj.h"

#include "Clock.h"
#include "DialogButtons.h"
#include "TZmianaHasla.h"
#include "UpperCaseEdit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ewidor {

TLoguj::TLoguj(SignIn& rules, PasswordChange& passwords, Session& session, QWidget* parent)
    : QDialog(parent), rules_(rules), passwords_(passwords), session_(session) {
    setObjectName("Loguj");
    setWindowTitle(QStringLiteral("Proszę się przedstawić ..."));
    EdZnak = new QLineEdit(this);
    EdZnak->setObjectName("EdZnak");
    EdZnak->setMaxLength(3);
    PoleHasla = PasswordEdit(this, "PoleHasla");
    // The service sign's password is one character longer than any user's.
    connect(EdZnak, &QLineEdit::textChanged, this, [this](const QString& sign) {
        PoleHasla->setMaxLength(sign == SignIn::kServiceSign ? 9 : 8);
    });
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Znak :"), EdZnak);
    form->addRow(QStringLiteral("&Hasło :"), PoleHasla);
    auto* buttons = OkCancelButtons(this);
    auto* help = buttons->addButton(QStringLiteral("&Pomoc"), QDialogButtonBox::HelpRole);
    help->setObjectName("PcPomoc");
    help->setEnabled(false); // the help file is not read on this platform
    connect(buttons, &QDialogButtonBox::accepted, this, &TLoguj::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &TLoguj::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
}

void TLoguj::Open() {
    rules_.Open();
    EdZnak->setFocus();
}

bool TLoguj::forcedPasswordChange() {
    const UserRecord* user = session_.User();
    if (!user) return false;
    TZmianaHasla change(passwords_, *user, true, this);
    change.exec();
    return change.Changed();
}

void TLoguj::confirm() {
    using O = SignIn::Outcome;
    O outcome = rules_.Confirm(EdZnak->text().toStdString(), PoleHasla->text().toStdString(), Now(),
                               [this] { return forcedPasswordChange(); });
    if (outcome == O::Stay) return;
    PoleHasla->clear();
    if (outcome == O::Retry) {
        PoleHasla->setFocus();
        return;
    }
    done(outcome == O::SignedIn ? QDialog::Accepted : kStop);
}

void TLoguj::reject() {
    rules_.SignOut(Now());
    QDialog::reject();
}

} // namespace ewidor
