#pragma once
// Values fixed for one installation, read from the [Instalacja] section of Konfig at
// start and held by the session. The configuration dialog does not edit them: a
// site's administrator sets them once in the file.
#include "IniFile.h"

#include <string>

namespace ewidor {

struct InstallationParams {
    std::string Wlasciciel;              // owner name shown on the main window and in reports
    int DzienRozliczenia = 1;            // settlement day of the month, 1..28
    int TrybNadgodzinAwaryjnych = 0;     // emergency-overtime mode
    bool StaleOddzialy = false;          // departments are fixed per employee
    int CyfryNumeruPracownika = 0;       // digits of an employee number, 0 = not fixed
    int CyfryNumeruZlecenia = 6;         // digits of an order number, 1..6
    bool PremieProcentowo = false;       // bonuses as percentages instead of amounts

    static constexpr const char* kSection = "Instalacja";

    // Reads the section; values outside their range take the default.
    void Read(const IniFile& ini);
    void Write(IniFile& ini) const;
};

} // namespace ewidor
