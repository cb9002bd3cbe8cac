#include "InstallationParams.h"

namespace ewidor {
namespace {
int inRange(int value, int low, int high, int def) { return value < low || value > high ? def : value; }
} // namespace

void InstallationParams::Read(const IniFile& ini) {
    const InstallationParams d;
    Wlasciciel = ini.GetString(kSection, "Wlasciciel", d.Wlasciciel);
    DzienRozliczenia = inRange(ini.GetInt(kSection, "DzienRozliczenia", d.DzienRozliczenia), 1, 28,
                               d.DzienRozliczenia);
    TrybNadgodzinAwaryjnych = ini.GetInt(kSection, "TrybNadgodzinAwaryjnych", d.TrybNadgodzinAwaryjnych);
    StaleOddzialy = ini.GetBool(kSection, "StaleOddzialy", d.StaleOddzialy);
    CyfryNumeruPracownika = inRange(ini.GetInt(kSection, "CyfryNumeruPracownika", 0), 0, 7, 0);
    CyfryNumeruZlecenia = inRange(ini.GetInt(kSection, "CyfryNumeruZlecenia", 6), 1, 6, 6);
    PremieProcentowo = ini.GetBool(kSection, "PremieProcentowo", d.PremieProcentowo);
}

void InstallationParams::Write(IniFile& ini) const {
    ini.Set(kSection, "Wlasciciel", Wlasciciel);
    ini.SetInt(kSection, "DzienRozliczenia", DzienRozliczenia);
    ini.SetInt(kSection, "TrybNadgodzinAwaryjnych", TrybNadgodzinAwaryjnych);
    ini.SetBool(kSection, "StaleOddzialy", StaleOddzialy);
    ini.SetInt(kSection, "CyfryNumeruPracownika", CyfryNumeruPracownika);
    ini.SetInt(kSection, "CyfryNumeruZlecenia", CyfryNumeruZlecenia);
    ini.SetBool(kSection, "PremieProcentowo", PremieProcentowo);
}

} // namespace ewidor
