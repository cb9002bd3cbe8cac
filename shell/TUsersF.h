#pragma once
// The users and rights window "Kontrola uprawnień użytkowników systemu": the user
// chooser, the user's fields and twelve rights, the validity dates, the allowed and
// unavailable groups, browse and edit modes. UsersAdmin decides; the window shows.
#include "UsersAdmin.h"

#include <QDialog>
#include <map>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ewidor {

class TUsersF : public QDialog {
    Q_OBJECT
public:
    TUsersF(UsersAdmin& rules, QWidget* parent = nullptr);
    // Reads the lists; false when the window must not be shown (the message was given).
    bool Open();
    bool Editing() const { return editing_; }

    // The check boxes in the users window's order, with their captions.
    static const std::vector<std::pair<bool Rights::*, const char*>>& RightBoxes();

public slots:
    void reject() override;

private:
    QWidget* buildFields();
    QWidget* buildGroups();
    QWidget* buildButtons();
    void fillChooser(int select);
    void showUser(int index);
    void showDraft(const UserDraft& draft);
    UserDraft draft() const;
    void setEditing(bool on);
    void moveGroups(QListWidget* from, QListWidget* to, bool all);
    void onNew();
    void onChange();
    void onDelete();
    void onSave();

    UsersAdmin& rules_;
    int index_ = -1; // the user shown; -1 for a new one
    bool editing_ = false;
    bool passwordChanged_ = false;
    QComboBox* Lista;
    QLineEdit *EdImie, *EdNazw, *EdZnak, *EdHaslo;
    std::map<std::string, QCheckBox*> rights_;
    QDateEdit* OdDnia;
    QCheckBox* DoDniaZnacznik;
    QDateEdit* DoDnia;
    QListWidget *L1, *L2;
    std::map<std::string, QPushButton*> buttons_;
};

} // namespace ewidor
