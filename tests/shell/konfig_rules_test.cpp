// The rules of the configuration dialog: the checks of saving with their messages
// and fields, what Konfig holds afterwards (read back by an independent reader),
// the automatic changes, the directory questions and the session's update.
#include "KonfigRules.h"
#include "KonfigSite.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace ewidor;
using namespace konfigtest;
namespace fs = std::filesystem;

namespace {

using Msg = std::pair<std::string, std::string>;

std::vector<Msg> shown(const ScriptedPrompter& p) {
    std::vector<Msg> out;
    for (const auto& e : p.messages())
        out.emplace_back(e.title, e.text);
    return out;
}

struct Rules {
    KonfigSite site;
    KonfigRules rules{site.session(), site.prompter()};
    explicit Rules(bool updater = false) : site(updater) { rules.Open(); }
    // Every switch on and every field filled as a valid form.
    void allOn() {
        Settings& v = rules.Values();
        v.Internet = v.FTP = v.PROXY = v.MoznaAkt = v.PROXYAkt = true;
        v.SerwerAkt = "ftp.centrala";
        v.UserAkt = "aktualizacje";
        v.SerwerPROXYAkt = "proxy.lan";
        v.UserPROXYAkt = "posrednik";
        rules.MarkChanged();
    }
};

const char* const kPortSmtp = "Błędnie określony port SMTP  !";

} // namespace

struct FieldCase {
    const char* control;
    const char* text;
    const char* message; // empty: accepted
    KonfigPage page;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.control << "=\"" << c.text << "\"";
}

class KonfigFieldCheck : public testing::TestWithParam<FieldCase> {};

TEST_P(KonfigFieldCheck, RefusesWithItsMessageOrSaves) {
    const FieldCase& c = GetParam();
    Rules r(true);
    r.allOn();
    r.rules.Number(c.control) = c.text;
    auto outcome = r.rules.Save(nullptr);
    if (std::string(c.message).empty()) {
        EXPECT_EQ(outcome, KonfigRules::Outcome::Saved) << shown(r.site.prompter()).front().second;
        EXPECT_TRUE(shown(r.site.prompter()).empty());
        return;
    }
    EXPECT_EQ(outcome, KonfigRules::Outcome::Refused);
    EXPECT_EQ(shown(r.site.prompter()), (std::vector<Msg>{{"Błąd !", c.message}}));
    ASSERT_TRUE(r.rules.LastFailure());
    EXPECT_EQ(r.rules.LastFailure()->control, c.control);
    EXPECT_EQ(r.rules.LastFailure()->page, c.page);
    EXPECT_EQ(r.site.read()["Lokalne"]["IleDniHasla"], "30") << "a refused save writes nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, KonfigFieldCheck,
    testing::Values(
        FieldCase{"EdPortSMTP", "65500", kPortSmtp, KonfigPage::Poczta},
        FieldCase{"EdPortSMTP", "65499", "", KonfigPage::Poczta},
        FieldCase{"EdPortSMTP", "-1", kPortSmtp, KonfigPage::Poczta},
        FieldCase{"EdPortSMTP", "0", "", KonfigPage::Poczta},
        FieldCase{"EdTimeOutSMTP", "4a", "Błędnie określony TimeOut SMTP  !", KonfigPage::Poczta},
        FieldCase{"EdPortPOP3", "", "Błędnie określony port POP3  !", KonfigPage::Poczta},
        FieldCase{"EdTimeOutPOP3", "4 000", "Błędnie określony TimeOut POP3  !",
                  KonfigPage::Poczta},
        FieldCase{"EdPortFtp", "65500", "Błędnie określony port FTP  !", KonfigPage::Ftp},
        FieldCase{"EdTimeOutFTP", "4a", "Błędnie określony TimeOut FTP  !", KonfigPage::Ftp},
        FieldCase{"EdPortPROXY", "x", "Błędnie określony port PROXY  !", KonfigPage::Ftp},
        FieldCase{"EdPortFtpAkt", "65500", "Błędnie określony port FTP  !",
                  KonfigPage::Aktualizacja},
        FieldCase{"EdTimeOutFTPAkt", "4a", "Błędnie określony TimeOut FTP  !",
                  KonfigPage::Aktualizacja},
        FieldCase{
            "EdIleDni", "19",
            "Błędnie określony okres ważności hasła  !\n   Dopuszalne wartości od 20 do 100 dni.",
            KonfigPage::Lokalne},
        FieldCase{
            "EdIleDni", "101",
            "Błędnie określony okres ważności hasła  !\n   Dopuszalne wartości od 20 do 100 dni.",
            KonfigPage::Lokalne},
        FieldCase{"EdIleDni", "100", "", KonfigPage::Lokalne}));

struct TextCase {
    const char* name;
    std::function<void(Settings&)> change;
    const char* message;
    const char* control;
};

TEST(KonfigRules, EmptyTransferFieldsAreRefusedInOrder) {
    const TextCase cases[] = {
        {"server", [](Settings& v) { v.Serwer = " "; },
         "Umożliwiono korzystanie z ftp, a nie określono serwera FTP  !", "EdHostFtp"},
        {"user", [](Settings& v) { v.User.clear(); }, "Nie określono użytkownika FTP  !",
         "EdUserFtp"},
        {"proxy server", [](Settings& v) { v.SerwerPROXY.clear(); },
         "Nie określono serwera PROXY  !", "EdHostPROXY"},
        {"proxy user", [](Settings& v) { v.UserPROXY.clear(); },
         "Nie określono użytkownika PROXY  !", "EdUserPROXY"},
        {"update server", [](Settings& v) { v.SerwerAkt.clear(); },
         "Umożliwiono korzystanie z ftp, a nie określono serwera FTP  !", "EdHostFtpAkt"},
        {"update proxy user", [](Settings& v) { v.UserPROXYAkt.clear(); },
         "Nie określono użytkownika PROXY  !", "EdUserPROXYAkt"},
        // The password period is checked before the ports.
        {"first check first", [](Settings& v) { v.Serwer.clear(); }, nullptr, "EdIleDni"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        Rules r(true);
        r.allOn();
        c.change(r.rules.Values());
        if (!c.message) r.rules.Number("EdIleDni") = "5";
        EXPECT_EQ(r.rules.Save(nullptr), KonfigRules::Outcome::Refused);
        ASSERT_TRUE(r.rules.LastFailure());
        EXPECT_EQ(r.rules.LastFailure()->control, c.control);
        if (c.message) {
            EXPECT_EQ(shown(r.site.prompter()), (std::vector<Msg>{{"Błąd !", c.message}}));
        }
    }
}

TEST(KonfigRules, SwitchedOffPagesAreNotCheckedAndTheirSectionsErased) {
    Rules r;
    Settings& v = r.rules.Values();
    v.Internet = v.FTP = false;
    v.ForsowanieHasla = false;
    for (const char* control : {"EdPortSMTP", "EdTimeOutPOP3", "EdPortFtp", "EdIleDni"})
        r.rules.Number(control) = "4a";
    r.rules.MarkChanged();
    ASSERT_EQ(r.rules.Save(nullptr), KonfigRules::Outcome::Saved);
    EXPECT_TRUE(shown(r.site.prompter()).empty())
        << "no restart message without a change of directories";
    Sections konfig = r.site.read();
    EXPECT_EQ(konfig.count("Internet"), 0u);
    EXPECT_EQ(konfig.count("FTP"), 0u);
    EXPECT_EQ(konfig.count("Aktualizacja"), 0u) << "no updater, no update section";
    EXPECT_EQ(konfig["Lokalne"]["IleDniHasla"], "0");
    EXPECT_EQ(konfig["Lokalne"]["ForsowanieHasla"], "0");
    EXPECT_EQ(konfig["Instalacja"]["Wlasciciel"], "Zakład Łączności") << "other sections are kept";
    EXPECT_EQ(konfig["Katalogi"]["KwiecienKoncemRoku"], "0") << "written back unchanged";
    EXPECT_EQ(r.site.session().settings.IleDniHasla, 0);
    EXPECT_FALSE(r.site.session().settings.Internet);
}

TEST(KonfigRules, ProxyOffRemovesTheFiveProxyKeysAndEmptyTextsTheirKeys) {
    Rules r;
    Settings& v = r.rules.Values();
    v.PROXY = false;
    v.Katalog.clear();
    v.User = "Łukasz";
    r.rules.MarkChanged();
    ASSERT_EQ(r.rules.Save(nullptr), KonfigRules::Outcome::Saved);
    Sections konfig = r.site.read();
    const auto& ftp = konfig["FTP"];
    for (const char* key :
         {"SerwerPROXY", "PortPROXY", "UserPROXY", "HasPROXY", "TypPROXY", "Katalog"})
        EXPECT_EQ(ftp.count(key), 0u) << key;
    EXPECT_EQ(ftp.at("PROXY"), "0");
    EXPECT_EQ(ftp.at("Serwer"), "ftp.centrala");
    EXPECT_EQ(ftp.at("User"), "Łukasz") << "read back through cp1250";
    EXPECT_EQ(ftp.at("PortFTP"), "21");
    EXPECT_NE(testsupport::readFile(r.site.konfigPath()).find("User=\xa3ukasz\r\n"),
              std::string::npos);
    EXPECT_EQ(konfig["Internet"]["PortSMTP"], "25") << "e-mail on: every key written";
}

TEST(KonfigRules, ProxyOnKeepsItsKeys) {
    Rules r;
    r.rules.MarkChanged();
    ASSERT_EQ(r.rules.Save(nullptr), KonfigRules::Outcome::Saved);
    auto ftp = r.site.read()["FTP"];
    EXPECT_EQ(ftp["SerwerPROXY"], "proxy.lan");
    EXPECT_EQ(ftp["PortPROXY"], "3128");
    EXPECT_EQ(ftp["HasPROXY"], "tajne");
    EXPECT_EQ(ftp["TypPROXY"], "2");
}

TEST(KonfigRules, AddressFillsOnlyEmptyServers) {
    struct Case {
        const char* address;
        const char* outgoing;
        const char* incoming;
        const char* wantOutgoing;
        const char* wantIncoming;
    };
    const Case cases[] = {
        {"jan.kowalski@firma.com.pl", "", "", "firma.com.pl", "firma.com.pl"},
        {"biuro@Przyklad.pl", "", "", "smtp.Przyklad.pl", "pop3.Przyklad.pl"},
        {"biuro@przyklad.com.pl", "poczta.lan", "", "poczta.lan", "pop3.przyklad.com.pl"},
        {"bez-malpy", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        Rules r;
        Settings& v = r.rules.Values();
        v.EMailSkrzynki = c.address;
        v.SerwerPocztyWychodzacej = c.outgoing;
        v.SerwerPocztyPrzychodzacej = c.incoming;
        r.rules.AddressLeft();
        EXPECT_EQ(v.SerwerPocztyWychodzacej, c.wantOutgoing);
        EXPECT_EQ(v.SerwerPocztyPrzychodzacej, c.wantIncoming);
    }
}

TEST(KonfigRules, AddressWithoutAtIsRefusedOnlyWithMailOn) {
    Rules r;
    r.rules.Values().EMailSkrzynki = "biuro.przyklad.pl";
    r.rules.MarkChanged();
    EXPECT_EQ(r.rules.Save(nullptr), KonfigRules::Outcome::Refused);
    EXPECT_EQ(shown(r.site.prompter()),
              (std::vector<Msg>{{"Uwaga !", "Niepoprawny adres internetowy !"}}));
    EXPECT_EQ(r.rules.LastFailure()->control, "EdAdres");
    r.rules.Values().Internet = false;
    EXPECT_EQ(r.rules.Save(nullptr), KonfigRules::Outcome::Saved);
}

TEST(KonfigRules, SslBoxesAndStandardButtonsSetPorts) {
    Rules r(true);
    r.rules.SetSmtpSsl(true);
    r.rules.SetPop3Ssl(true);
    EXPECT_EQ(r.rules.Number("EdPortSMTP"), "465");
    EXPECT_EQ(r.rules.Number("EdPortPOP3"), "995");
    EXPECT_TRUE(r.rules.SaveEnabled());
    r.rules.MailStandard();
    EXPECT_EQ(r.rules.Number("EdPortSMTP"), "25");
    EXPECT_EQ(r.rules.Number("EdPortPOP3"), "110");
    EXPECT_FALSE(r.rules.Values().SMTPSSL || r.rules.Values().POP3SSL);
    for (auto [page, suffix] :
         {std::pair{KonfigPage::Ftp, ""}, {KonfigPage::Aktualizacja, "Akt"}}) {
        Settings& v = r.rules.Values();
        r.rules.Number(std::string("EdPortFtp") + suffix) = "2121";
        r.rules.Number(std::string("EdTimeOutFTP") + suffix) = "9";
        v.PassiveMode = v.PassiveModeAkt = false;
        v.PROXY = v.PROXYAkt = true;
        r.rules.FtpStandard(page);
        EXPECT_EQ(r.rules.Number(std::string("EdPortFtp") + suffix), "21");
        EXPECT_EQ(r.rules.Number(std::string("EdTimeOutFTP") + suffix), "5000");
        bool ftp = page == KonfigPage::Ftp;
        EXPECT_EQ(v.PassiveMode, ftp);
        EXPECT_EQ(v.PROXY, !ftp);
        EXPECT_EQ(v.PassiveModeAkt, !ftp);
        EXPECT_EQ(v.PROXYAkt, ftp);
    }
}

TEST(KonfigRules, ChosenDirectoriesAreTestedAndNeedARestart) {
    Rules r;
    std::string other = r.site.systemDir() + "INNE/";
    fs::create_directories(other);
    r.site.prompter().AnswerFolder(other);
    r.site.prompter().AnswerFolder(r.site.systemDir() + "BAZY_CT");
    r.rules.ChooseDirectory(KonfigDir::BazyCt);
    EXPECT_EQ(
        shown(r.site.prompter()),
        (std::vector<Msg>{
            {"Błąd !",
             other + "\n\n    To nie jest ten katalog !\nProszę wybrać właściwy katalog !"}}));
    EXPECT_EQ(r.site.prompter().entries().front().title,
              "Proszę wskazać położenie katalogu BAZY_CT");
    EXPECT_TRUE(r.rules.DirsChanged());
    r.rules.ClearHqPath(KonfigDir::ExportCt);
    EXPECT_EQ(r.rules.DirText(KonfigDir::ExportCt), "Niedostępny lokalnie");
    ASSERT_EQ(r.rules.Save(nullptr), KonfigRules::Outcome::Saved);
    EXPECT_EQ(shown(r.site.prompter()).back(),
              Msg("Uwaga - Zapisano zmiany konfiguracji !",
                  "Aby dokonane zmiany odniosły skutek należy zakończyć pracę programu i uruchomić "
                  "go ponownie !"));
    EXPECT_EQ(r.site.read()["Katalogi"].count("ZbioryCentrali"), 0u);
    EXPECT_TRUE(r.site.session().dirs.HqFilesDir.empty());
    EXPECT_FALSE(r.site.session().LanFetchEnabled);
    EXPECT_EQ(r.site.session().dirs.TargetDir, r.site.systemDir() + "BAZY_CT/");
}

TEST(KonfigRules, CancelledDataRootQuestionLeavesAnInvalidRootUndefined) {
    Rules r;
    fs::remove(r.site.dataRoot() + "Kos.dbf");
    r.site.prompter().AnswerFolder(std::nullopt);
    r.rules.MarkChanged();
    r.rules.ChooseDirectory(KonfigDir::BazyK);
    EXPECT_EQ(
        shown(r.site.prompter()),
        (std::vector<Msg>{
            {"Uwaga !",
             "Nie można zapisać takiej konfiguracji !\n\nNie określono położenia baz systemu !"}}));
    EXPECT_FALSE(r.rules.RootDefined());
    EXPECT_FALSE(r.rules.SaveEnabled());
    EXPECT_EQ(r.rules.DirText(KonfigDir::BazyK), "Nieokreślony !!!");
}

TEST(KonfigRules, DataRootFailingItsTestIsRefusedOnSave) {
    Rules r;
    r.rules.Values().BazySystemuEwidor = r.site.systemDir() + "EXPORTCT/";
    r.rules.MarkChanged();
    EXPECT_EQ(r.rules.Save(nullptr), KonfigRules::Outcome::Refused);
    EXPECT_EQ(
        shown(r.site.prompter()),
        (std::vector<Msg>{{"Błąd !", "Błędnie określona ścieżka dostępu do katalogu BAZY_K  !"}}));
    EXPECT_EQ(r.rules.LastFailure()->page, KonfigPage::Katalogi);
}

TEST(KonfigRules, FailedWriteLeavesFileAndSessionAsTheyWere) {
    Rules r;
    std::string before = testsupport::readFile(r.site.konfigPath());
    fs::create_directories(r.site.konfigPath() +
                           ".nowy/x"); // another desktop's leftover in the way
    r.rules.Values().Barborka = true;
    r.rules.MarkChanged();
    EXPECT_EQ(r.rules.Save(nullptr), KonfigRules::Outcome::NotWritten);
    EXPECT_EQ(shown(r.site.prompter()),
              (std::vector<Msg>{
                  {"Konflikt sieciowy !",
                   "    Nie zapisano dokonanych zmian !\nInny użytkownik konfiguruje system !"}}));
    EXPECT_EQ(testsupport::readFile(r.site.konfigPath()), before);
    EXPECT_FALSE(r.site.session().settings.Barborka);
}

TEST(KonfigRules, SavedSettingsReachTheSession) {
    Rules r;
    testsupport::writeFile(r.site.systemDir() + "KonfLok", "[Katalogi]\r\n");
    r.rules.Values().Barborka = true;
    r.rules.Values().EwidencjaNadpracowanych = false;
    r.rules.Number("EdPortSMTP") = "587";
    r.rules.MarkChanged();
    ASSERT_EQ(r.rules.Save(nullptr), KonfigRules::Outcome::Saved);
    const Session& s = r.site.session();
    EXPECT_TRUE(s.settings.Barborka);
    EXPECT_FALSE(s.settings.EwidencjaNadpracowanych);
    EXPECT_EQ(s.settings.PortSMTP, 587);
    EXPECT_TRUE(s.holidays.IsHoliday(std::chrono::year{2026} / std::chrono::December / 4));
    EXPECT_FALSE(fs::exists(r.site.systemDir() + "KonfLok"));
    EXPECT_EQ(r.site.read()["Lokalne"]["Barborka"], "1");
}

TEST(KonfigRules, UpdatePageOnlyWithTheUpdater) {
    for (bool updater : {false, true}) {
        SCOPED_TRACE(updater);
        Rules r(updater);
        r.allOn();
        r.rules.Values().PROXYAkt = false;
        ASSERT_EQ(r.rules.Save(nullptr), KonfigRules::Outcome::Saved);
        Sections konfig = r.site.read();
        EXPECT_EQ(konfig.count("Aktualizacja"), updater ? 1u : 0u);
        if (updater) {
            EXPECT_EQ(konfig["Aktualizacja"]["SerwerAkt"], "ftp.centrala");
            EXPECT_EQ(konfig["Aktualizacja"].count("SerwerPROXYAkt"), 0u);
        }
    }
}

TEST(KonfigRules, CancelWarnsOnlyAfterAChange) {
    Rules r;
    r.rules.Cancel();
    EXPECT_TRUE(shown(r.site.prompter()).empty());
    EXPECT_FALSE(r.rules.SaveEnabled());
    r.rules.MarkChanged();
    r.rules.Cancel();
    EXPECT_EQ(shown(r.site.prompter()),
              (std::vector<Msg>{{"Uwaga !", "Nie zapisano dokonanych zmian !"}}));
}

TEST(KonfigRules, MayOpenByRightOrUnconfiguredSite) {
    struct Case {
        InstallState state;
        bool signedIn, right, open;
    };
    const Case cases[] = {{InstallState::NotConfigured, false, false, true},
                          {InstallState::Misconfigured, false, false, true},
                          {InstallState::Configured, false, false, false},
                          {InstallState::Configured, true, false, false},
                          {InstallState::Configured, true, true, true}};
    for (const Case& c : cases) {
        Session s;
        s.State = c.state;
        UserRecord u;
        u.rights.Konfig = c.right;
        s.Users = {u};
        s.CurrentUser = c.signedIn ? 0 : -2;
        EXPECT_EQ(KonfigRules::MayOpen(s), c.open) << int(c.state) << c.signedIn << c.right;
    }
}
