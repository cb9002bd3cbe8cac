#include "UpperCaseEdit.h"

namespace ewidor {

void MakeUpperCase(QLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        QString upper = text.toUpper();
        if (upper == text) return;
        int cursor = edit->cursorPosition();
        edit->setText(upper);
        edit->setCursorPosition(cursor);
    });
}

QLineEdit* PasswordEdit(QWidget* parent, const char* name, int maxLength) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet("lineedit-password-character: 42"); // "*"
    edit->setMaxLength(maxLength);
    MakeUpperCase(edit);
    return edit;
}

} // namespace ewidor
