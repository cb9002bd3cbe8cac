#include "KonfigRules.h"

#include "CodePage.h"
#include "Field.h"
#include "IniFile.h"
#include "Paths.h"
#include "Startup.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <functional>
#include <stdexcept>

namespace ewidor {
namespace {

constexpr const char* kError = "Błąd !";
constexpr const char* kWarning = "Uwaga !";

// The text keys of the dialog: an empty one is removed from Konfig.
const std::vector<std::pair<const char*, const char*>> kTextKeys = {
    {"Katalogi", "BazySystemuEwidor"},
    {"Katalogi", "ZbioryCentrali"},
    {"Katalogi", "BazyDocelowe"},
    {"Internet", "EMailSkrzynki"},
    {"Internet", "SerwerPocztyWychodzacej"},
    {"Internet", "SerwerPocztyPrzychodzacej"},
    {"FTP", "Serwer"},
    {"FTP", "User"},
    {"FTP", "Katalog"},
    {"FTP", "SerwerPROXY"},
    {"FTP", "UserPROXY"},
    {"FTP", "HasPROXY"},
    {"Aktualizacja", "SerwerAkt"},
    {"Aktualizacja", "UserAkt"},
    {"Aktualizacja", "KatalogAkt"},
    {"Aktualizacja", "SerwerPROXYAkt"},
    {"Aktualizacja", "UserPROXYAkt"},
    {"Aktualizacja", "HasPROXYAkt"},
};

// The FTP page and the update page: the same controls and checks on their own keys.
struct Transfer {
    KonfigPage page;
    bool Settings::*on;
    std::string Settings::*server;
    std::string Settings::*user;
    bool Settings::*passive;
    bool Settings::*proxy;
    std::string Settings::*proxyServer;
    std::string Settings::*proxyUser;
    const char* suffix; // of the page's control names
};

const Transfer kFtp{KonfigPage::Ftp,        &Settings::FTP,         &Settings::Serwer,
                    &Settings::User,        &Settings::PassiveMode, &Settings::PROXY,
                    &Settings::SerwerPROXY, &Settings::UserPROXY,   ""};
const Transfer kAkt{KonfigPage::Aktualizacja,  &Settings::MoznaAkt,       &Settings::SerwerAkt,
                    &Settings::UserAkt,        &Settings::PassiveModeAkt, &Settings::PROXYAkt,
                    &Settings::SerwerPROXYAkt, &Settings::UserPROXYAkt,   "Akt"};

const char* kindName(KonfigDir kind) {
    switch (kind) {
    case KonfigDir::BazyK:
        return "BAZY_K";
    case KonfigDir::BazyCt:
        return "BAZY_CT";
    case KonfigDir::ExportCt:
        return "EXPORTCT";
    }
    return "";
}

// A whole number, digits only, within [low, high].
bool wholeNumberIn(const std::string& text, int low, int high) {
    std::string t = trim(text);
    if (t.empty() || !std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    int value = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    return ec == std::errc() && ptr == t.data() + t.size() && value >= low && value <= high;
}

bool validPort(const std::string& text) {
    return wholeNumberIn(text, 0, 65499);
}

int numberOf(const std::string& text) {
    std::string t = trim(text);
    int value = 0;
    std::from_chars(t.data(), t.data() + t.size(), value);
    return value;
}

bool directoryPresent(const std::string& path) {
    return !path.empty() && directoryExists(asDirectory(path));
}

} // namespace

const std::vector<std::string>& KonfigRules::OwnMailDomains() {
    static const std::vector<std::string> domains = {"przyklad.pl", "przyklad.com.pl"};
    return domains;
}

const std::vector<KonfigBool>& KonfigRules::BoolControls() {
    static const std::vector<KonfigBool> controls = {
        {"JakaBarbor", &Settings::Barborka},
        {"CzyPremia", &Settings::Premia},
        {"MoznaZmienicProcent", &Settings::ProcentChorobowego},
        {"SprawdzHarm", &Settings::SprawdzacHarmonogramy},
        {"JestMacZlec", &Settings::JestMacierzysteZlecenie},
        {"UrlopyDoRK", &Settings::UrlopyDoRozdzielnika},
        {"ZwolnDoRK", &Settings::ZwolnieniaDoRozdzielnika},
        {"Dodatek50", &Settings::JestDodatek50},
        {"SetekEdycja", &Settings::MoznaEdytowacSetki},
        {"UrlopySprawdz", &Settings::KontrolowacUrlopy},
        {"Blokuj120", &Settings::BlokadaPonad120},
        {"Nadpracowane", &Settings::EwidencjaNadpracowanych},
        {"SobotaSwie", &Settings::SobotySwiateczne},
        {"DodatkiZmian", &Settings::DodatekSwDodatkoweDniWolne},
        {"ForcePass", &Settings::ForsowanieHasla},
        {"KwotEdycjaBox", &Settings::EdycjaKwot},
        {"InterDostep", &Settings::Internet},
        {"BoxSMTPSSL", &Settings::SMTPSSL},
        {"BoxAutoryzacja", &Settings::SMTPAutoryzacja},
        {"BoxPOP3SSL", &Settings::POP3SSL},
        {"Boxftp", &Settings::FTP},
        {"BoxFtpPassive", &Settings::PassiveMode},
        {"BoxFtpProxy", &Settings::PROXY},
        {"BoxAktual", &Settings::MoznaAkt},
        {"BoxFtpPassiveAkt", &Settings::PassiveModeAkt},
        {"BoxFtpProxyAkt", &Settings::PROXYAkt},
    };
    return controls;
}

const std::vector<KonfigText>& KonfigRules::TextControls() {
    static const std::vector<KonfigText> controls = {
        {"EdAdres", &Settings::EMailSkrzynki},
        {"EdWych", &Settings::SerwerPocztyWychodzacej},
        {"EdPrzych", &Settings::SerwerPocztyPrzychodzacej},
        {"EdHostFtp", &Settings::Serwer},
        {"EdkatalFtp", &Settings::Katalog},
        {"EdUserFtp", &Settings::User},
        {"EdHostPROXY", &Settings::SerwerPROXY},
        {"EdUserPROXY", &Settings::UserPROXY},
        {"EdHasloPROXY", &Settings::HasPROXY},
        {"EdHostFtpAkt", &Settings::SerwerAkt},
        {"EdkatalFtpAkt", &Settings::KatalogAkt},
        {"EdUserFtpAkt", &Settings::UserAkt},
        {"EdHostPROXYAkt", &Settings::SerwerPROXYAkt},
        {"EdUserPROXYAkt", &Settings::UserPROXYAkt},
        {"EdHasloPROXYAkt", &Settings::HasPROXYAkt},
    };
    return controls;
}

const std::vector<KonfigNumber>& KonfigRules::NumberControls() {
    static const std::vector<KonfigNumber> controls = {
        {"EdIleDni", KonfigPage::Lokalne, &Settings::IleDniHasla},
        {"EdPortSMTP", KonfigPage::Poczta, &Settings::PortSMTP},
        {"EdTimeOutSMTP", KonfigPage::Poczta, &Settings::TimeOutSMTP},
        {"EdPortPOP3", KonfigPage::Poczta, &Settings::PortPOP3},
        {"EdTimeOutPOP3", KonfigPage::Poczta, &Settings::TimeOutPOP3},
        {"EdPortFtp", KonfigPage::Ftp, &Settings::PortFTP},
        {"EdTimeOutFTP", KonfigPage::Ftp, &Settings::TimeOutFTP},
        {"EdPortPROXY", KonfigPage::Ftp, &Settings::PortPROXY},
        {"EdPortFtpAkt", KonfigPage::Aktualizacja, &Settings::PortAkt},
        {"EdTimeOutFTPAkt", KonfigPage::Aktualizacja, &Settings::TimeOutAkt},
        {"EdPortPROXYAkt", KonfigPage::Aktualizacja, &Settings::PortPROXYAkt},
    };
    return controls;
}

const std::vector<const char*>& KonfigRules::ProxyKeys(KonfigPage page) {
    static const std::vector<const char*> ftp = {"SerwerPROXY", "PortPROXY", "UserPROXY",
                                                 "HasPROXY", "TypPROXY"};
    static const std::vector<const char*> akt = {"SerwerPROXYAkt", "PortPROXYAkt", "UserPROXYAkt",
                                                 "HasPROXYAkt", "TypPROXYAkt"};
    return page == KonfigPage::Aktualizacja ? akt : ftp;
}

bool KonfigRules::MayOpen(const Session& session) {
    if (session.State != InstallState::Configured) return true;
    const UserRecord* user = session.User();
    return user && user->rights.Konfig;
}

void KonfigRules::Open() {
    values_ = session_.settings;
    numbers_.clear();
    for (const KonfigNumber& n : NumberControls())
        numbers_.emplace_back(n.control, std::to_string(values_.*n.member));
    dirsChanged_ = settingsChanged_ = false;
    rootDefined_ = FitsKind(KonfigDir::BazyK, values_.BazySystemuEwidor);
    failure_.reset();
}

std::string& KonfigRules::Number(const std::string& control) {
    return const_cast<std::string&>(static_cast<const KonfigRules*>(this)->Number(control));
}

const std::string& KonfigRules::Number(const std::string& control) const {
    for (const auto& [name, text] : numbers_)
        if (name == control) return text;
    throw std::out_of_range("Nieznane pole " + control);
}

bool KonfigRules::UpdatePagePresent() const {
    const std::string& dir = session_.dirs.SystemDir;
    return !dir.empty() && existsNoCase(dir, "UpdKarVQ.EXE");
}

std::string& KonfigRules::dirOf(KonfigDir kind) {
    return const_cast<std::string&>(static_cast<const KonfigRules*>(this)->dirOf(kind));
}

const std::string& KonfigRules::dirOf(KonfigDir kind) const {
    switch (kind) {
    case KonfigDir::BazyK:
        return values_.BazySystemuEwidor;
    case KonfigDir::BazyCt:
        return values_.BazyDocelowe;
    case KonfigDir::ExportCt:
        break;
    }
    return values_.ZbioryCentrali;
}

bool KonfigRules::DirDefined(KonfigDir kind) const {
    return kind == KonfigDir::BazyK ? rootDefined_ : !trim(dirOf(kind)).empty();
}

std::string KonfigRules::DirText(KonfigDir kind) const {
    if (DirDefined(kind)) return dirOf(kind);
    return kind == KonfigDir::BazyK ? "Nieokreślony !!!" : "Niedostępny lokalnie";
}

bool KonfigRules::FitsKind(KonfigDir kind, const std::string& path) {
    std::string dir = asDirectory(path);
    std::string marker = std::string(kindName(kind)) + kDelimiter;
    if (dir.empty() || xb::upperUtf8(dir).find(marker) == std::string::npos) return false;
    switch (kind) {
    case KonfigDir::BazyK:
        return existsNoCase(dir, "Jedn.dbf") && existsNoCase(dir, "Kos.dbf");
    case KonfigDir::BazyCt:
        return existsNoCase(dir, "Grupy.dbf");
    case KonfigDir::ExportCt:
        return true;
    }
    return false;
}

void KonfigRules::ChooseDirectory(KonfigDir kind) {
    for (;;) {
        auto chosen = prompter_.ChooseFolder(std::string("Proszę wskazać położenie katalogu ") +
                                             kindName(kind));
        if (!chosen) break;
        // No mapped drives here: the chosen folder is its own network form.
        std::string dir = asDirectory(*chosen);
        if (FitsKind(kind, dir)) {
            dirOf(kind) = dir;
            dirsChanged_ = true;
            if (kind == KonfigDir::BazyK) rootDefined_ = true;
            return;
        }
        prompter_.ShowMessage(
            kError, dir + "\n\n    To nie jest ten katalog !\nProszę wybrać właściwy katalog !");
    }
    if (kind == KonfigDir::BazyK && !FitsKind(kind, values_.BazySystemuEwidor)) {
        prompter_.ShowMessage(
            kWarning,
            "Nie można zapisać takiej konfiguracji !\n\nNie określono położenia baz systemu !");
        rootDefined_ = false;
    }
}

void KonfigRules::ClearHqPath(KonfigDir kind) {
    if (kind == KonfigDir::BazyK) return;
    std::string& path = dirOf(kind);
    if (!trim(path).empty()) dirsChanged_ = true;
    path.clear();
}

void KonfigRules::AddressLeft() {
    const std::string& address = values_.EMailSkrzynki;
    size_t at = address.find('@');
    if (at == std::string::npos) return;
    std::string domain = trim(address.substr(at + 1));
    if (domain.empty()) return;
    bool own = std::any_of(OwnMailDomains().begin(), OwnMailDomains().end(),
                           [&](const std::string& d) { return xb::equalsIgnoreCase(d, domain); });
    if (trim(values_.SerwerPocztyWychodzacej).empty())
        values_.SerwerPocztyWychodzacej = (own ? "smtp." : "") + domain;
    if (trim(values_.SerwerPocztyPrzychodzacej).empty())
        values_.SerwerPocztyPrzychodzacej = (own ? "pop3." : "") + domain;
}

void KonfigRules::SetSmtpSsl(bool on) {
    values_.SMTPSSL = on;
    Number("EdPortSMTP") = on ? "465" : "25";
    settingsChanged_ = true;
}

void KonfigRules::SetPop3Ssl(bool on) {
    values_.POP3SSL = on;
    Number("EdPortPOP3") = on ? "995" : "110";
    settingsChanged_ = true;
}

void KonfigRules::MailStandard() {
    SetSmtpSsl(false);
    SetPop3Ssl(false);
}

void KonfigRules::FtpStandard(KonfigPage page) {
    const Transfer& t = page == KonfigPage::Aktualizacja ? kAkt : kFtp;
    std::string suffix = t.suffix;
    Number("EdPortFtp" + suffix) = "21";
    Number("EdTimeOutFTP" + suffix) = "5000";
    values_.*t.passive = true;
    values_.*t.proxy = false;
    settingsChanged_ = true;
}

namespace {

// The checks of one transfer page, in the order the user reads them.
std::optional<KonfigFailure>
checkTransfer(const Settings& v, const Transfer& t,
              const std::function<std::string&(const std::string&)>& number) {
    std::string s = t.suffix;
    auto fail = [&](const char* text, const std::string& control) {
        return KonfigFailure{kError, text, t.page, control + s};
    };
    if (trim(v.*t.server).empty())
        return fail("Umożliwiono korzystanie z ftp, a nie określono serwera FTP  !", "EdHostFtp");
    if (trim(v.*t.user).empty()) return fail("Nie określono użytkownika FTP  !", "EdUserFtp");
    if (!validPort(number("EdPortFtp" + s)))
        return fail("Błędnie określony port FTP  !", "EdPortFtp");
    if (!validPort(number("EdTimeOutFTP" + s)))
        return fail("Błędnie określony TimeOut FTP  !", "EdTimeOutFTP");
    if (!(v.*t.proxy)) return std::nullopt;
    if (trim(v.*t.proxyServer).empty())
        return fail("Nie określono serwera PROXY  !", "EdHostPROXY");
    if (!validPort(number("EdPortPROXY" + s)))
        return fail("Błędnie określony port PROXY  !", "EdPortPROXY");
    if (trim(v.*t.proxyUser).empty())
        return fail("Nie określono użytkownika PROXY  !", "EdUserPROXY");
    return std::nullopt;
}

} // namespace

std::optional<KonfigFailure> KonfigRules::Check() {
    if (!values_.ForsowanieHasla)
        Number("EdIleDni") = "0";
    else if (!wholeNumberIn(Number("EdIleDni"), 20, 100))
        return KonfigFailure{
            kError,
            "Błędnie określony okres ważności hasła  !\n   Dopuszalne wartości od 20 do 100 dni.",
            KonfigPage::Lokalne, "EdIleDni"};
    if (values_.Internet) {
        const std::pair<const char*, const char*> mail[] = {
            {"EdPortSMTP", "Błędnie określony port SMTP  !"},
            {"EdTimeOutSMTP", "Błędnie określony TimeOut SMTP  !"},
            {"EdPortPOP3", "Błędnie określony port POP3  !"},
            {"EdTimeOutPOP3", "Błędnie określony TimeOut POP3  !"}};
        for (const auto& [control, text] : mail)
            if (!validPort(Number(control)))
                return KonfigFailure{kError, text, KonfigPage::Poczta, control};
    }
    auto number = [this](const std::string& control) -> std::string& { return Number(control); };
    if (values_.FTP)
        if (auto f = checkTransfer(values_, kFtp, number)) return f;
    if (UpdatePagePresent() && values_.MoznaAkt)
        if (auto f = checkTransfer(values_, kAkt, number)) return f;
    return std::nullopt;
}

KonfigRules::Outcome KonfigRules::refuse(KonfigFailure failure, WaitIndicator* wait) {
    if (wait) wait->Close();
    prompter_.ShowMessage(failure.title, failure.text);
    failure_ = std::move(failure);
    return Outcome::Refused;
}

std::string KonfigRules::KonfigDirectory() const {
    if (!session_.dirs.SystemDir.empty()) return session_.dirs.SystemDir;
    return replaceFirstNoCase(asDirectory(values_.BazySystemuEwidor),
                              std::string("BAZY_K") + kDelimiter, "");
}

Settings KonfigRules::settingsToWrite() const {
    Settings next = values_;
    for (const KonfigNumber& n : NumberControls())
        next.*n.member = numberOf(Number(n.control));
    next.KwiecienKoncemRoku = session_.settings.KwiecienKoncemRoku;
    for (std::string* path : {&next.ZbioryCentrali, &next.BazyDocelowe})
        if (!directoryPresent(*path)) path->clear();
    return next;
}

IniFile KonfigRules::writeKonfig(const Settings& next) const {
    std::string path = pathNoCase(KonfigDirectory(), "Konfig");
    IniFile ini = IniFile::Load(path);
    next.Write(ini);
    if (!next.Internet) ini.RemoveSection("Internet");
    auto transfer = [&](const char* section, bool on, bool proxy, KonfigPage page) {
        if (!on) {
            ini.RemoveSection(section);
            return;
        }
        if (!proxy)
            for (const char* key : ProxyKeys(page))
                ini.Remove(section, key);
    };
    transfer("FTP", next.FTP, next.PROXY, KonfigPage::Ftp);
    transfer("Aktualizacja", UpdatePagePresent() && next.MoznaAkt, next.PROXYAkt,
             KonfigPage::Aktualizacja);
    for (const auto& [section, key] : kTextKeys)
        if (auto v = ini.Get(section, key); v && v->empty()) ini.Remove(section, key);
    // Written beside and renamed over Konfig, so that a failed write leaves the old file whole.
    std::string fresh = path + ".nowy";
    ini.Save(fresh);
    std::error_code ec;
    std::filesystem::rename(fresh, path, ec);
    if (ec) {
        std::filesystem::remove(fresh, ec);
        throw std::runtime_error("Nie można zapisać pliku " + path);
    }
    return ini;
}

void KonfigRules::updateSession(const Settings& next, const IniFile& written) {
    // The session holds what a restart would read from the file just written.
    session_.settings.Read(written);
    Directories& d = session_.dirs;
    d.DataRoot = asDirectory(next.BazySystemuEwidor);
    d.ImportDir = replaceFirstNoCase(d.DataRoot, "BAZY_K", "IMPORT");
    d.HqFilesDir = asDirectory(next.ZbioryCentrali);
    d.TargetDir = asDirectory(next.BazyDocelowe);
    for (std::string* dir : {&d.ImportDir, &d.HqFilesDir, &d.TargetDir})
        if (!directoryExists(*dir)) dir->clear();
    session_.LanSendEnabled = !d.TargetDir.empty();
    session_.LanFetchEnabled = !d.HqFilesDir.empty();
    session_.holidays.SetBarborka(session_.settings.Barborka);
    if (auto konfLok = findNoCase(KonfigDirectory(), "KonfLok")) {
        std::error_code ec;
        std::filesystem::remove(*konfLok, ec);
    }
}

KonfigRules::Outcome KonfigRules::Save(WaitIndicator* wait) {
    failure_.reset();
    if (auto f = Check()) return refuse(std::move(*f), wait);
    if (wait) wait->Show();
    if (!Startup::IsDataRoot(asDirectory(values_.BazySystemuEwidor)))
        return refuse({kError, "Błędnie określona ścieżka dostępu do katalogu BAZY_K  !",
                       KonfigPage::Katalogi, "EtBaz"},
                      wait);
    const std::string& address = values_.EMailSkrzynki;
    if (values_.Internet && !trim(address).empty() && address.find('@') == std::string::npos)
        return refuse({kWarning, "Niepoprawny adres internetowy !", KonfigPage::Poczta, "EdAdres"},
                      wait);
    Settings next = settingsToWrite();
    IniFile written;
    try {
        written = writeKonfig(next);
    } catch (const std::exception&) {
        if (wait) wait->Close();
        prompter_.ShowMessage(
            "Konflikt sieciowy !",
            "    Nie zapisano dokonanych zmian !\nInny użytkownik konfiguruje system !");
        return Outcome::NotWritten;
    }
    updateSession(next, written);
    if (wait) wait->Close();
    if (dirsChanged_)
        prompter_.ShowMessage(
            "Uwaga - Zapisano zmiany konfiguracji !",
            "Aby dokonane zmiany odniosły skutek należy zakończyć pracę programu i uruchomić go "
            "ponownie !");
    return Outcome::Saved;
}

void KonfigRules::Cancel() {
    if (dirsChanged_ || settingsChanged_)
        prompter_.ShowMessage(kWarning, "Nie zapisano dokonanych zmian !");
}

} // namespace ewidor
