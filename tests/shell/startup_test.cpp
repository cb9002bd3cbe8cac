// Start-up cases with the scripted prompter and the exact messages.
#include "IniFile.h"
#include "ScriptedPrompter.h"
#include "Startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace ewidor;
using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

// A scratch site: EXE/ for the workstation, SRV/ for the file server with BAZY_K.
class Site {
public:
    Site() {
        static int serial = 0;
        root_ = fs::temp_directory_path() /
                ("ewidor-startup-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        fs::remove_all(root_);
        fs::create_directories(exe());
    }
    ~Site() { fs::remove_all(root_); }

    std::string exe() const { return (root_ / "EXE").string() + "/"; }
    std::string server() const { return (root_ / "SRV").string() + "/"; }
    std::string bazyK() const { return server() + "BAZY_K/"; }
    std::string path(const std::string& rel) const { return (root_ / rel).string(); }

    // A data root with Jedn.dbf and Kos.dbf (and GRUPY.DBF unless told otherwise).
    void makeRoot(const std::string& dir, bool grupy = true) const {
        fs::create_directories(dir);
        touch(dir + "Jedn.dbf");
        touch(dir + "Kos.dbf");
        if (grupy) touch(dir + "GRUPY.DBF");
    }
    void years(std::initializer_list<int> list) const {
        for (int y : list) fs::create_directories(bazyK() + "Rok" + std::to_string(y));
    }
    void konfig(const std::string& dir, const std::string& extra = "") const {
        write(dir + "Konfig", "[Katalogi]\r\nBazySystemuEwidor=" + bazyK() + "\r\n" + extra);
    }
    static void touch(const std::string& p) { std::ofstream(p, std::ios::binary | std::ios::app); }
    static void write(const std::string& p, const std::string& text) {
        std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
    }

private:
    fs::path root_;
};

struct Expected {
    std::string title, text;
};

struct Case {
    std::string name;
    std::function<void(const Site&, ScriptedPrompter&)> prepare;
    year_month_day today;
    bool starts;                          // false: the program stops in start-up
    std::vector<Expected> messages;       // every message, in order, including the first show
    std::function<void(const Site&, const Session&)> check;
};

const Expected kNotInitialised{" System nie zainicjowany !",
                               "Dalsza praca z systemem jest niemożliwa !\n\n"
                               "   Proszę powiadomić administratora systemu !"};
const Expected kWrongFolder{"Błąd !", "    To nie jest ten katalog !\nProszę wybrać właściwy katalog !"};
const Expected kNotConfigured{"System nieskonfigurowany !",
                              "Nie określono położenia katalogu z bazami systemu !\n\n"
                              "   Proszę skonfigurować system !"};
const Expected kMisconfigured{"System źle skonfigurowany !",
                              "Błędnie określono położenie katalogu z bazami systemu !\n\n"
                              "   Proszę skonfigurować system !"};
const Expected kKonfLokNotWritten{" Konflikt sieciowy !",
                                  "    Nie zapisano dokonanych zmian !\nInny użytkownik konfiguruje system !"};

constexpr year_month_day kToday = 2026y / December / 11d;

std::vector<Case> cases() {
    return {
        {"Konfig beside the executable never reads KonfLok",
         [](const Site& s, ScriptedPrompter&) {
             s.makeRoot(s.bazyK());
             s.years({2026});
             s.konfig(s.exe());
             Site::write(s.exe() + "KonfLok", "[Katalogi]\r\nBazySystemuEwidor=/nigdzie/BAZY_K/\r\n");
         },
         kToday, true, {},
         [](const Site& s, const Session& ses) {
             EXPECT_EQ(ses.dirs.DataRoot, s.bazyK());
             EXPECT_EQ(ses.dirs.SystemDir, s.server());
             EXPECT_EQ(ses.State, InstallState::Configured);
             EXPECT_EQ(ses.Caption, " Użytkownik nieznany.");
         }},
        {"KonfLok pointing at a valid root is taken without a question",
         [](const Site& s, ScriptedPrompter&) {
             s.makeRoot(s.bazyK());
             s.konfig(s.server());
             Site::write(s.exe() + "KonfLok", "[Katalogi]\r\nBazySystemuEwidor=" + s.bazyK() + "\r\n");
         },
         kToday, true, {},
         [](const Site& s, const Session& ses) { EXPECT_EQ(ses.dirs.DataRoot, s.bazyK()); }},
        {"A stale KonfLok asks again and is rewritten",
         [](const Site& s, ScriptedPrompter& p) {
             s.makeRoot(s.bazyK());
             s.konfig(s.server());
             Site::write(s.exe() + "KonfLok", "[Katalogi]\r\nBazySystemuEwidor=/stary/serwer/BAZY_K/\r\n");
             p.AnswerFolder(s.server() + "BAZY_K");
         },
         kToday, true, {},
         [](const Site& s, const Session& ses) {
             EXPECT_EQ(ses.dirs.SystemDir, s.server());
             EXPECT_EQ(IniFile::Load(s.exe() + "KonfLok").GetString("Katalogi", "BazySystemuEwidor", ""),
                       s.bazyK());
         }},
        {"A folder without BAZY_K in its path is refused; cancelling stops",
         [](const Site& s, ScriptedPrompter& p) {
             s.makeRoot(s.server() + "DANE/");
             p.AnswerFolder(s.server() + "DANE/");
             p.AnswerFolder(std::nullopt);
         },
         kToday, false, {kWrongFolder, kNotInitialised},
         [](const Site& s, const Session&) { EXPECT_FALSE(fs::exists(s.exe() + "KonfLok")); }},
        {"Neither file: the chosen root is written into a new KonfLok",
         [](const Site& s, ScriptedPrompter& p) {
             s.makeRoot(s.bazyK());
             s.konfig(s.server());
             p.AnswerFolder(s.server() + "BAZY_K\\");
         },
         kToday, true, {},
         [](const Site& s, const Session& ses) {
             EXPECT_EQ(ses.dirs.DataRoot, s.bazyK());
             EXPECT_TRUE(fs::exists(s.exe() + "KonfLok"));
         }},
        {"KonfLok that cannot be written: network conflict, then not configured",
         [](const Site& s, ScriptedPrompter& p) {
             s.makeRoot(s.bazyK());
             s.konfig(s.server());
             fs::remove_all(s.exe());  // the workstation's directory vanished: nothing can be written
             p.AnswerFolder(s.bazyK());
         },
         kToday, true, {kKonfLokNotWritten, kNotConfigured},
         [](const Site&, const Session& ses) {
             EXPECT_EQ(ses.dirs.SystemDir, "");
             EXPECT_EQ(ses.State, InstallState::NotConfigured);
             EXPECT_FALSE(ses.HelpEnabled);
         }},
        {"Konfig without a data root: not configured",
         [](const Site& s, ScriptedPrompter&) { Site::write(s.exe() + "Konfig", "[Lokalne]\r\nBarborka=1\r\n"); },
         kToday, true, {kNotConfigured},
         [](const Site&, const Session& ses) {
             EXPECT_TRUE(ses.Years.empty());
             EXPECT_EQ(ses.holidays.entries()[6], (DayMonth{4, 12}));
         }},
        {"A data root without Grupy.dbf: misconfigured",
         [](const Site& s, ScriptedPrompter&) {
             s.makeRoot(s.bazyK(), false);
             s.konfig(s.exe());
         },
         kToday, true, {kMisconfigured},
         [](const Site&, const Session& ses) { EXPECT_EQ(ses.State, InstallState::Misconfigured); }},
        {"TypPROXY 7 reads as method 0 with the proxy off",
         [](const Site& s, ScriptedPrompter&) {
             s.makeRoot(s.bazyK());
             s.konfig(s.exe(), "[FTP]\r\nPROXY=1\r\nTypPROXY=7\r\n");
         },
         kToday, true, {},
         [](const Site&, const Session& ses) {
             EXPECT_EQ(ses.settings.TypPROXY, 0);
             EXPECT_FALSE(ses.settings.PROXY);
         }},
        {"Years 1999, 2003 and 2005 list 2003 and 2005",
         [](const Site& s, ScriptedPrompter&) {
             s.makeRoot(s.bazyK());
             s.years({1999, 2003, 2005});
             s.konfig(s.exe());
         },
         year_month_day{2005y / June / 20d}, true, {},
         [](const Site&, const Session& ses) {
             EXPECT_EQ(ses.Years, (std::vector<int>{2003, 2005}));
             EXPECT_EQ(ses.LastYear, 2005);
             EXPECT_TRUE(ses.YearListEnabled);
             EXPECT_EQ(ses.PreselectedYear, 2005);
             EXPECT_EQ(ses.SelectedYear, 2005);
         }},
        {"A year not listed leaves the year list without a selection",
         [](const Site& s, ScriptedPrompter&) {
             s.makeRoot(s.bazyK());
             s.years({2003, 2005});
             s.konfig(s.exe());
         },
         kToday, true, {},
         [](const Site&, const Session& ses) {
             EXPECT_FALSE(ses.PreselectedYear.has_value());
             EXPECT_EQ(ses.SelectedYear, 0);
         }},
        {"A single year is selected whatever the date, the list disabled",
         [](const Site& s, ScriptedPrompter&) {
             s.makeRoot(s.bazyK());
             s.years({2003});
             s.konfig(s.exe());
         },
         kToday, true, {},
         [](const Site& s, const Session& ses) {
             EXPECT_FALSE(ses.YearListEnabled);
             EXPECT_EQ(ses.PreselectedYear, 2003);
             EXPECT_EQ(ses.YearDir, s.bazyK() + "Rok2003/");
         }},
        {"Settlement day 5 on 3 January 2007 preselects 2006 and January",
         [](const Site& s, ScriptedPrompter&) {
             s.makeRoot(s.bazyK());
             s.years({2006, 2007});
             s.konfig(s.exe(), "[Instalacja]\r\nDzienRozliczenia=5\r\n");
         },
         year_month_day{2007y / January / 3d}, true, {},
         [](const Site&, const Session& ses) {
             EXPECT_EQ(ses.PreselectedYear, 2006);
             EXPECT_EQ(ses.SelectedMonth, 1);
         }},
        {"Settlement day 5 on 6 January 2007 preselects 2007 and January",
         [](const Site& s, ScriptedPrompter&) {
             s.makeRoot(s.bazyK());
             s.years({2006, 2007});
             s.konfig(s.exe(), "[Instalacja]\r\nDzienRozliczenia=5\r\n");
         },
         year_month_day{2007y / January / 6d}, true, {},
         [](const Site&, const Session& ses) {
             EXPECT_EQ(ses.PreselectedYear, 2007);
             EXPECT_EQ(ses.SelectedMonth, 1);
         }},
        {"January of a year without its directory falls back to the highest year",
         [](const Site& s, ScriptedPrompter&) {
             s.makeRoot(s.bazyK());
             s.years({2005, 2006});
             s.konfig(s.exe());
         },
         year_month_day{2007y / January / 20d}, true, {},
         [](const Site&, const Session& ses) { EXPECT_EQ(ses.PreselectedYear, 2006); }},
        {"Directories: IMPORT beside BAZY_K, missing headquarters paths emptied, event log",
         [](const Site& s, ScriptedPrompter&) {
             s.makeRoot(s.bazyK());
             fs::create_directories(s.server() + "IMPORT");
             fs::create_directories(s.server() + "EXPORTCT");
             Site::touch(s.bazyK() + "Log.vq");
             Site::touch(s.server() + "UpdKarVQ.EXE");
             s.konfig(s.exe(), "ZbioryCentrali=" + s.server() + "EXPORTCT\r\nBazyDocelowe=/brak/BAZY_CT\r\n");
         },
         kToday, true, {},
         [](const Site& s, const Session& ses) {
             EXPECT_EQ(ses.dirs.ImportDir, s.server() + "IMPORT/");
             EXPECT_EQ(ses.dirs.InterDir, s.server() + "INTER/");
             EXPECT_EQ(ses.dirs.HqFilesDir, s.server() + "EXPORTCT/");
             EXPECT_EQ(ses.dirs.TargetDir, "");
             EXPECT_FALSE(ses.LanSendEnabled);
             EXPECT_TRUE(ses.LanFetchEnabled);
             EXPECT_TRUE(ses.EventLogKept);
             EXPECT_TRUE(ses.UpdateVisible);
             EXPECT_EQ(ses.dirs.HelpFile, s.server() + "Ewidor.hlp");
         }},
    };
}

} // namespace

TEST(Startup, Cases) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        Site site;
        ScriptedPrompter prompter;
        c.prepare(site, prompter);
        Session session;
        Startup startup(session, prompter);
        TDane data;
        bool started = startup.CreateMainWindowState(site.exe(), c.today);
        EXPECT_EQ(started, c.starts);
        if (started) startup.FirstShow(data, c.today);
        auto shown = prompter.messages();
        ASSERT_EQ(shown.size(), c.messages.size());
        for (size_t i = 0; i < shown.size(); ++i) {
            EXPECT_EQ(shown[i].title, c.messages[i].title);
            EXPECT_EQ(shown[i].text, c.messages[i].text);
        }
        EXPECT_EQ(prompter.pendingAnswers(), 0u);
        c.check(site, session);
    }
}

TEST(Startup, IsDataRootNeedsBazyKInThePathAndBothTables) {
    Site site;
    site.makeRoot(site.bazyK());
    site.makeRoot(site.server() + "DANE/");
    fs::create_directories(site.server() + "bazy_k_stare/BAZY_K/");
    Site::touch(site.server() + "bazy_k_stare/BAZY_K/Jedn.dbf");
    EXPECT_TRUE(Startup::IsDataRoot(site.bazyK()));
    site.makeRoot(site.server() + "male/bazy_k/");
    EXPECT_TRUE(Startup::IsDataRoot(site.server() + "male/bazy_k/"));  // upper-cased before the test
    EXPECT_FALSE(Startup::IsDataRoot(site.server() + "DANE/"));
    EXPECT_FALSE(Startup::IsDataRoot(site.server() + "bazy_k_stare/BAZY_K/"));  // no Kos.dbf
    EXPECT_FALSE(Startup::IsDataRoot(site.server() + "BAZY_K"));  // not a directory path
}
