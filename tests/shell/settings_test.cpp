// The configuration files: code page 1250 on disk, keys and sections kept, 0/1 booleans.
#include "IniFile.h"
#include "Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace ewidor;
namespace fs = std::filesystem;

namespace {
std::string readBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

fs::path tempFile(const std::string& name) {
    fs::path dir = fs::temp_directory_path() / ("ewidor-ini-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    return dir / name;
}
} // namespace

TEST(IniFile, KeepsLinesAndWritesCodePage1250) {
    fs::path path = tempFile("Konfig");
    std::ofstream(path, std::ios::binary) << "; komentarz\r\n[Lokalne]\r\nBarborka=1\r\nInny=x\r\n\r\n"
                                             "[Katalogi]\r\nBazySystemuEwidor = \\\\serwer\\BAZY_K\\ \r\n";
    IniFile ini = IniFile::Load(path.string());
    EXPECT_EQ(ini.GetString("katalogi", "bazysystemuewidor", ""), "\\\\serwer\\BAZY_K\\");
    ini.Set("Lokalne", "Premia", "0");
    ini.Set("Instalacja", "Wlasciciel", "Zakład Górniczy Łęczna");
    ini.Save(path.string());

    std::string bytes = readBytes(path);
    EXPECT_NE(bytes.find("Zak\xb3" "ad G\xf3rniczy \xa3\xea" "czna"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("Inny=x\r\nPremia=0\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.rfind("; komentarz\r\n", 0), 0u);
    EXPECT_EQ(IniFile::Load(path.string()).GetString("Instalacja", "Wlasciciel", ""), "Zakład Górniczy Łęczna");
}

TEST(Settings, DefaultsBeforeAnyFile) {
    Settings s;
    EXPECT_TRUE(s.KwiecienKoncemRoku);
    EXPECT_EQ(s.PortSMTP, 25);
    EXPECT_EQ(s.TimeOutPOP3, 5000);
    EXPECT_TRUE(s.SMTPAutoryzacja);
    EXPECT_FALSE(s.Barborka);
    EXPECT_TRUE(s.Premia);
    EXPECT_TRUE(s.EwidencjaNadpracowanych);
    EXPECT_EQ(s.PortPROXY, 8080);
    EXPECT_TRUE(s.PassiveModeAkt);
}

TEST(Settings, ProxyMethodOutsideRangeReadsAsZeroWithProxyOff) {
    struct Case {
        const char* typ;
        int expected;
        bool proxy;
    } cases[] = {{"7", 0, false}, {"-1", 0, false}, {"5", 5, true}, {"0", 0, true}, {"x", 0, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typ);
        Settings s;
        s.Read(IniFile::Parse(std::string("[FTP]\nPROXY=1\nTypPROXY=") + c.typ +
                              "\n[Aktualizacja]\nPROXYAkt=1\nTypPROXYAkt=" + c.typ + "\n"));
        EXPECT_EQ(s.TypPROXY, c.expected);
        EXPECT_EQ(s.PROXY, c.proxy);
        EXPECT_EQ(s.TypPROXYAkt, c.expected);
        EXPECT_EQ(s.PROXYAkt, c.proxy);
    }
}

TEST(Settings, WriteThenReadGivesTheSameValues) {
    Settings s;
    s.Barborka = true;
    s.EMailSkrzynki = "kadry@zaklad.pl";
    s.PortFTP = 2121;
    s.HasPROXY = " tajne ";
    IniFile ini;
    s.Write(ini);
    EXPECT_NE(ini.Text().find("[Lokalne]\r\nBarborka=1\r\n"), std::string::npos);
    Settings back;
    back.Read(IniFile::Parse(ini.Text()));
    EXPECT_TRUE(back.Barborka);
    EXPECT_EQ(back.PortFTP, 2121);
    EXPECT_EQ(back.MailboxUser(), "kadry");
    EXPECT_EQ(back.HasPROXY, "tajne");  // strings are trimmed on reading
}
