// The sign-in, password, users and log windows under the offscreen platform,
// driven with keys and clicks on a small site, and sign-in from the main window
// of a demo site.
#include "WidgetDriving.h"
#include "DemoBuilder.h"
#include "LogAdmin.h"
#include "ScriptedPrompter.h"
#include "StartMenuRules.h"
#include "Startup.h"
#include "TGlowny.h"
#include "TLogAdmF.h"
#include "TLoguj.h"
#include "TUsersF.h"
#include "TZmianaHasla.h"
#include "UsersFile.h"
#include "UsersSite.h"
#include "UsersStart.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include <filesystem>

using namespace ewidor;
using namespace userstest;
using namespace widgetdriving;

class UsersWindowsTest : public QObject {
    Q_OBJECT


private slots:
    void signInTypesUpperCaseAndStopsAfterThreeFailures() {
        UsersSite site;
        site.setUsers({makeUser("AB", "HASLO1")});
        ScriptedPrompter prompter;
        SignIn rules(site.session(), prompter);
        PasswordChange passwords(site.session(), prompter);
        TLoguj window(rules, passwords, site.session());
        window.Open();
        window.show();
        QCOMPARE(window.windowTitle(), QString("Proszę się przedstawić ..."));
        QCOMPARE(child<QLineEdit>(&window, "PoleHasla")->maxLength(), 8);
        type(&window, "EdZnak", "zvk");
        QCOMPARE(child<QLineEdit>(&window, "PoleHasla")->maxLength(), 9);
        type(&window, "EdZnak", "abcd");
        QCOMPARE(child<QLineEdit>(&window, "EdZnak")->text(), QString("abc"));
        type(&window, "EdZnak", "ab");
        type(&window, "PoleHasla", "haslo1");
        QCOMPARE(child<QLineEdit>(&window, "PoleHasla")->text(), QString("HASLO1"));
        click(&window, "PcOK");
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QCOMPARE(site.session().CurrentUser, 0);
        QVERIFY(child<QLineEdit>(&window, "PoleHasla")->text().isEmpty());

        TLoguj again(rules, passwords, site.session());
        again.Open();
        again.show();
        type(&again, "EdZnak", "ab");
        for (const char* wrong : {"X1", "X2", "X3"}) {
            type(&again, "PoleHasla", wrong);
            click(&again, "PcOK");
        }
        QCOMPARE(again.result(), TLoguj::kStop);
        QCOMPARE(prompter.messages().back().text, std::string("Przykro mi - nie znasz hasła !"));
    }

    void passwordChangeWritesTheNewPassword() {
        UsersSite site;
        site.setUsers({makeUser("AB", "HASLO1")});
        site.session().CurrentUser = 0;
        ScriptedPrompter prompter;
        PasswordChange rules(site.session(), prompter);
        TZmianaHasla window(rules, site.session().Users[0], true, nullptr);
        window.show();
        QCOMPARE(child<QLabel>(&window, "EtUzytkownik")->text(), QString("ImięAB NazwiskoAB"));
        prompter.AnswerAsk(false);
        window.reject(); // the forced form asks, and No keeps it open
        QVERIFY(window.isVisible());
        type(&window, "StareHaslo", "haslo1");
        type(&window, "NoweHaslo1", "nowe22");
        type(&window, "NoweHaslo2", "nowe22");
        click(&window, "PcOK");
        QVERIFY(window.Changed());
        std::vector<UserRecord> stored;
        QVERIFY(UsersFile::LoadUsers(site.usersPath(), stored, kToday));
        QCOMPARE(stored[0].Password, std::string("NOWE22"));
    }

    void usersWindowAddsAUserAndGuardsTheLastAdministrator() {
        UsersSite site;
        UserRecord boss = makeUser("SZ", "SZEF01", "/001");
        boss.rights.Kontrup = true;
        site.setUsers({boss});
        ScriptedPrompter prompter;
        UsersAdmin rules(site.session(), prompter);
        TUsersF window(rules);
        QVERIFY(window.Open());
        window.show();
        QCOMPARE(window.windowTitle(), QString("Kontrola uprawnień użytkowników systemu"));
        QCOMPARE(child<QListWidget>(&window, "L1")->count(), 1);
        QCOMPARE(child<QListWidget>(&window, "L2")->count(), 2);
        click(&window, "PcZmien");
        QVERIFY(!child<QCheckBox>(&window, "Kontrup")->isEnabled());
        QVERIFY(child<QCheckBox>(&window, "Konfig")->isEnabled());
        window.reject(); // only browse mode closes
        QVERIFY(window.isVisible());
        click(&window, "PcAnuluj");

        click(&window, "PcNowy");
        QVERIFY(!child<QComboBox>(&window, "Lista")->isEnabled());
        type(&window, "EdImie", "ewa");
        type(&window, "EdNazw", "Nowak");
        type(&window, "EdZnak", "en");
        type(&window, "EdHaslo", "tajne");
        click(&window, "PcZapisz"); // no group yet
        QCOMPARE(prompter.messages().back().text,
                 std::string("Należy użytkownikowi nadać uprawnienia\n co najmniej do jednej "
                             "grupy, lub go usunąć !"));
        click(&window, "PcWszystkieDoL1");
        QCOMPARE(child<QListWidget>(&window, "L1")->count(), 3);
        QTest::mouseClick(child<QCheckBox>(&window, "Kontrup"), Qt::LeftButton);
        click(&window, "PcZapisz");
        QVERIFY(!window.Editing());
        QCOMPARE(child<QComboBox>(&window, "Lista")->count(), 2);
        QCOMPARE(child<QComboBox>(&window, "Lista")->currentText(), QString("Ewa Nowak"));
        std::vector<UserRecord> stored;
        QVERIFY(UsersFile::LoadUsers(site.usersPath(), stored, kToday));
        QCOMPARE(stored[1].Sign, std::string("EN"));
        QCOMPARE(stored[1].Groups, std::string("/023/017/001"));
        QVERIFY(stored[1].rights.Kontrup);
    }

    void logWindowFiltersAndArchives() {
        UsersSite site;
        EventLog log(site.dataRoot());
        log.WriteEvent("Jan Kowalski", EventKind::SignIn, at(kToday, 8, 0));
        log.WriteEvent("Anna Nowak", EventKind::SignIn, at(kToday, 9, 0));
        log.WriteEvent("Jan Kowalski", EventKind::SignOut, at(kToday, 15, 0));
        ScriptedPrompter prompter;
        LogAdmin rules(site.dataRoot(), prompter);
        TLogAdmF window(rules, prompter);
        window.Open();
        window.show();
        auto* grid = child<QTableWidget>(&window, "Siatka");
        QCOMPARE(grid->rowCount(), 3);
        QCOMPARE(grid->item(0, 1)->text(), QString("15:00"));
        QCOMPARE(grid->item(0, 3)->text(), QString("Wyjście z systemu"));
        QCOMPARE(child<QLabel>(&window, "EtUzytk")->text(), QString("Wszyscy użytkownicy"));
        click(&window, "PcKryteria");
        QVERIFY(!child<QPushButton>(&window, "PcArchiwizuj")->isEnabled());
        QTest::mouseClick(child<QRadioButton>(&window, "RbUzytkownik"), Qt::LeftButton);
        child<QComboBox>(&window, "ListaUzytk")->setCurrentText("Jan Kowalski");
        click(&window, "PcFiltr");
        QCOMPARE(grid->rowCount(), 2);
        QCOMPARE(child<QLabel>(&window, "EtUzytk")->text(), QString("Użytkownik: Jan Kowalski"));
        prompter.AnswerAsk(true);
        click(&window, "PcArchiwizuj");
        QCOMPARE(grid->rowCount(), 0);
        QCOMPARE(site.events().size(), size_t{1});
        QVERIFY(std::filesystem::exists(rules.ArchivePath()));
    }

    void mainWindowSignsInAndOut() {
        auto dir = std::filesystem::temp_directory_path() /
                   ("ewidor-signin-" + std::to_string(::getpid()));
        std::filesystem::remove_all(dir);
        DemoOptions options;
        options.employees = 6;
        DemoBuilder(options).Build(dir.string());
        Session session;
        ScriptedPrompter prompter;
        TDane data;
        std::chrono::year_month_day today{std::chrono::year{2026} / std::chrono::December / 11};
        Startup startup(session, prompter);
        QVERIFY(startup.CreateMainWindowState(dir.string() + "/", today));
        QVERIFY(startup.CreateDataModule(data));
        QVERIFY(UsersStart::Load(session, prompter, false, today));
        QCOMPARE(session.Users.size(), size_t{2});
        TGlowny window(session, data, prompter);
        window.show();
        startup.FirstShow(data, today);
        window.ApplyMenuState(StartMenuRules::Evaluate(session));
        QTimer::singleShot(0, [] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            type(dialog, "EdZnak", "kl");
            type(dialog, "PoleHasla", "klerk1");
            click(dialog, "PcOK");
        });
        window.SignInWindow();
        QCOMPARE(window.windowTitle(), QString(" Użytkownik : Krystyna Kadrowa"));
        QCOMPARE(session.GroupCount, 3);
        QVERIFY(window.Command("ZmianaHasla")->isEnabled());
        QVERIFY(!window.Command("Uzytkownicy")->isEnabled());
        QVERIFY(!window.Command("Renowacja")->isEnabled());
        QTimer::singleShot(0, [] { click(QApplication::activeModalWidget(), "PcAnuluj"); });
        window.SignInWindow();
        QCOMPARE(session.CurrentUser, -2);
        QVERIFY(window.Command("Renowacja")->isEnabled());
        QVERIFY(!window.Command("Edycja")->isEnabled());
        std::filesystem::remove_all(dir);
    }
};

QTEST_MAIN(UsersWindowsTest)
#include "userswindows_test.moc"
