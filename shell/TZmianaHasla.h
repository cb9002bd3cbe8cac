#pragma once
// The password change window: the old password, the new one twice. In its forced
// form (after sign-in with an aged password) closing without a change is asked about.
#include "PasswordChange.h"

#include <QDialog>

class QLineEdit;

namespace ewidor {

class TZmianaHasla : public QDialog {
    Q_OBJECT
public:
    TZmianaHasla(PasswordChange& rules, const UserRecord& user, bool forced,
                 QWidget* parent = nullptr);
    bool Changed() const { return changed_; }

public slots:
    void reject() override;

private:
    void confirm();

    PasswordChange& rules_;
    bool forced_;
    bool changed_ = false;
    bool closing_ = false;
    QLineEdit* StareHaslo;
    QLineEdit* NoweHaslo1;
    QLineEdit* NoweHaslo2;
};

} // namespace ewidor
