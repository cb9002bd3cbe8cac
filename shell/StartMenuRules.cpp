#include "StartMenuRules.h"

namespace ewidor {

MenuState StartMenuRules::Evaluate(const Session& s) {
    MenuState m;
    if (s.State != InstallState::Configured)
        m.disabled.insert({"WyborGrupy", "Wejscie", "OtwarcieRoku", "Renowacja", "KopiowanieZbiorow"});
    if (!s.HelpEnabled) m.disabled.insert({"ZawartoscPomocy", "KorzystaniePomocy"});
    if (!s.UpdateVisible) m.hidden.insert("Aktualizacja");
    if (!s.LanSendEnabled) m.disabled.insert({"WysylkaLokalna", "PremieWysylkaLokalna"});
    if (!s.LanFetchEnabled) m.disabled.insert("PobranieLokalna");
    if (s.SelectedMonth != 1) m.hidden.insert("OtwarcieUrlopow");
    if (s.SelectedMonth != 1 || !s.settings.KwiecienKoncemRoku) m.hidden.insert("UzupelnienieZlecen");
    if (!s.settings.EwidencjaNadpracowanych) m.hidden.insert("Nadpracowania");
    if (!s.EventLogKept) m.hidden.insert("LogAdministracja");
    return m;
}

} // namespace ewidor
