// The program's main window on a demo site, under the offscreen platform.
#include "DemoBuilder.h"
#include "ScriptedPrompter.h"
#include "StartMenuRules.h"
#include "Startup.h"
#include "TGlowny.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QtTest>

#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace ewidor;
namespace fs = std::filesystem;

class MainWindowTest : public QObject {
    Q_OBJECT

    fs::path dir_;
    std::chrono::year_month_day today_{std::chrono::year{2026} / std::chrono::December / 11};

    struct Program {
        Session session;
        ScriptedPrompter prompter;
        TDane data;
        std::unique_ptr<TGlowny> window;
    };

    std::unique_ptr<Program> start(const std::string& configDir) {
        auto p = std::make_unique<Program>();
        p->session.ProductVersion = p->session.FileVersion = "1.2.3";
        Startup startup(p->session, p->prompter);
        if (!startup.CreateMainWindowState(configDir, today_) || !startup.CreateDataModule(p->data)) return nullptr;
        p->window = std::make_unique<TGlowny>(p->session, p->data, p->prompter);
        p->window->show();
        startup.FirstShow(p->data, today_);
        p->window->ShowSession();
        p->window->ApplyMenuState(StartMenuRules::Evaluate(p->session));
        return p;
    }

    static QStringList captions(const QList<QAction*>& actions) {
        QStringList out;
        for (QAction* a : actions)
            if (!a->isSeparator()) out << a->text();
        return out;
    }

private slots:
    void initTestCase() {
        dir_ = fs::temp_directory_path() / ("ewidor-window-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        DemoOptions options;
        options.employees = 9;
        DemoBuilder(options).Build(dir_.string());
    }
    void cleanupTestCase() { fs::remove_all(dir_); }

    void menuCaptionsAsTheSystemNamesThem() {
        auto p = start(dir_.string());
        QVERIFY(p);
        QMenuBar* bar = p->window->findChild<QMenuBar*>("MenuG");
        QVERIFY(bar);
        QCOMPARE(captions(bar->actions()),
                 QStringList({"w&Ejście", "wybór  &Grupy", "&Edycja", "&Nadpracowania", "P&remie", "&Przegląd",
                              "wy&Druki", "&Miesiąc", "&Wysyłka", "ka&Talog", "&System", "&Koniec pracy", "Pomoc"}));
        QCOMPARE(captions(p->window->Command("Edycja")->menu()->actions()),
                 QStringList({"&Dziennych kart pracy", "&Urlopów", "&Zwolnień lekarskich", "&Kwot"}));
        QCOMPARE(captions(p->window->Command("PobranieZbiorow")->menu()->actions()),
                 QStringList({"z sieci &Lokalnej", "ze skrytki &Pocztowej", "z serwera &Ftp", "z &Dostarczonego pliku"}));
        QCOMPARE(captions(p->window->Command("PremieWysylka")->menu()->actions()),
                 QStringList({"siecią &Lokalną", "&Pocztą elektron.", "Protokołem &FTP", "&Do pliku"}));
        QCOMPARE(captions(p->window->Command("Pomoc")->menu()->actions()),
                 QStringList({"&Zawartość pomocy", "Korzystanie z &Pomocy", "&Informacje"}));
    }

    void showsTheSessionOnTheDemoSite() {
        auto p = start(dir_.string());
        QVERIFY(p);
        QVERIFY(p->prompter.entries().empty());
        QCOMPARE(p->window->windowTitle(), QString(" Użytkownik nieznany."));
        QCOMPARE(p->window->findChild<QLabel*>("EtWer")->text(), QString("ver. 1.2.3"));
        QCOMPARE(p->window->findChild<QLabel*>("EtKogoT")->text(), QString("Zakład Mechaniczny \"Przykład\" S.A."));
        auto* years = p->window->findChild<QComboBox*>("ListaLat");
        QCOMPARE(years->count(), 2);
        QVERIFY(!p->window->findChild<QWidget*>("PanelMies")->isEnabled());
        QCOMPARE(p->window->findChild<QComboBox*>("ListaMiesiecy")->currentText(), QString("Grudzień"));
        QVERIFY(p->window->Command("Wejscie")->isEnabled());
        QVERIFY(!p->window->Command("OtwarcieUrlopow")->isVisible());  // only in January
        QVERIFY(!p->window->Command("Aktualizacja")->isVisible());     // no updater beside Konfig
    }

    void statusBarShowsTheHoveredCommandsHint() {
        auto p = start(dir_.string());
        QVERIFY(p);
        QAction* action = p->window->Command("KatalogPracownikow");
        action->showStatusText(p->window.get());
        QCOMPARE(p->window->statusBar()->currentMessage(), QString("Katalog pracowników grupy"));
        QCOMPARE(p->window->statusBar()->objectName(), QString("PasekStanu"));
    }

    void aCommandNotBuiltYetSaysSo() {
        auto p = start(dir_.string());
        QVERIFY(p);
        p->window->Command("ZamkniecieMiesiaca")->trigger();
        auto shown = p->prompter.messages();
        QCOMPARE(shown.size(), size_t(1));
        QCOMPARE(QString::fromStdString(shown[0].title), QString("Uwaga !"));
        QCOMPARE(QString::fromStdString(shown[0].text),
                 QString("Polecenie \"Zamknięcie miesiąca\" nie jest jeszcze dostępne w tej wersji programu."));
    }

    void closingAsksFirstAndStaysOnNo() {
        auto p = start(dir_.string());
        QVERIFY(p);
        p->prompter.AnswerAsk(false);
        p->window->Command("KoniecPracy")->trigger();
        QVERIFY(p->window->isVisible());
        QCOMPARE(QString::fromStdString(p->prompter.entries().back().text),
                 QString("Czy na pewno zakończyć pracę systemu ?"));
        QVERIFY(p->prompter.entries().back().defaultNo);
        p->prompter.AnswerAsk(true);
        p->window->Command("KoniecPracy")->trigger();
        QVERIFY(!p->window->isVisible());
    }

    void notConfiguredLeavesOnlyTheWayForward() {
        fs::path empty = dir_ / "pusty";
        fs::create_directories(empty);
        std::ofstream(empty / "Konfig") << "[Lokalne]\r\nBarborka=0\r\n";
        auto p = start(empty.string());
        QVERIFY(p);
        QCOMPARE(p->prompter.messages().size(), size_t(1));
        QCOMPARE(QString::fromStdString(p->prompter.messages()[0].title), QString("System nieskonfigurowany !"));
        for (const char* name : {"Wejscie", "WyborGrupy", "OtwarcieRoku", "Renowacja", "KopiowanieZbiorow",
                                 "ZawartoscPomocy", "KorzystaniePomocy"})
            QVERIFY2(!p->window->Command(name)->isEnabled(), name);
        QVERIFY(p->window->Command("Konfiguracja")->isEnabled());
    }
};

QTEST_MAIN(MainWindowTest)
#include "mainwindow_test.moc"
