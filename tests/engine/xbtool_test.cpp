// xbtool as scripts use it: its output forms and exit statuses.
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

int xbtool(const std::string& args, std::string* out = nullptr) {
    return runCommand(std::string(XBTOOL) + " " + args + " 2>&1", out);
}

} // namespace

TEST(Xbtool, CreateImportDumpInfoAndCheck) {
    TempDir dir;
    std::string t = shellQuote(dir.file("LOG.DBF"));
    std::string out;
    ASSERT_EQ(xbtool("create " + t + " 'Dnia,Date;Czas,Character,5;Uzytkownik,Character,25;ID_ZD,Numeric,5,1;OK,Logical;'", &out), 0) << out;
    const std::string csv =
        "DNIA,CZAS,UZYTKOWNIK,ID_ZD,OK\r\n"
        "2026-12-04,08:15,\"Kowalski, \"\"Żbik\"\"\",1.5,T\r\n"
        ",,\"dwie\r\nlinie\",,\r\n";
    writeFile(dir.file("in.csv"), csv);
    ASSERT_EQ(xbtool("import " + t + " < " + shellQuote(dir.file("in.csv")), &out), 0) << out;
    ASSERT_EQ(xbtool("dump " + t, &out), 0);
    EXPECT_EQ(out, csv);
    ASSERT_EQ(xbtool("info " + t, &out), 0);
    EXPECT_NE(out.find("version: 0x03"), std::string::npos);
    EXPECT_NE(out.find("codepage: 852"), std::string::npos);
    EXPECT_NE(out.find("records: 2"), std::string::npos);
    EXPECT_NE(out.find("UZYTKOWNIK C 25 0\nID_ZD N 5 1\n"), std::string::npos);
    EXPECT_EQ(xbtool("check " + t, &out), 0) << out;

    // A bad line imports nothing; an unknown column is an error.
    writeFile(dir.file("bad.csv"), "DNIA,ID_ZD\r\n2026-01-01,1\r\n2026-02-30,2\r\n");
    EXPECT_EQ(xbtool("import " + t + " < " + shellQuote(dir.file("bad.csv")), &out), 2);
    EXPECT_NE(out.find("Wiersz 3"), std::string::npos) << out;
    writeFile(dir.file("bad.csv"), "NIEMA\r\nx\r\n");
    EXPECT_EQ(xbtool("import " + t + " < " + shellQuote(dir.file("bad.csv")), &out), 2);
    writeFile(dir.file("bad.csv"), "ID_ZD\r\n123456\r\n");
    EXPECT_EQ(xbtool("import " + t + " < " + shellQuote(dir.file("bad.csv")), &out), 2);
    ASSERT_EQ(xbtool("dump " + t + " --deleted", &out), 0);
    EXPECT_EQ(out.substr(0, out.find("\r\n")), "DNIA,CZAS,UZYTKOWNIK,ID_ZD,OK,_DELETED");
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 4);  // header, two records (one spans two lines)
}

TEST(Xbtool, CodePageOptionAndErrors) {
    TempDir dir;
    std::string t = shellQuote(dir.file("MAPA.DBF"));
    std::string out;
    ASSERT_EQ(xbtool("create " + t + " 'ST_KOSZT,Character,10;' --codepage 1250", &out), 0);
    writeFile(dir.file("in.csv"), "ST_KOSZT\nŻółw\n");
    ASSERT_EQ(xbtool("import " + t + " < " + shellQuote(dir.file("in.csv")), &out), 0) << out;
    ASSERT_EQ(xbtool("info " + t, &out), 0);
    EXPECT_NE(out.find("codepage: 1250 (language driver 0xC8)"), std::string::npos) << out;
    ASSERT_EQ(xbtool("dump " + t, &out), 0);
    EXPECT_EQ(out, "ST_KOSZT\r\nŻółw\r\n");
    ASSERT_EQ(xbtool("dump " + t + " --codepage 852", &out), 0);
    EXPECT_NE(out, "ST_KOSZT\r\nŻółw\r\n");

    EXPECT_EQ(xbtool("dump " + shellQuote(dir.file("NONE.DBF")), &out), 2);
    EXPECT_NE(out.find("NONE.DBF"), std::string::npos);
    EXPECT_EQ(xbtool("create " + shellQuote(dir.file("X.DBF")) + " 'A,Text,5;'", &out), 2);
    EXPECT_EQ(xbtool("frobnicate " + t, &out), 2);
    EXPECT_EQ(xbtool("info " + t + " --codepage 437", &out), 2);
}

TEST(Xbtool, CheckReportsDamage) {
    TempDir dir;
    std::string path = dir.file("T.DBF");
    std::string out;
    ASSERT_EQ(xbtool("create " + shellQuote(path) + " 'NR,Numeric,4,0;D,Date;'", &out), 0);
    writeFile(dir.file("in.csv"), "NR,D\n1,2026-01-01\n2,2026-01-02\n");
    ASSERT_EQ(xbtool("import " + shellQuote(path) + " < " + shellQuote(dir.file("in.csv")), &out), 0);
    std::string good = readFile(path);
    size_t firstRecord = 32 + 2 * 32 + 1;

    std::string badDate = good;
    badDate.replace(firstRecord + 1 + 4, 8, "20261399");
    writeFile(path, badDate);
    EXPECT_EQ(xbtool("check " + shellQuote(path), &out), 1);
    EXPECT_NE(out.find("rekord 1, pole D: niepoprawna data"), std::string::npos) << out;

    writeFile(path, good.substr(0, good.size() - 5));
    EXPECT_EQ(xbtool("check " + shellQuote(path), &out), 1);
    EXPECT_NE(out.find("obcięty"), std::string::npos) << out;

    std::string badFlag = good;
    badFlag[firstRecord] = 'X';
    writeFile(path, badFlag);
    EXPECT_EQ(xbtool("check " + shellQuote(path), &out), 1);
    EXPECT_NE(out.find("znacznik"), std::string::npos) << out;
}
