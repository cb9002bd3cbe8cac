// UpdateMenus on the real menu of the main window (offscreen): which actions are
// enabled and visible by rights, their validity, groups, the selection, the staff
// check, the settings and the service sign; closing the window asks first.
#include "ScriptedPrompter.h"
#include "TDane.h"
#include "TGlowny.h"

#include <QAction>
#include <QtTest>

using namespace ewidor;

namespace {

enum Flag : unsigned {
    Valid = 1,        // RightsValid
    Group = 2,        // a group selected (GroupCount 1)
    TwoGroups = 4,    // GroupCount 2
    StaffOk = 8,      // StaffCheckOk
    Mail = 16,        // [Internet] Internet
    Ftp = 32,         // [FTP] FTP
    Service = 64,     // the service sign
    Target = 128,     // TargetDir set
    Amounts = 256,    // EdycjaKwot on, year 2026
};

struct Case {
    const char* what;
    Rights rights;
    unsigned flags;
    std::vector<const char*> enabled, disabled, visible, hidden;
};

Rights rights(std::initializer_list<bool Rights::*> on) {
    Rights r;
    for (auto m : on) r.*m = true;
    return r;
}

} // namespace

class MainMenuWindowTest : public QObject {
    Q_OBJECT

    struct Window {
        Session session;
        ScriptedPrompter prompter;
        TDane data;
        std::unique_ptr<TGlowny> window;
        bool on(const char* name) const { return window->Command(name)->isEnabled(); }
        bool shown(const char* name) const { return window->Command(name)->isVisible(); }
    };

    static std::unique_ptr<Window> signedIn(const Case& c) {
        auto w = std::make_unique<Window>();
        Session& s = w->session;
        s.State = InstallState::Configured;
        s.EventLogKept = true;
        s.UpdateVisible = true;
        s.LanSendEnabled = c.flags & Target;
        if (c.flags & Target) s.dirs.TargetDir = "/tmp/cel/";
        UserRecord user;
        user.FirstName = "Anna";
        user.Surname = "Kowalska";
        user.rights = c.rights;
        s.Users = {user};
        s.CurrentUser = 0;
        s.RightsValid = c.flags & Valid;
        s.GroupCount = (c.flags & TwoGroups) ? 2 : (c.flags & Group) ? 1 : 0;
        s.GroupNumber = (c.flags & Group) ? 7 : 0;
        s.GroupName = (c.flags & Group) ? "Wydział siódmy" : "";
        s.StaffCheckOk = c.flags & StaffOk;
        s.settings.Internet = c.flags & Mail;
        s.settings.FTP = c.flags & Ftp;
        s.settings.EdycjaKwot = c.flags & Amounts;
        s.SelectedYear = 2026;
        s.ServiceSignIn = c.flags & Service;
        w->window = std::make_unique<TGlowny>(s, w->data, w->prompter);
        w->window->show();
        w->window->UpdateMenus();
        return w;
    }

private slots:
    void byRightsAndState() {
        const Case cases[] = {
            {"clerk with a group and a passed staff check",
             rights({&Rights::EdycjaZbior, &Rights::MozeUrlopy}), Valid | Group | StaffOk,
             {"Edycja", "EdycjaKart", "Uzupelnij", "EdycjaUrlopow", "EdycjaZwolnien", "Nadpracowania", "Katalog",
              "Miesiac", "UrlopyIZwolnienia", "DrukUrlopow", "PrzegladUrlopow", "OtwarcieUrlopow", "Przeglad",
              "Wydruki", "System", "ZmianaHasla"},
             {"Uzytkownicy", "Konfiguracja", "OtwarcieRoku", "Renowacja", "Wysylka", "KopiowanieZbiorow",
              "WczytanieZbiorow", "Premie", "Aktualizacja"},
             {"DrukStanUrlopow"},
             {"WyborGrupy", "LogAdministracja", "EdycjaKwot", "PrzegladKwot", "DrukKwot"}},
            {"the staff check failed", rights({&Rights::EdycjaZbior, &Rights::MozeUrlopy}), Valid | Group,
             {"Edycja", "Katalog", "Miesiac", "DrukUrlopow"},
             {"EdycjaKart", "Uzupelnij", "EdycjaUrlopow", "EdycjaZwolnien"}, {}, {}},
            {"rights expired", rights({&Rights::EdycjaZbior, &Rights::MozeUrlopy, &Rights::DoCentr}), Group | StaffOk,
             {"Przeglad", "Wydruki", "System", "ZmianaHasla"},
             {"Edycja", "EdycjaKart", "Miesiac", "Katalog", "Wysylka", "PrzegladUrlopow", "Nadpracowania"}, {}, {}},
            {"two groups, none chosen yet", rights({&Rights::EdycjaZbior, &Rights::Centrala}), Valid | TwoGroups,
             {"WyborGrupy"}, {"Edycja", "Przeglad", "Wydruki", "KopiowanieZbiorow", "Katalog"}, {"WyborGrupy"}, {}},
            {"administrator without groups",
             rights({&Rights::Kontrup, &Rights::Konfig, &Rights::OtworzRok, &Rights::Aktualizacja}), Valid,
             {"Uzytkownicy", "Konfiguracja", "OtwarcieRoku", "System"},
             {"Edycja", "Przeglad", "Wydruki", "Renowacja", "Aktualizacja"}, {"LogAdministracja"}, {"WyborGrupy"}},
            {"sending with every way open",
             rights({&Rights::DoCentr, &Rights::InterDost, &Rights::FtpDost, &Rights::MozePremie}),
             Valid | Group | Mail | Ftp | Target,
             {"Wysylka", "WysylkaLokalna", "WysylkaPoczta", "WysylkaFtp", "Premie", "PremieEdycja", "PremiePrzeglad",
              "PremieWysylka", "PremieWysylkaLokalna", "PremieWysylkaPoczta", "PremieWysylkaFtp", "NadprWysylka",
              "PobraniePoczta", "PobranieFtp"},
             {"KopiowanieZbiorow", "EdycjaKart"}, {}, {}},
            {"sending without mail, FTP and target directory", rights({&Rights::DoCentr, &Rights::InterDost, &Rights::FtpDost}),
             Valid | Group,
             {"Wysylka"},
             {"WysylkaLokalna", "WysylkaPoczta", "WysylkaFtp", "Premie", "PremieWysylka", "PobraniePoczta"}, {}, {}},
            {"amounts shown with the right, the switch and a year after 2007",
             rights({&Rights::EdycjaKwotBox, &Rights::EdycjaZbior}), Valid | Group | StaffOk | Amounts, {}, {},
             {"EdycjaKwot", "PrzegladKwot", "DrukKwot"}, {}},
            {"amounts hidden without the switch", rights({&Rights::EdycjaKwotBox}), Valid | Group, {}, {}, {},
             {"EdycjaKwot", "PrzegladKwot", "DrukKwot"}},
            {"service sign", Rights{}, Valid | TwoGroups | Service, {"Uzytkownicy", "WyborGrupy", "System"},
             {"Edycja"}, {"WyborGrupy"}, {}},
        };
        for (const Case& c : cases) {
            auto w = signedIn(c);
            for (const char* name : c.enabled) QVERIFY2(w->on(name), (std::string(c.what) + ": " + name).c_str());
            for (const char* name : c.disabled) QVERIFY2(!w->on(name), (std::string(c.what) + ": " + name).c_str());
            for (const char* name : c.visible) QVERIFY2(w->shown(name), (std::string(c.what) + ": " + name).c_str());
            for (const char* name : c.hidden) QVERIFY2(!w->shown(name), (std::string(c.what) + ": " + name).c_str());
        }
    }

    void signOutLeavesRenovationAndTheSystemMenu() {
        auto w = signedIn({"", rights({&Rights::EdycjaZbior}), Valid | Group | StaffOk, {}, {}, {}, {}});
        QVERIFY(!w->on("Renowacja"));
        w->session.CurrentUser = -2;
        w->window->UpdateMenus();
        QVERIFY(w->on("Renowacja"));
        QVERIFY(w->on("System"));
        for (const char* name : {"Edycja", "WyborGrupy", "ZmianaHasla", "Przeglad", "Miesiac", "Katalog"})
            QVERIFY2(!w->on(name), name);
        for (const char* name : {"EdycjaKwot", "PrzegladKwot", "DrukKwot"}) QVERIFY2(!w->shown(name), name);
    }

    void closingAsksFirst() {
        auto w = signedIn({"", Rights{}, Valid, {}, {}, {}, {}});
        w->prompter.AnswerAsk(false);
        w->window->close();
        QVERIFY(w->window->isVisible());
        w->prompter.AnswerAsk(true);
        w->window->close();
        QVERIFY(!w->window->isVisible());
        auto asked = w->prompter.entries();
        QCOMPARE(asked.size(), size_t(2));
        QCOMPARE(asked[0].title, std::string(" System ewidencji czasu pracy"));
        QCOMPARE(asked[0].text, std::string("Czy na pewno zakończyć pracę systemu ?"));
        QVERIFY(asked[0].defaultNo);
    }
};

QTEST_MAIN(MainMenuWindowTest)
#include "mainmenu_window_test.moc"
