#pragma once
// Line edits of the sign-in and password windows: what is typed turns upper case;
// passwords show "*".
#include <QLineEdit>

namespace ewidor {

// Makes `edit` upper-case what the user types, keeping the cursor where it was.
void MakeUpperCase(QLineEdit* edit);
// A password field: upper case, shown as "*", at most `maxLength` characters.
QLineEdit* PasswordEdit(QWidget* parent, const char* name, int maxLength = 8);

} // namespace ewidor
