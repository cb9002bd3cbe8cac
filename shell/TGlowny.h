#pragma once
// The main window: the owner name, the group labels, the version, the month panel,
// the status bar with the hovered command's hint, and the menu MenuG built from
// MainMenu. Commands whose windows do not exist yet say so when chosen.
#include "MainMenu.h"
#include "PasswordChange.h"
#include "Prompter.h"
#include "Session.h"
#include "SessionControl.h"
#include "SignIn.h"
#include "StartMenuRules.h"
#include "TCzekaj.h"

#include <QMainWindow>
#include <map>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QWidget;

namespace ewidor {

class TDane;

class TGlowny : public QMainWindow {
    Q_OBJECT
public:
    TGlowny(Session& session, TDane& data, Prompter& prompter, QWidget* parent = nullptr);

    // Hides and disables commands as `state` says; everything else is visible and enabled.
    void ApplyMenuState(const MenuState& state);
    // Shows the session's caption, years, preselected year and month.
    void ShowSession();
    QAction* Command(const std::string& name) const;
    // Menus by the signed-in user's rights (UserMenuRules), the caption and the group labels.
    void UpdateMenus();
    // The sign-in window; stops the program when sign-in says so.
    void SignInWindow();
    // After the first year selection of start-up: the calendar, month states and labels of that year.
    void StartSession();
    // The group choice window TWybJedQ, then ApplyGroup with the chosen group.
    void ChooseGroup();
    // SelectGroup, then the menus and the month panel follow.
    void ApplyGroup(const GroupEntry& group);
    WaitIndicator& Wait() { return *Czekaj; }
    SessionControl& Control() { return control_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenu();
    void addItems(QWidget* menu, const std::vector<MenuItem>& items);
    void buildCentre();
    QWidget* buildMonthPanel();
    void placeOwnerLabels();
    void onCommand(const MenuItem& item);
    void showAbout();
    void changePassword();
    void usersWindow();
    void logWindow();
    void configurationWindow();
    void stopProgram();
    void afterSignIn();
    void onYearChosen(int index);
    void onMonthChosen(int index);
    void showMonth();

    Session& session_;
    TDane& data_;
    Prompter& prompter_;
    std::map<std::string, QAction*> actions_;
    QLabel* EtKogoT = nullptr;
    QLabel* EtKogoP = nullptr;
    QLabel* EtJedn1 = nullptr;
    QLabel* EtJedn2 = nullptr;
    QLabel* EtWer = nullptr;
    QWidget* PanelMies = nullptr;
    QComboBox* ListaMiesiecy = nullptr;
    QComboBox* ListaLat = nullptr;
    QLabel* EtStanMies = nullptr;
    bool closeConfirmed_ = false;
    TCzekaj* Czekaj = nullptr;
    SessionControl control_;
    // Both live for the run of the program, with their attempt counters.
    SignIn signIn_{session_, prompter_};
    PasswordChange passwords_{session_, prompter_};
};

} // namespace ewidor
