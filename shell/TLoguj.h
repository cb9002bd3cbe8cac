#pragma once
// The sign-in window "Proszę się przedstawić ...": the sign, the password, O&K,
// &Anuluj (sign-out) and &Pomoc. SignIn decides; the window shows and closes.
// The dialog's result: Accepted when signed in, Rejected after "&Anuluj", kStop when
// the program must stop.
#include "PasswordChange.h"
#include "SignIn.h"

#include <QDialog>

class QLineEdit;

namespace ewidor {

class TLoguj : public QDialog {
    Q_OBJECT
public:
    static constexpr int kStop = 2;

    TLoguj(SignIn& rules, PasswordChange& passwords, Session& session, QWidget* parent = nullptr);
    // Runs the window's opening step; call before exec().
    void Open();

public slots:
    void reject() override;

private:
    void confirm();
    bool forcedPasswordChange();

    SignIn& rules_;
    PasswordChange& passwords_;
    Session& session_;
    QLineEdit* EdZnak;
    QLineEdit* PoleHasla;
};

} // namespace ewidor
