#pragma once
// The settings record: every key of the shared configuration file Konfig with its
// default, read once at start. Members are named after their keys; before any file
// is read every member holds its default, so the configuration dialog shows these
// values on an installation without Konfig.
#include "IniFile.h"

#include <string>

namespace ewidor {

struct Settings {
    // [Katalogi]
    std::string BazySystemuEwidor, ZbioryCentrali, BazyDocelowe;
    bool KwiecienKoncemRoku = true;
    // [Internet]
    bool Internet = false;
    std::string EMailSkrzynki, SerwerPocztyWychodzacej, SerwerPocztyPrzychodzacej;
    int PortSMTP = 25, PortPOP3 = 110, TimeOutSMTP = 4000, TimeOutPOP3 = 5000;
    bool SMTPSSL = false, SMTPAutoryzacja = true, POP3SSL = false;
    // [Lokalne]
    bool Barborka = false, Premia = true, UrlopyDoRozdzielnika = false,
         ZwolnieniaDoRozdzielnika = false, ZapisWMinutach = true, ProcentChorobowego = false,
         JestMacierzysteZlecenie = false, SprawdzacHarmonogramy = true, JestDodatek50 = false,
         MoznaEdytowacSetki = false, KontrolowacUrlopy = true, BlokadaPonad120 = true,
         EwidencjaNadpracowanych = true, SobotySwiateczne = false,
         DodatekSwDodatkoweDniWolne = false, ForsowanieHasla = false;
    int IleDniHasla = 0;
    bool EdycjaKwot = false;
    // [FTP]
    bool FTP = false;
    std::string Serwer, User, Katalog;
    int PortFTP = 21, TimeOutFTP = 5000;
    bool PassiveMode = true, PROXY = false;
    std::string SerwerPROXY;
    int PortPROXY = 8080;
    std::string UserPROXY, HasPROXY;
    int TypPROXY = 0;
    // [Aktualizacja]
    bool MoznaAkt = false;
    std::string SerwerAkt, UserAkt, KatalogAkt;
    int PortAkt = 21, TimeOutAkt = 5000;
    bool PassiveModeAkt = true, PROXYAkt = false;
    std::string SerwerPROXYAkt, UserPROXYAkt, HasPROXYAkt;
    int PortPROXYAkt = 8080, TypPROXYAkt = 0;

    // Every key from `ini`; a missing key takes its default. A proxy method outside
    // 0..5 reads as 0 with the proxy off.
    void Read(const IniFile& ini);
    // Every key into `ini`, booleans as 0 and 1; other lines of the file are kept.
    void Write(IniFile& ini) const;

    // The part of the mailbox address before "@".
    std::string MailboxUser() const;
};

} // namespace ewidor
