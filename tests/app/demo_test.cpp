// `ewidor --create-demo DIR` builds a site that xbtool and an independent reader accept,
// and that start-up takes as a configured installation.
#include "ScriptedPrompter.h"
#include "Startup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace ewidor;

namespace {

struct DemoSite : ::testing::Test {
    static void SetUpTestSuite() {
        dir = fs::temp_directory_path() / ("ewidor-demo-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        status = std::system((std::string(EWIDOR_EXE) + " --create-demo " + dir.string() + " >/dev/null").c_str());
    }
    static void TearDownTestSuite() { fs::remove_all(dir); }
    static std::vector<fs::path> tables() {
        std::vector<fs::path> out;
        for (const auto& e : fs::recursive_directory_iterator(dir)) {
            std::string ext = e.path().extension().string();
            if (ext == ".dbf" || ext == ".DBF") out.push_back(e.path());
        }
        return out;
    }
    static std::string run(const std::string& command) {
        std::string out = (dir / "out.txt").string();
        int rc = std::system((command + " >" + out + " 2>&1").c_str());
        std::ifstream in(out);
        std::ostringstream s;
        s << in.rdbuf();
        return std::to_string(WEXITSTATUS(rc)) + "\n" + s.str();
    }
    static inline fs::path dir;
    static inline int status = -1;
};

} // namespace

TEST_F(DemoSite, EveryTablePassesXbtoolCheck) {
    ASSERT_EQ(status, 0);
    auto all = tables();
    EXPECT_GE(all.size(), 80u);
    for (const auto& t : all) EXPECT_EQ(run(std::string(XBTOOL_EXE) + " check " + t.string()).substr(0, 2), "0\n") << t;
    // The tagged tables carry their compound index, which check compares with the records.
    EXPECT_TRUE(fs::exists(dir / "BAZY_K" / "KOS.CDX"));
    int years = 0;
    for (const auto& e : fs::directory_iterator(dir / "BAZY_K")) {
        if (!e.is_directory()) continue;
        ++years;
        for (const char* cdx : {"MAPA.CDX", "KATZLEC.CDX", "KARTYDZ.CDX", "Urlopy.cdx"})
            EXPECT_TRUE(fs::exists(e.path() / cdx)) << e.path() << " " << cdx;
    }
    EXPECT_EQ(years, 2);
}

TEST_F(DemoSite, TheIndependentReaderReadsEveryTable) {
    ASSERT_EQ(status, 0);
    std::string script = (dir / "read.py").string();
    std::ofstream(script) << "import sys, glob, dbfread\n"
                             "for f in sorted(sys.argv[1:]):\n"
                             "    enc = 'cp1250' if f.upper().endswith('MAPA.DBF') or '/MP' in f else 'cp852'\n"
                             "    rows = list(dbfread.DBF(f, encoding=enc, char_decode_errors='strict'))\n"
                             "    print(f.split('/')[-1], len(rows), rows[0]['NAZWISKO'] if f.endswith('KOS.DBF') else '')\n";
    std::string command = "/usr/bin/python3 " + script;
    for (const auto& t : tables()) command += " " + t.string();
    std::string out = run(command);
    EXPECT_EQ(out.substr(0, 2), "0\n") << out;
    EXPECT_NE(out.find("KOS.DBF 60 Nowak"), std::string::npos) << out;
    EXPECT_NE(out.find("GRUPY.DBF 8"), std::string::npos) << out;
    EXPECT_NE(out.find("Jedn.dbf 3"), std::string::npos) << out;
    EXPECT_NE(out.find("Licznik.dbf 1"), std::string::npos) << out;
}

TEST_F(DemoSite, StartUpFindsAConfiguredSiteWithTwoYears) {
    ASSERT_EQ(status, 0);
    Session session;
    ScriptedPrompter prompter;
    Startup startup(session, prompter);
    TDane data;
    auto today = std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    ASSERT_TRUE(startup.CreateMainWindowState(dir.string(), today));
    ASSERT_TRUE(startup.CreateDataModule(data));
    startup.FirstShow(data, today);
    EXPECT_TRUE(prompter.entries().empty());
    EXPECT_EQ(session.State, InstallState::Configured);
    EXPECT_EQ(session.Years.size(), 2u);
    EXPECT_EQ(data.Grupy().size(), 8u);
    EXPECT_FALSE(session.dirs.ImportDir.empty());
    EXPECT_FALSE(session.dirs.TargetDir.empty());
    EXPECT_FALSE(session.dirs.HqFilesDir.empty());
    EXPECT_EQ(session.params.Wlasciciel, "Zakład Mechaniczny \"Przykład\" S.A.");
}

TEST_F(DemoSite, ABuiltSiteIsNotBuiltOver) {
    ASSERT_EQ(status, 0);
    std::string out = run(std::string(EWIDOR_EXE) + " --create-demo " + dir.string());
    EXPECT_EQ(out.substr(0, 2), "2\n") << out;
}

TEST(Ewidor, PrintsItsVersion) {
    std::string out = (fs::temp_directory_path() / ("ewidor-version-" + std::to_string(::getpid()))).string();
    ASSERT_EQ(std::system((std::string(EWIDOR_EXE) + " --version >" + out).c_str()), 0);
    std::ifstream in(out);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, std::string("Ewidor ver. ") + EWIDOR_VERSION);
    fs::remove(out);
}
