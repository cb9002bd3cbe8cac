#include "UserMenuRules.h"

#include "Paths.h"

#include <initializer_list>

namespace ewidor {
namespace {

// The commands that need somebody signed in.
const std::initializer_list<const char*> kNeedSignIn = {
    "Uzytkownicy",   "Konfiguracja",   "KopiowanieZbiorow", "Edycja",
    "PremieEdycja",  "PremiePrzeglad", "PremieWydruk",      "PremieZamknijOtworz",
    "PremieWysylka", "Premie",         "Wysylka",           "OtwarcieRoku",
    "System",        "Miesiac",        "Katalog",           "Przeglad",
    "Wydruki",       "WyborGrupy",     "ZmianaHasla",       "Nadpracowania"};

class Rules {
public:
    explicit Rules(MenuState& m) : m_(m) {}
    void enable(const char* name, bool on) {
        if (on)
            m_.disabled.erase(name);
        else
            m_.disabled.insert(name);
    }
    void show(const char* name, bool on) {
        if (on)
            m_.hidden.erase(name);
        else
            m_.hidden.insert(name);
    }
    bool enabled(const char* name) const { return m_.disabled.count(name) == 0; }

private:
    MenuState& m_;
};

void signedOut(const Session& s, Rules& r) {
    for (const char* name : kNeedSignIn)
        r.enable(name, false);
    r.enable("System", true);
    r.enable("Renowacja", s.State == InstallState::Configured);
    r.enable("Konfiguracja", s.State != InstallState::Configured);
    for (const char* name : {"EdycjaKwot", "PrzegladKwot", "DrukKwot"})
        r.show(name, false);
}

// `mailAllowed` and `ftpAllowed` are what the menu adds to the right and the switch.
void sending(const Session& s, Rules& r, const char* prefix, bool local, bool mailAllowed, bool ftpAllowed) {
    const Rights& R = s.User()->rights;
    bool V = s.RightsValid;
    std::string p = prefix;
    r.enable((p + "Lokalna").c_str(), local && !s.dirs.TargetDir.empty());
    r.enable((p + "Poczta").c_str(), V && s.settings.Internet && R.InterDost && mailAllowed);
    r.enable((p + "Ftp").c_str(), V && s.settings.FTP && R.FtpDost && ftpAllowed);
}

void signedIn(const Session& s, Rules& r) {
    const Rights& R = s.User()->rights;
    const bool V = s.RightsValid, S = s.GroupNumber != 0, G = s.GroupCount > 0, VSG = V && S && G;
    const bool service = s.ServiceSignIn;
    for (const char* name : {"System", "ZmianaHasla"})
        r.enable(name, true);
    r.enable("Uzytkownicy", R.Kontrup || service);
    r.show("LogAdministracja", R.Kontrup && s.EventLogKept);
    r.enable("Konfiguracja", R.Konfig);
    r.show("WyborGrupy", s.GroupCount > 1 || service);
    r.enable("WyborGrupy", s.GroupCount > 1 || service);
    r.enable("Edycja", VSG && (R.EdycjaZbior || R.MozePremie || R.MozeUrlopy));
    // Cards, vacations and sick leaves are edited only while the staff check passes.
    for (const char* name : {"EdycjaKart", "Uzupelnij"})
        r.enable(name, VSG && R.EdycjaZbior && s.StaffCheckOk);
    for (const char* name : {"Nadpracowania", "Katalog"})
        r.enable(name, VSG && R.EdycjaZbior);
    r.enable("Miesiac", VSG && (R.EdycjaZbior || R.MozeUrlopy));
    for (const char* name : {"EdycjaUrlopow", "EdycjaZwolnien"})
        r.enable(name, VSG && R.MozeUrlopy && s.StaffCheckOk);
    for (const char* name : {"UrlopyIZwolnienia", "DrukUrlopow", "DrukZwolnien"})
        r.enable(name, VSG && R.MozeUrlopy);
    for (const char* name : {"PrzegladUrlopow", "PrzegladZwolnien", "OtwarcieUrlopow"})
        r.enable(name, V && G && R.MozeUrlopy);
    r.show("DrukStanUrlopow", VSG && R.MozeUrlopy && s.settings.KontrolowacUrlopy);
    for (const char* name : {"PremieEdycja", "PremieZamknijOtworz"})
        r.enable(name, VSG && R.MozePremie && s.settings.Premia);
    for (const char* name : {"PremiePrzeglad", "PremieWydruk"})
        r.enable(name, VSG && R.MozePremie);
    sending(s, r, "PremieWysylka", VSG && R.DoCentr, R.MozePremie, R.MozePremie);
    bool bonusSending = r.enabled("PremieWysylkaLokalna") || r.enabled("PremieWysylkaPoczta") ||
                        r.enabled("PremieWysylkaFtp");
    r.enable("PremieWysylka", bonusSending);
    r.enable("Premie", bonusSending || r.enabled("PremieEdycja") || r.enabled("PremiePrzeglad"));
    r.enable("Wysylka", VSG && R.DoCentr);
    sending(s, r, "Wysylka", true, true, G);
    r.enable("NadprWysylka", V && R.DoCentr);
    sending(s, r, "NadprWysylka", true, true, true);
    for (const char* name : {"Przeglad", "Wydruki"})
        r.enable(name, S && G);
    bool fetch = V && G && R.Centrala && !s.dirs.ImportDir.empty() && (s.GroupCount <= 1 || S);
    for (const char* name : {"KopiowanieZbiorow", "PobranieZbiorow"})
        r.enable(name, fetch || (service && V));
    r.enable("PobranieLokalna", fetch && !s.dirs.HqFilesDir.empty());
    r.enable("PobraniePoczta", V && s.settings.Internet && R.InterDost);
    r.enable("PobranieFtp", V && s.settings.FTP && R.FtpDost);
    r.enable("PobraniePlik", fetch && !s.dirs.DataRoot.empty());
    r.enable("WczytanieZbiorow", V && G && R.Centrala && !s.dirs.ImportDir.empty() &&
                                     existsNoCase(s.dirs.ImportDir, "grupy.dbf"));
    r.enable("OtwarcieRoku", V && R.OtworzRok);
    r.enable("Aktualizacja", V && R.Aktualizacja && s.settings.MoznaAkt);
    r.enable("Renowacja", false);
    bool amounts = V && R.EdycjaKwotBox && s.SelectedYear > 2007 && s.settings.EdycjaKwot;
    for (const char* name : {"EdycjaKwot", "PrzegladKwot", "DrukKwot"})
        r.show(name, amounts);
}

} // namespace

MenuState UserMenuRules::Evaluate(const Session& session) {
    MenuState m = StartMenuRules::Evaluate(session);
    Rules rules(m);
    if (session.SignedIn())
        signedIn(session, rules);
    else
        signedOut(session, rules);
    return m;
}

} // namespace ewidor
