#include "Settings.h"

#include <variant>

namespace ewidor {
namespace {

using Member = std::variant<std::string Settings::*, int Settings::*, bool Settings::*>;

struct Key {
    const char* section;
    const char* name;
    Member member;
};

// Names the key after its member, so the two cannot drift apart.
#define EWIDOR_KEY(section, name) Key{section, #name, &Settings::name}

const Key kKeys[] = {
    EWIDOR_KEY("Katalogi", BazySystemuEwidor), EWIDOR_KEY("Katalogi", ZbioryCentrali),
    EWIDOR_KEY("Katalogi", BazyDocelowe), EWIDOR_KEY("Katalogi", KwiecienKoncemRoku),

    EWIDOR_KEY("Internet", Internet), EWIDOR_KEY("Internet", EMailSkrzynki),
    EWIDOR_KEY("Internet", SerwerPocztyWychodzacej), EWIDOR_KEY("Internet", SerwerPocztyPrzychodzacej),
    EWIDOR_KEY("Internet", PortSMTP), EWIDOR_KEY("Internet", PortPOP3),
    EWIDOR_KEY("Internet", TimeOutSMTP), EWIDOR_KEY("Internet", TimeOutPOP3),
    EWIDOR_KEY("Internet", SMTPSSL), EWIDOR_KEY("Internet", SMTPAutoryzacja),
    EWIDOR_KEY("Internet", POP3SSL),

    EWIDOR_KEY("Lokalne", Barborka), EWIDOR_KEY("Lokalne", Premia),
    EWIDOR_KEY("Lokalne", UrlopyDoRozdzielnika), EWIDOR_KEY("Lokalne", ZwolnieniaDoRozdzielnika),
    EWIDOR_KEY("Lokalne", ZapisWMinutach), EWIDOR_KEY("Lokalne", ProcentChorobowego),
    EWIDOR_KEY("Lokalne", JestMacierzysteZlecenie), EWIDOR_KEY("Lokalne", SprawdzacHarmonogramy),
    EWIDOR_KEY("Lokalne", JestDodatek50), EWIDOR_KEY("Lokalne", MoznaEdytowacSetki),
    EWIDOR_KEY("Lokalne", KontrolowacUrlopy), EWIDOR_KEY("Lokalne", BlokadaPonad120),
    EWIDOR_KEY("Lokalne", EwidencjaNadpracowanych), EWIDOR_KEY("Lokalne", SobotySwiateczne),
    EWIDOR_KEY("Lokalne", DodatekSwDodatkoweDniWolne), EWIDOR_KEY("Lokalne", ForsowanieHasla),
    EWIDOR_KEY("Lokalne", IleDniHasla), EWIDOR_KEY("Lokalne", EdycjaKwot),

    EWIDOR_KEY("FTP", FTP), EWIDOR_KEY("FTP", Serwer), EWIDOR_KEY("FTP", User),
    EWIDOR_KEY("FTP", Katalog), EWIDOR_KEY("FTP", PortFTP), EWIDOR_KEY("FTP", TimeOutFTP),
    EWIDOR_KEY("FTP", PassiveMode), EWIDOR_KEY("FTP", PROXY), EWIDOR_KEY("FTP", SerwerPROXY),
    EWIDOR_KEY("FTP", PortPROXY), EWIDOR_KEY("FTP", UserPROXY), EWIDOR_KEY("FTP", HasPROXY),
    EWIDOR_KEY("FTP", TypPROXY),

    EWIDOR_KEY("Aktualizacja", MoznaAkt), EWIDOR_KEY("Aktualizacja", SerwerAkt),
    EWIDOR_KEY("Aktualizacja", UserAkt), EWIDOR_KEY("Aktualizacja", KatalogAkt),
    EWIDOR_KEY("Aktualizacja", PortAkt), EWIDOR_KEY("Aktualizacja", TimeOutAkt),
    EWIDOR_KEY("Aktualizacja", PassiveModeAkt), EWIDOR_KEY("Aktualizacja", PROXYAkt),
    EWIDOR_KEY("Aktualizacja", SerwerPROXYAkt), EWIDOR_KEY("Aktualizacja", UserPROXYAkt),
    EWIDOR_KEY("Aktualizacja", HasPROXYAkt), EWIDOR_KEY("Aktualizacja", PortPROXYAkt),
    EWIDOR_KEY("Aktualizacja", TypPROXYAkt),
};

#undef EWIDOR_KEY

void checkProxy(int& method, bool& on) {
    if (method < 0 || method > 5) {
        method = 0;
        on = false;
    }
}

} // namespace

void Settings::Read(const IniFile& ini) {
    *this = Settings{};
    for (const Key& k : kKeys) {
        std::visit(
            [&](auto member) {
                using T = std::decay_t<decltype(this->*member)>;
                if constexpr (std::is_same_v<T, std::string>)
                    this->*member = ini.GetString(k.section, k.name, this->*member);
                else if constexpr (std::is_same_v<T, int>)
                    this->*member = ini.GetInt(k.section, k.name, this->*member);
                else
                    this->*member = ini.GetBool(k.section, k.name, this->*member);
            },
            k.member);
    }
    checkProxy(TypPROXY, PROXY);
    checkProxy(TypPROXYAkt, PROXYAkt);
}

void Settings::Write(IniFile& ini) const {
    for (const Key& k : kKeys) {
        std::visit(
            [&](auto member) {
                using T = std::decay_t<decltype(this->*member)>;
                if constexpr (std::is_same_v<T, std::string>)
                    ini.Set(k.section, k.name, this->*member);
                else if constexpr (std::is_same_v<T, int>)
                    ini.SetInt(k.section, k.name, this->*member);
                else
                    ini.SetBool(k.section, k.name, this->*member);
            },
            k.member);
    }
}

std::string Settings::MailboxUser() const { return EMailSkrzynki.substr(0, EMailSkrzynki.find('@')); }

} // namespace ewidor
