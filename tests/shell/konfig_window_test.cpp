// The configuration dialog under the offscreen platform: typed values, "za&Pisz",
// and Konfig read back in code page 1250 by an independent reader; the main
// window's menu command opening it.
#include "WidgetDriving.h"
#include "KonfigSite.h"
#include "TDane.h"
#include "TGlowny.h"
#include "TKonfig.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

using namespace ewidor;
using namespace konfigtest;
using namespace widgetdriving;

class KonfigWindowTest : public QObject {
    Q_OBJECT

    static void turnTo(QWidget* w, int page) {
        child<QTabWidget>(w, "Strony")->setCurrentIndex(page);
    }
    static std::vector<std::string> texts(const ScriptedPrompter& p) {
        std::vector<std::string> out;
        for (const auto& e : p.messages())
            out.push_back(e.text);
        return out;
    }

private slots:
    void refusedPortTurnsToItsFieldAndTheNextSaveWritesIt() {
        KonfigSite site;
        KonfigRules rules(site.session(), site.prompter());
        TKonfig window(rules);
        window.Open();
        window.show();
        QVERIFY(!child<QPushButton>(&window, "PcZapisz")->isEnabled());
        turnTo(&window, 2);
        QVERIFY(!child<QWidget>(&window, "PanelSMTP")->isVisible());
        click(&window, "PcZaawPoczta");
        click(&window, "PcZaawPoczta"); // the second press hides the panels again
        QVERIFY(!child<QWidget>(&window, "PanelSMTP")->isVisible());
        click(&window, "PcZaawPoczta");
        type(&window, "EdPortSMTP", "65500");
        QVERIFY(child<QPushButton>(&window, "PcZapisz")->isEnabled());
        turnTo(&window, 0);
        click(&window, "PcZaawPoczta"); // hidden with its page: the click does nothing
        click(&window, "PcZapisz");
        QCOMPARE(texts(site.prompter()),
                 std::vector<std::string>{"Błędnie określony port SMTP  !"});
        QCOMPARE(child<QTabWidget>(&window, "Strony")->currentIndex(), 2);
        QVERIFY(child<QWidget>(&window, "PanelSMTP")->isVisible());
        QCOMPARE(window.focusWidget(), child<QWidget>(&window, "EdPortSMTP"));
        QVERIFY(window.isVisible());

        type(&window, "EdPortSMTP", "65499");
        click(&window, "BoxPOP3SSL");
        QCOMPARE(child<QLineEdit>(&window, "EdPortPOP3")->text(), QString("995"));
        click(&window, "PcZapisz");
        QCOMPARE(window.result(), int(QDialog::Accepted));
        Sections konfig = site.read();
        QCOMPARE(konfig["Internet"]["PortSMTP"], std::string("65499"));
        QCOMPARE(konfig["Internet"]["PortPOP3"], std::string("995"));
        QCOMPARE(konfig["Internet"]["POP3SSL"], std::string("1"));
        QCOMPARE(site.session().settings.PortSMTP, 65499);
    }

    void addressFillsServersAndSwitchedOffPartsLeaveKonfig() {
        KonfigSite site;
        {
            KonfigRules rules(site.session(), site.prompter());
            TKonfig window(rules);
            window.Open();
            window.show();
            turnTo(&window, 2);
            type(&window, "EdWych", "");
            type(&window, "EdPrzych", "");
            type(&window, "EdAdres", "jan.nowak@firma.pl");
            QTest::keyClick(child<QLineEdit>(&window, "EdAdres"), Qt::Key_Return);
            QCOMPARE(child<QLineEdit>(&window, "EdWych")->text(), QString("firma.pl"));
            QCOMPARE(child<QLineEdit>(&window, "EdPrzych")->text(), QString("firma.pl"));
            QVERIFY2(window.isVisible(), "Return in a field does not save");
            turnTo(&window, 1);
            QVERIFY(child<QLineEdit>(&window, "EdIleDni")->isVisible());
            click(&window, "ForcePass");
            QVERIFY(!child<QLineEdit>(&window, "EdIleDni")->isVisible());
            click(&window, "PcZapisz");
            QCOMPARE(window.result(), int(QDialog::Accepted));
        }
        Sections konfig = site.read();
        QCOMPARE(konfig["Internet"]["SerwerPocztyWychodzacej"], std::string("firma.pl"));
        QCOMPARE(konfig["Internet"]["SerwerPocztyPrzychodzacej"], std::string("firma.pl"));
        QCOMPARE(konfig["Lokalne"]["IleDniHasla"], std::string("0"));
        QCOMPARE(konfig["Instalacja"]["Wlasciciel"], std::string("Zakład Łączności"));
        QVERIFY(texts(site.prompter()).empty());

        KonfigRules rules(site.session(), site.prompter());
        TKonfig window(rules);
        window.Open();
        window.show();
        turnTo(&window, 2);
        QVERIFY(child<QWidget>(&window, "PanelPoczta")->isVisible());
        click(&window, "InterDostep");
        QVERIFY(!child<QWidget>(&window, "PanelPoczta")->isVisible());
        turnTo(&window, 3);
        QVERIFY(child<QWidget>(&window, "PanelProxy")->isVisible());
        click(&window, "PcZaawFtp");
        click(&window, "BoxFtpProxy");
        QVERIFY(!child<QWidget>(&window, "PanelProxy")->isVisible());
        click(&window, "PcZapisz");
        QCOMPARE(window.result(), int(QDialog::Accepted));
        konfig = site.read();
        QCOMPARE(konfig.count("Internet"), size_t{0});
        QCOMPARE(konfig["FTP"]["PROXY"], std::string("0"));
        for (const char* key : {"SerwerPROXY", "PortPROXY", "UserPROXY", "HasPROXY", "TypPROXY"})
            QCOMPARE(konfig["FTP"].count(key), size_t{0});
    }

    void cancelAfterAChangeWarns() {
        KonfigSite site;
        KonfigRules rules(site.session(), site.prompter());
        TKonfig window(rules);
        window.Open();
        window.show();
        turnTo(&window, 1);
        click(&window, "JakaBarbor");
        click(&window, "PcAnuluj");
        QCOMPARE(window.result(), int(QDialog::Rejected));
        QCOMPARE(texts(site.prompter()),
                 std::vector<std::string>{"Nie zapisano dokonanych zmian !"});
        QCOMPARE(site.read()["Lokalne"].count("Barborka"), size_t{0});
    }

    void menuCommandOpensTheDialogAndMenusFollowTheSave() {
        KonfigSite site;
        Session& session = site.session();
        UserRecord admin;
        admin.Sign = "AD";
        admin.rights.Konfig = true;
        session.Users = {admin};
        session.CurrentUser = 0;
        TDane data;
        TGlowny window(session, data, site.prompter());
        window.UpdateMenus();
        QVERIFY(window.Command("Konfiguracja")->isEnabled());
        QVERIFY(window.Command("Nadpracowania")->isVisible());
        bool opened = false;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            opened = dialog->objectName() == "Konfig";
            turnTo(dialog, 1);
            click(dialog, "Nadpracowane");
            click(dialog, "PcZapisz");
        });
        window.Command("Konfiguracja")->trigger();
        QVERIFY(opened);
        QVERIFY(!session.settings.EwidencjaNadpracowanych);
        QVERIFY(!window.Command("Nadpracowania")->isVisible());
    }
};

QTEST_MAIN(KonfigWindowTest)
#include "konfig_window_test.moc"
