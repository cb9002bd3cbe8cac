#include "TGlowny.h"

#include "Clock.h"
#include "Error.h"
#include "TDane.h"
#include "TKonfig.h"
#include "TLogAdmF.h"
#include "TLoguj.h"
#include "TUsersF.h"
#include "TWybJedQ.h"
#include "TZmianaHasla.h"
#include "UserMenuRules.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace ewidor {


namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }

QLabel* label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}
} // namespace

TGlowny::TGlowny(Session& session, TDane& data, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), session_(session), data_(data), prompter_(prompter), Czekaj(new TCzekaj(this)),
      control_(session, data, prompter, *Czekaj, [] { QApplication::beep(); }) {
    setObjectName("Glowny");
    statusBar()->setObjectName("PasekStanu");
    buildMenu();
    buildCentre();
    connect(ListaLat, &QComboBox::activated, this, &TGlowny::onYearChosen);
    connect(ListaMiesiecy, &QComboBox::activated, this, &TGlowny::onMonthChosen);
    resize(900, 620);
    ShowSession();
}

void TGlowny::buildMenu() {
    menuBar()->setObjectName("MenuG");
    addItems(menuBar(), MainMenu::Items());
}

void TGlowny::addItems(QWidget* menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        QAction* action = nullptr;
        if (item.children.empty()) {
            action = new QAction(q(item.caption), this);
            connect(action, &QAction::triggered, this, [this, &item] { onCommand(item); });
        } else {
            auto* sub = new QMenu(q(item.caption), menu);
            sub->setObjectName(q(item.name));
            addItems(sub, item.children);
            action = sub->menuAction();
        }
        action->setObjectName(q(item.name));
        action->setStatusTip(q(item.hint));  // the status bar shows it while the item is hovered
        menu->addAction(action);
        actions_[item.name] = action;
    }
}

QWidget* TGlowny::buildMonthPanel() {
    auto* panel = new QWidget(this);
    panel->setObjectName("PanelMies");
    panel->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(panel);
    row->addWidget(label(panel, "EtWybranyMiesiac", QStringLiteral("Wybrany miesiąc : ")));
    ListaMiesiecy = new QComboBox(panel);
    ListaMiesiecy->setObjectName("ListaMiesiecy");
    for (const char* month : SessionControl::kMonths) ListaMiesiecy->addItem(QString::fromUtf8(month));
    row->addWidget(ListaMiesiecy);
    ListaLat = new QComboBox(panel);
    ListaLat->setObjectName("ListaLat");
    row->addWidget(ListaLat);
    row->addWidget(label(panel, "EtR", QStringLiteral(" r.")));
    row->addSpacing(24);
    row->addWidget(label(panel, "EtStanMiesiaca", QStringLiteral("stan miesiąca : ")));
    EtStanMies = label(panel, "EtStanMies");
    EtStanMies->setMinimumWidth(110);
    row->addWidget(EtStanMies);
    row->addStretch();
    panel->setEnabled(false);  // until a group is selected
    return panel;
}

void TGlowny::buildCentre() {
    auto* centre = new QWidget(this);
    centre->setObjectName("Tlo");
    centre->setStyleSheet("#Tlo { background-color: #2f5f7f; } #PanelMies { background-color: #c9d6df; }");
    PanelMies = buildMonthPanel();
    EtKogoP = label(centre, "EtKogoP");
    EtKogoT = label(centre, "EtKogoT");
    EtJedn1 = label(centre, "EtJedn1");
    EtJedn2 = label(centre, "EtJedn2");
    for (QLabel* l : {EtKogoP, EtKogoT, EtJedn1, EtJedn2}) {
        QFont f = l->font();
        f.setPointSize(l == EtKogoP || l == EtKogoT ? 20 : 16);
        f.setBold(true);
        l->setFont(f);
        l->setAlignment(Qt::AlignCenter);
    }
    EtKogoT->setStyleSheet("color: white;");
    EtKogoP->setStyleSheet("color: #3cb043;");
    EtJedn2->setStyleSheet("color: white;");
    EtJedn1->setStyleSheet("color: #ffd34d;");
    EtWer = label(centre, "EtWer");
    EtWer->setStyleSheet("color: white;");
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(0, 0, 0, 0);
    EtWer->setContentsMargins(0, 0, 8, 4);
    column->addWidget(PanelMies);
    column->addStretch();
    column->addWidget(EtWer, 0, Qt::AlignRight);
    setCentralWidget(centre);
}

void TGlowny::placeOwnerLabels() {
    QWidget* centre = centralWidget();
    if (!centre) return;
    int width = centre->width();
    int middle = centre->height() / 2;
    // The white text lies one pixel above and left of the green one, which shows as its edge.
    EtKogoP->setGeometry(1, middle - 59, width, 40);
    EtKogoT->setGeometry(0, middle - 60, width, 40);
    EtJedn1->setGeometry(1, middle + 1, width, 32);
    EtJedn2->setGeometry(0, middle, width, 32);
    EtKogoP->lower();
    EtJedn1->lower();
}

void TGlowny::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeOwnerLabels();
}

void TGlowny::ShowSession() {
    setWindowTitle(q(session_.Caption));
    EtKogoT->setText(q(session_.params.Wlasciciel));
    EtKogoP->setText(q(session_.params.Wlasciciel));
    EtWer->setText("ver. " + q(session_.ProductVersion));
    ListaLat->clear();
    for (int year : session_.Years) ListaLat->addItem(QString::number(year));
    ListaLat->setCurrentIndex(session_.PreselectedYear
                                  ? ListaLat->findText(QString::number(*session_.PreselectedYear))
                                  : -1);
    ListaLat->setEnabled(session_.YearListEnabled);
    ListaMiesiecy->setCurrentIndex(session_.SelectedMonth - 1);
}

void TGlowny::ApplyMenuState(const MenuState& state) {
    for (auto& [name, action] : actions_) {
        action->setVisible(state.hidden.count(name) == 0);
        action->setEnabled(state.disabled.count(name) == 0);
    }
}

QAction* TGlowny::Command(const std::string& name) const {
    auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

void TGlowny::onCommand(const MenuItem& item) {
    if (item.name == "KoniecPracy") {
        close();
        return;
    }
    if (item.name == "Informacje") {
        showAbout();
        return;
    }
    const std::map<std::string, void (TGlowny::*)()> windows = {{"Wejscie", &TGlowny::SignInWindow},
                                                                {"ZmianaHasla", &TGlowny::changePassword},
                                                                {"Uprawnienia", &TGlowny::usersWindow},
                                                                {"LogAdministracja", &TGlowny::logWindow},
                                                                {"Konfiguracja", &TGlowny::configurationWindow},
                                                                {"WyborGrupy", &TGlowny::ChooseGroup}};
    if (auto it = windows.find(item.name); it != windows.end()) {
        (this->*it->second)();
        return;
    }
    prompter_.ShowMessage("Uwaga !", "Polecenie \"" + MainMenu::PlainCaption(item.caption) +
                                         "\" nie jest jeszcze dostępne w tej wersji programu.");
}

void TGlowny::UpdateMenus() {
    ApplyMenuState(UserMenuRules::Evaluate(session_));
    setWindowTitle(q(session_.Caption));
    EtJedn1->setText(q(session_.GroupName));
    EtJedn2->setText(q(session_.GroupName));
    PanelMies->setEnabled(session_.GroupNumber != 0);
    showMonth();
}

void TGlowny::StartSession() {
    if (session_.State == InstallState::Configured && session_.SelectedYear != 0)
        control_.SelectYear(session_.SelectedYear, false);
    ShowSession();
    showMonth();
}

void TGlowny::ChooseGroup() {
    std::vector<GroupEntry> groups;
    try {
        groups = control_.Groups();
    } catch (const xb::Error& e) {
        prompter_.ShowMessage("Błąd !", e.what());
        return;
    }
    TWybJedQ window(std::move(groups), session_.GroupNumber, this);
    if (window.exec() != QDialog::Accepted || !window.Chosen()) return;
    ApplyGroup(*window.Chosen());
}

void TGlowny::ApplyGroup(const GroupEntry& group) {
    bool changed = group.number != session_.GroupNumber;
    control_.SelectGroup(group);
    UpdateMenus();
    ListaMiesiecy->setCurrentIndex(session_.SelectedMonth - 1);
    if (changed) data_.QKartDz.close();
}

// After sign-in with one group the group is chosen at once; without a group the
// group's values of the previous user go.
void TGlowny::afterSignIn() {
    if (!session_.SignedIn() || session_.GroupNumber == 0) {
        control_.SignedOut();
        return;
    }
    if (session_.GroupCount != 1) return;
    try {
        std::vector<GroupEntry> groups = control_.Groups();
        if (groups.size() == 1) control_.SelectGroup(groups.front());
    } catch (const xb::Error& e) {
        prompter_.ShowMessage("Błąd !", e.what());
    }
}

void TGlowny::onYearChosen(int index) {
    if (index < 0) return;
    if (!control_.SelectYear(ListaLat->itemText(index).toInt(), true))
        ListaLat->setCurrentIndex(ListaLat->findText(QString::number(session_.SelectedYear)));
    UpdateMenus();
}

void TGlowny::onMonthChosen(int index) {
    if (index < 0) return;
    control_.SelectMonth(index + 1, true);
    UpdateMenus();
}

void TGlowny::showMonth() {
    EtStanMies->setText(session_.GroupNumber != 0 ? q(control_.MonthStateLabel()) : QString());
}

void TGlowny::SignInWindow() {
    TLoguj window(signIn_, passwords_, session_, this);
    window.Open();
    session_.GroupName.clear();  // the group labels are cleared while the window is open
    UpdateMenus();
    if (window.exec() == TLoguj::kStop) {
        stopProgram();
        return;
    }
    afterSignIn();
    UpdateMenus();
}

void TGlowny::changePassword() {
    if (const UserRecord* user = session_.User()) TZmianaHasla(passwords_, *user, false, this).exec();
}

void TGlowny::usersWindow() {
    UsersAdmin rules(session_, prompter_);
    TUsersF window(rules, this);
    if (window.Open()) window.exec();
}

void TGlowny::configurationWindow() {
    if (!KonfigRules::MayOpen(session_)) return;
    KonfigRules rules(session_, prompter_);
    TKonfig window(rules, this);
    window.Open();
    window.exec();
    UpdateMenus();  // the overtime menu follows the saved settings
}

void TGlowny::logWindow() {
    LogAdmin rules(session_.dirs.DataRoot, prompter_);
    TLogAdmF window(rules, prompter_, this);
    try {
        window.Open();
    } catch (const xb::Error& e) {
        prompter_.ShowMessage("Błąd !", e.what());
        return;
    }
    window.exec();
}

void TGlowny::stopProgram() {
    closeConfirmed_ = true;
    close();
    QCoreApplication::exit(1);
}

void TGlowny::showAbout() {
    prompter_.ShowMessage("Informacje", "System ewidencji czasu pracy\n\nWersja " + session_.ProductVersion +
                                            "\nWersja pliku " + session_.FileVersion);
}

void TGlowny::closeEvent(QCloseEvent* event) {
    if (!closeConfirmed_ &&
        !prompter_.Ask(" System ewidencji czasu pracy", "Czy na pewno zakończyć pracę systemu ?", true)) {
        event->ignore();
        return;
    }
    closeConfirmed_ = true;
    data_.QPracJed.close();
    data_.QStKoszt.close();
    data_.QOddzialy.close();
    data_.TabMapy.close();
    signIn_.WriteSignOutEvent(Now());
    event->accept();
}

} // namespace ewidor
