// The statements the system runs, on a small site whose expected rows were
// worked out by hand from the fixture's data.
#include "Error.h"
#include "sql/Query.h"
#include "EngineErrors.h"
#include "sql_fixture.h"
#include "xbtool/Commands.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace xb;
using testsupport::errorOf;

namespace {

enum class Dir { Root, Year };

struct Case {
    Dir dir;
    std::string sql;
    std::vector<std::pair<std::string, std::string>> params;
    std::string expected;  // CSV lines joined by \n
    std::string password = {};
};

std::string run(const SqlSite& site, const Case& c) {
    xbtool::Arguments a;
    a.command = "sql";
    a.table = c.dir == Dir::Root ? site.root : site.year;
    a.rest = {c.sql};
    a.params = c.params;
    a.password = c.password;
    std::ostringstream out, err;
    std::istringstream in;
    xbtool::run(a, in, out, err);
    std::string s = out.str();
    std::string lf;
    for (char ch : s)
        if (ch != '\r') lf += ch;
    return lf;
}

const std::vector<Case> kReadingStatements = {
    {Dir::Root, "SELECT K.*,RTRIM(K.Nazwisko)+' '+RTRIM(K.Imie) FROM \"KOS.DBF\" K WHERE K.JEDN=:JedNr ORDER BY K.NAZWISKO",
     {{"JedNr", "1"}},
     "NR_EW,NAZWISKO,IMIE,JEDN,EXPR\n2,Łuczak,Anna,1,Łuczak Anna\n1,Nowak,Jan,1,Nowak Jan\n4,Zając,Ewa,1,Zając Ewa\n"},
    {Dir::Root, "SELECT * FROM \"Jedn.dbf\" ORDER BY Nazwa", {}, "NUMER,NAZWA\n2,Biuro\n1,Wydział A\n"},
    {Dir::Year, "SELECT S.*, S.KOD+' - '+RTRIM(S.NAZWA)  FROM \"STAKOSZ.DBF\" S WHERE S.GRUPA_1=TRUE ORDER BY S.KOD", {},
     "KOD,NAZWA,GRUPA_1,POCZ_ROKU,EXPR\n501,Produkcja,T,F,501 - Produkcja\n502,Montaż,T,T,502 - Montaż\n"},
    {Dir::Year, "Select * FROM \"STAKOSZ.DBF\" where KOD=:ST_KOSZ AND POCZ_ROKU=TRUE", {{"ST_KOSZ", "502"}},
     "KOD,NAZWA,GRUPA_1,POCZ_ROKU\n502,Montaż,T,T\n"},
    {Dir::Year, "SELECT *  FROM \"KATZLEC.DBF\" WHERE ((JEDNOSTKA=999) OR (JEDNOSTKA=:JedNr)) AND (ID_ZL>0) ORDER BY NR_ZLEC",
     {{"JedNr", "1"}},
     "ID_ZL,NR_ZLEC,NAZWA_ZL,JEDNOSTKA,POCZ_ROKU,KONC_ROKU\n7,Z-100,Remont hali,999,T,T\n9,Z-200,Lokalne 1,1,T,F\n"
     "12,Z-300,Stara nazwa,999,T,F\n"},
    {Dir::Year, "select NR_ODDZ,NAZWA_ODDZ, NR_ODDZ+' - '+RTRIM(NAZWA_ODDZ) ,POCZ_ROKU,KONC_ROKU from \"oddzialy\" order by nr_oddz",
     {}, "NR_ODDZ,NAZWA_ODDZ,EXPR,POCZ_ROKU,KONC_ROKU\n10,Tłocznia,10 - Tłocznia,T,F\n20,Spawalnia,20 - Spawalnia,T,T\n"},
    {Dir::Year, "SELECT *  FROM \"KodyUZ.DBF\" WHERE (LENGTH(KOD)=2)  ORDER BY ZUS", {},
     "KOD,ZUS,AKTYWNY,NAZWA\nUZ,090,T,na żądanie\nUW,100,T,wypoczynkowy\n"},
    {Dir::Year, "SELECT *  FROM \"KodyUZ.DBF\" WHERE (LENGTH(KOD)=1) AND (AKTYWNY=TRUE) ORDER BY KOD", {},
     "KOD,ZUS,AKTYWNY,NAZWA\nA,313,T,opieka\nC,331,T,choroba\n"},
    {Dir::Year, "SELECT * FROM \"KARTYDZ.DBF\" WHERE (KTORA=0) AND (Numer=:NumPac) ORDER BY Z_DNIA, NAZWISKO",
     {{"NumPac", "103"}},
     "NUMER,NR_EW,NAZWISKO,Z_DNIA,KTORA,ST_KOSZT,ZL_ID,ODDZIAL,GODZ,MIN,ZL_ID1\n103,0,,,0,,0,,0,0,0\n"
     "103,2,Łuczak Anna,2026-03-02,0,501,7,10,7,30,9\n103,1,Nowak Jan,2026-03-02,0,502,9,10,8,0,0\n"
     "103,1,Nowak Jan,2026-03-03,0,501,7,10,8,0,0\n103,4,Zajac Ewa,2026-03-04,0,501,0,10,8,0,0\n"},
    {Dir::Year,
     "select * from \"nag_pacz.dbf\" where ((FLOOR(MOD(CONVERT(NUMER,SQL_INTEGER),100)/20)*100)+TRUNCATE(numer /100,0)=:NrJ)",
     {{"NrJ", "123"}}, "NUMER,STAN\n2323,O\n"},
    {Dir::Year,
     "select * from \"nag_pacz.dbf\" where ((FLOOR(MOD(CONVERT(NUMER,SQL_INTEGER),100)/20)*100)+TRUNCATE(numer /100,0)=:NrJ)",
     {{"NrJ", "1"}}, "NUMER,STAN\n103,Z\n104,A\n"},
    {Dir::Root, "SELECT * FROM \"Log.vq\" WHERE ID_ZD>0 ORDER BY DNIA DESC, CZAS DESC", {},
     "DNIA,CZAS,UZYTKOWNIK,ID_ZD\n2026-12-02,09:10,??? intruz,3\n2026-12-02,07:55,Nowak Jan,1\n"
     "2026-12-01,15:30,Kowalska Anna,2\n2026-12-01,08:00,Kowalska Anna,1\n",
     "kwiatek"},
    {Dir::Root, "select distinct Uzytkownik from \"Log.vq\"", {}, "UZYTKOWNIK\nKowalska Anna\nNowak Jan\n??? intruz\n",
     "kwiatek"},
    {Dir::Root,
     "Select G.NAZWISKO,G.NR_EW, SUM(G.G_NADPRAC*60+G.M_NADPRAC) AS MNadpr, SUM(G.G_DOWYBRAN*60+G.M_DOWYBRAN) AS MDoWybr, "
     "SUM(G.G_WYBRAN*60+G.M_WYBRAN) AS MWybr from godziny G where (G.JEDN=:NrJ) and (G.STATUS<>'U') AND "
     "(((G.NADPRAC_DN>=:OdDnia) AND (G.NADPRAC_DN<=:DoDnia))or ((G.NADPRAC_DN IS NULL) AND (G.WYBRANO_DN>=:OdDnia) AND "
     "(G.WYBRANO_DN<=:DoDnia))) group By G.NAZWISKO,G.NR_EW",
     {{"NrJ", "1"}, {"OdDnia", "2026-03-01"}, {"DoDnia", "2026-03-31"}},
     "NAZWISKO,NR_EW,MNadpr,MDoWybr,MWybr\nNowak Jan,1,255,150,105\n"},
    {Dir::Root,
     "select MAX(Kolejny) AS MAX_DN from godziny where (JEDN=:NrJ)  AND (NR_EW=:NE) AND (NADPRAC_DN=:Dnia) AND (KOLEJNY>0)",
     {{"NrJ", "1"}, {"NE", "1"}, {"Dnia", "2026-03-02"}}, "MAX_DN\n1\n"},
    {Dir::Root,
     "select MAX(Kolejny) AS MAX_DN from godziny where (JEDN=:NrJ)  AND (NR_EW=:NE) AND (NADPRAC_DN=:Dnia) AND (KOLEJNY>0)",
     {{"NrJ", "1"}, {"NE", "1"}, {"Dnia", "2026-03-04"}}, "MAX_DN\n\n"},
    {Dir::Root,
     "SELECT K.*, RTRIM(K.NAZWISKO)+SPACE(1)+RTRIM(K.IMIE)  FROM \"KOS.DBF\" K WHERE ((K.JEDN=1) ) AND (K.NR_EW NOT IN "
     "(SELECT P.NR_EW FROM \"Rok2026\\Premie.dbf\" P WHERE P.NUMER=103))",
     {}, "NR_EW,NAZWISKO,IMIE,JEDN,EXPR\n2,Łuczak,Anna,1,Łuczak Anna\n"},
    {Dir::Year, "Select SUM(PREMIA) AS SUMAPREMII from \"premie\" where Numer=:NumPac", {{"NumPac", "103"}},
     "SUMAPREMII\n160.00\n"},
    {Dir::Year,
     "SELECT NR_ZLEC,NAZWA_ZL,ID_ZL,JEDNOSTKA,POCZ_ROKU,KONC_ROKU,CONCAT(CONCAT(NR_ZLEC,' - '),Nazwa_ZL) AS NRiNAZ  FROM "
     "\"KATZLEC.DBF\" WHERE ID_ZL>0 AND ((JEDNOSTKA=999)OR(JEDNOSTKA=:NrJ))",
     {{"NrJ", "2"}},
     "NR_ZLEC,NAZWA_ZL,ID_ZL,JEDNOSTKA,POCZ_ROKU,KONC_ROKU,NRiNAZ\nZ-100,Remont hali,7,999,T,T,Z-100 - Remont hali\n"
     "Z-300,Stara nazwa,12,999,T,F,Z-300 - Stara nazwa\nZ-400,Obce,15,2,T,T,Z-400 - Obce\n"},
    {Dir::Year, "SELECT Z_DNIA,NAZWISKO FROM \"KARTYDZ.DBF\" WHERE (ZL_ID=:ID_ZL or ZL_ID1=:ID_ZL)", {{"ID_ZL", "9"}},
     "Z_DNIA,NAZWISKO\n2026-03-02,Łuczak Anna\n2026-03-02,Nowak Jan\n2026-03-02,Nowak Jan\n"},
    {Dir::Year,
     "SELECT Z.NR_ZLEC, Z.NAZWA_ZL, Z.JEDNOSTKA, Z.POCZ_ROKU, Z.KONC_ROKU FROM \"..\\..\\IMPORT\\zlec2026\" Z LEFT JOIN Katzlec K "
     "ON ((Z.NR_ZLEC = K.NR_ZLEC)AND (K.POCZ_ROKU)=(Z.POCZ_ROKU)) WHERE ((((K.POCZ_ROKU)<>(Z.POCZ_ROKU)) AND "
     "(K.Jednostka=999)) OR (K.jednostka is null));",
     {}, "NR_ZLEC,NAZWA_ZL,JEDNOSTKA,POCZ_ROKU,KONC_ROKU\nZ-500,Nowe centralne,999,T,T\nZ-200,Lokalne 1,999,F,F\n"},
    {Dir::Year,
     "SELECT Z.NR_ZLEC, Z.NAZWA_ZL, Z.JEDNOSTKA, Z.POCZ_ROKU, Z.KONC_ROKU FROM \"..\\..\\IMPORT\\zlec2026\" Z LEFT JOIN Katzlec K "
     "ON (Z.NR_ZLEC = K.NR_ZLEC)AND(Z.POCZ_ROKU=K.POCZ_ROKU) WHERE ( (K.KONC_ROKU) <>(Z.KONC_ROKU));",
     {}, "NR_ZLEC,NAZWA_ZL,JEDNOSTKA,POCZ_ROKU,KONC_ROKU\nZ-300,Nowa nazwa,999,T,T\n"},
    {Dir::Year, "SELECT MAX(ID_ZL)  FROM \"KatZlec.dbf\"", {}, "EXPR\n15\n"},
    {Dir::Year,
     "select K.nr_ew, RTRIM(P.nazwisko)+' '+RTRIM(P.imie) from \"KARTYDZ.DBF\" K, \"..\\Kos\" P where (Numer=:NumPac) AND "
     "(KTORA=0) AND (P.NR_EW=K.NR_EW) group by K.nr_ew, P.nazwisko, P.imie order by P.nazwisko+' '+P.imie",
     {{"NumPac", "103"}}, "NR_EW,EXPR\n2,Łuczak Anna\n1,Nowak Jan\n4,Zając Ewa\n"},
    {Dir::Year,
     "SELECT NR_EW,NAZWISKO, Z_DNIA, ST_KOSZT AS SK, ZL_ID AS ZLID, ODDZIAL AS ODZ, (GODZ*60+\"MIN\") AS GOD FROM "
     "\"Sum00101.dbf\" WHERE (GODZ+\"MIN\" > 0) UNION ALL SELECT NR_EW,NAZWISKO, Z_DNIA, ST_KOSZT1 AS SK, ZL_ID1 AS ZLID, "
     "ODDZIAL1 AS ODZ, (GODZ1*60+MIN1) AS GOD FROM \"Sum00101.dbf\" WHERE (GODZ1+MIN1 > 0)",
     {},
     "NR_EW,NAZWISKO,Z_DNIA,SK,ZLID,ODZ,GOD\n1,Nowak Jan,2026-03-02,502,9,10,480\n1,Nowak Jan,2026-03-03,501,7,10,480\n"
     "2,Łuczak Anna,2026-03-02,501,7,10,450\n1,Nowak Jan,2026-03-02,501,7,10,75\n"},
    {Dir::Year,
     "select NR_EW, OPIS_OBIEK as Pracownik,SUM(Premia) AS SumPrem from \"Premie.dbf\" where Numer=103 group by NR_EW, "
     "OPIS_OBIEK order by OPIS_OBIEK",
     {}, "NR_EW,Pracownik,SumPrem\n1,Nowak Jan,110.50\n4,Zając Ewa,49.50\n"},
    {Dir::Year, "SELECT ID_UR FROM \"Urlopy.dbf\" GROUP BY ID_UR HAVING Count(*)>1", {}, "ID_UR\n2\n"},
    {Dir::Year, "SELECT MAX(ID_UR) FROM \"Urlopy.Dbf\"", {}, "EXPR\n5\n"},
    {Dir::Year,
     "select  A.KTORA AS ID_UR, A.Nr_ew, A.nazwisko, A.Z_DNIA From \"KARTYDZ.dbf\" A, \"..\\kos.dbf\" K where "
     "(K.nr_ew=A.nr_ew) and (A.nazwisko<>RTRIM(K.nazwisko)+' '+RTRIM(K.imie))",
     {}, "ID_UR,NR_EW,NAZWISKO,Z_DNIA\n0,4,Zajac Ewa,2026-03-04\n"},
    {Dir::Year,
     "select A.ID_UR,A.OPIS_OBIEK AS NAZWISKO, A.Nr_ew, A.OD_DNIA AS Z_DNIA From \"Urlopy.dbf\" A, \"..\\kos.dbf\" K where "
     "(K.nr_ew=A.nr_ew) and (A.OPIS_OBIEK<>RTRIM(K.nazwisko)+' '+RTRIM(K.imie))",
     {}, "ID_UR,NAZWISKO,NR_EW,Z_DNIA\n2,Łuczak A.,2,2026-03-11\n"},
    {Dir::Root, "select * from godziny where (JEDN=:NrJ) and (STATUS<>'U') order by NAZWISKO, NADPRAC_DN DESC, WYBRANO_DN",
     {{"NrJ", "1"}},
     "NR_EW,NAZWISKO,JEDN,NUMER,STATUS,NADPRAC_DN,WYBRANO_DN,G_NADPRAC,M_NADPRAC,G_DOWYBRAN,M_DOWYBRAN,G_WYBRAN,M_WYBRAN,"
     "KOLEJNY,KOL_WYB\n1,Nowak Jan,1,0,N,2026-03-09,2026-03-20,1,45,0,0,1,45,1,1\n1,Nowak Jan,1,0,N,2026-03-02,,2,30,2,30,0,0,1,0\n"
     "4,Zając Ewa,1,260312,N,2026-02-27,,0,50,0,50,0,0,1,0\n"},
    {Dir::Root,
     "select Nazwisko,NR_EW from godziny where (JEDN=:NrJ) and (STATUS<>'U') Group by NAZWISKO,NR_EW order by NAZWISKO",
     {{"NrJ", "1"}}, "NAZWISKO,NR_EW\nNowak Jan,1\nZając Ewa,4\n"},
};

} // namespace

TEST(SqlStatements, ReadingStatementsGiveTheRowsWorkedOutByHand) {
    SqlSite site;
    for (const auto& c : kReadingStatements) EXPECT_EQ(run(site, c), c.expected) << c.sql;
}

TEST(SqlStatements, ChangesAndCountsOfTheOvertimeDelivery) {
    SqlSite site;
    EXPECT_EQ(run(site, {Dir::Root, "UPDATE Godziny  SET NUMER =:NumR WHERE (NUMER=0) AND (JEDN=:NrJ)",
                         {{"NumR", "260303"}, {"NrJ", "1"}}, ""}),
              "3\n");
    EXPECT_EQ(run(site, {Dir::Root, "SELECT COUNT(*)  AS ILE from Godziny  WHERE (NUMER=:NumR)", {{"NumR", "0"}}, ""}),
              "ILE\n1\n");
    EXPECT_EQ(run(site, {Dir::Root, "SELECT COUNT(*)  AS ILE from Godziny  WHERE (NUMER=:NumR)  AND (JEDN=0)",
                         {{"NumR", "0"}}, ""}),
              "ILE\n0\n");
    EXPECT_EQ(run(site, {Dir::Year, "Delete  from\"KARTYDZ.DBF\"WHERE (NR_EW IS NULL) OR (NR_EW=0)", {}, ""}), "1\n");
    EXPECT_EQ(run(site, {Dir::Year, "select count(*) as ile from kartydz", {}, ""}), "ile\n6\n");
    EXPECT_EQ(run(site, {Dir::Root, "DELETE FROM \"Log.vq\" WHERE (DNIA>='2026-12-02') AND (UZYTKOWNIK='Nowak Jan')", {}, "",
                         "kwiatek"}),
              "1\n");
    EXPECT_EQ(run(site, {Dir::Root, "select count(*) from \"Log.vq\"", {}, "", "kwiatek"}), "EXPR\n3\n");
}

TEST(SqlStatements, PeriodLoadsThroughASavedResult) {
    SqlSite site;
    Query stack(site.year,
                "SELECT ST_KOSZT AS SK, ZL_ID AS ZLID, ODDZIAL AS ODZ, (GODZ*60+\"MIN\") AS GOD FROM \"Sum00101.dbf\" "
                "WHERE (GODZ+\"MIN\" > 0) UNION ALL SELECT ST_KOSZT1 AS SK, ZL_ID1 AS ZLID, ODDZIAL1 AS ODZ, "
                "(GODZ1*60+MIN1) AS GOD FROM \"Sum00101.dbf\" WHERE (GODZ1+MIN1 > 0)");
    stack.open();
    stack.saveAs(site.year + "/Obc00101.dbf");
    Query joined(site.root, "SELECT K.NR_EW, P.NR_EW, RTRIM(K.NAZWISKO)+'!' FROM kos K, kos P WHERE K.NR_EW=P.NR_EW+1");
    joined.open();
    joined.saveAs(site.root + "/POLACZ.DBF");
    EXPECT_EQ(run(site, {Dir::Root, "SELECT * FROM polacz ORDER BY 1", {}, ""}),
              "NR_EW,NR_EW_1,EXPR\n2,1,Łuczak!\n3,2,Lis!\n4,3,Zając!\n");
    EXPECT_EQ(run(site, {Dir::Year,
                         "SELECT SK,ZLID,ODZ, TRUNCATE(SUM(GOD)/60,0) AS Godziny, MOD(CONVERT(SUM(GOD),SQL_INTEGER),60) AS "
                         "Minuty FROM \"Obc00101.dbf\" GROUP BY SK, ODZ, ZLID ORDER BY SK, ODZ, ZLID",
                         {}, ""}),
              "SK,ZLID,ODZ,Godziny,Minuty\n501,7,10,16,45\n502,9,10,8,0\n");
}

TEST(SqlStatements, ErrorsNameWhatIsWrong) {
    SqlSite site;
    struct Bad { std::string sql; ErrorCode code; std::string fragment; };
    const std::vector<Bad> cases = {
        {"SELECT * FROM kos WHERE", ErrorCode::SqlSyntax, "pozycji 24"},
        {"SELECT * FORM kos", ErrorCode::SqlSyntax, "'FORM'"},
        {"SELECT * FROM brak", ErrorCode::SqlUnknown, "'brak'"},
        {"SELECT NIEMA FROM kos", ErrorCode::SqlUnknown, "'NIEMA'"},
        {"SELECT * FROM kos WHERE NR_EW=:Nr", ErrorCode::SqlParameter, ":Nr"},
        {"SELECT X.NR_EW FROM kos K", ErrorCode::SqlUnknown, "'X'"},
        {"SELECT NR_EW FROM kos A, kos B", ErrorCode::SqlUnknown, "Niejednoznaczna"},
        {"SELECT SUM(NAZWISKO) FROM kos", ErrorCode::SqlType, "liczbą"},
        {"SELECT * FROM \"Log.vq\"", ErrorCode::BadPassword, "hasło"},
        {"SELECT 'a' FROM kos WHERE NAZWISKO = 'x", ErrorCode::SqlSyntax, "cudzysłów"},
    };
    for (const auto& c : cases) {
        Query q(site.root, c.sql);
        try {
            q.open();
            ADD_FAILURE() << c.sql << " ran";
        } catch (const Error& e) {
            EXPECT_EQ(e.code(), c.code) << c.sql << ": " << e.what();
            EXPECT_NE(std::string(e.what()).find(c.fragment), std::string::npos) << e.what();
        }
    }
    Query wrong(site.root, "SELECT * FROM \"Log.vq\"");
    wrong.setPassword("róża");
    EXPECT_EQ(errorOf([&] { wrong.open(); }), ErrorCode::BadPassword);
}

TEST(LiveQuery, RowsAreTheTablesRecords) {
    SqlSite site;
    Query q(site.root, "SELECT K.*, RTRIM(K.Nazwisko)+' '+RTRIM(K.Imie) FROM \"KOS.DBF\" K WHERE K.JEDN=:JedNr ORDER BY K.NAZWISKO");
    q.setParam("JedNr", 1.0);
    q.open();
    ASSERT_TRUE(q.live());
    ASSERT_EQ(q.rowCount(), 3u);
    EXPECT_EQ(q.text("EXPR"), "Łuczak Anna");
    EXPECT_EQ(q.recno(), 2u);

    // Another handle sees the edit lock, then the posted value.
    q.edit();
    Query other(site.root, "SELECT * FROM kos");
    other.open();
    other.next();  // record 2
    EXPECT_EQ(errorOf([&] { other.edit(); }), ErrorCode::RecordLocked);
    q.set("IMIE", std::string("Agnieszka"));
    EXPECT_EQ(errorOf([&] { q.set("EXPR", std::string("x")); }), ErrorCode::NoSuchField);
    q.post();
    EXPECT_EQ(q.text("EXPR"), "Łuczak Agnieszka");
    other.open();  // reopened: read again
    other.next();
    EXPECT_EQ(other.text("IMIE"), "Agnieszka");

    q.append();
    q.set("NR_EW", 5.0);
    q.set("NAZWISKO", std::string("Ćwik"));
    q.set("JEDN", 1.0);
    q.post();
    EXPECT_EQ(q.recno(), 5u);
    q.first();
    q.remove();  // Łuczak
    q.open();
    std::vector<std::string> names;
    for (bool more = q.first(); more; more = q.next()) names.push_back(q.text("NAZWISKO"));
    EXPECT_EQ(names, (std::vector<std::string>{"Ćwik", "Nowak", "Zając"}));

    Query grouped(site.root, "SELECT JEDN, COUNT(*) FROM kos GROUP BY JEDN");
    grouped.open();
    EXPECT_FALSE(grouped.live());
    EXPECT_EQ(errorOf([&] { grouped.edit(); }), ErrorCode::ReadOnly);
}

TEST(SqlLocks, AStatementMeetingALockedRecordChangesNothing) {
    SqlSite site;
    auto holder = Table::open(site.root + "/KOS.DBF");
    holder->lock(3);
    EXPECT_EQ(errorOf([&] { executeSql(site.root, "UPDATE kos SET JEDN=9"); }), ErrorCode::RecordLocked);
    EXPECT_EQ(errorOf([&] { executeSql(site.root, "DELETE FROM kos WHERE JEDN=2"); }), ErrorCode::RecordLocked);
    EXPECT_EQ(run(site, {Dir::Root, "SELECT COUNT(*) AS ILE FROM kos WHERE JEDN=9", {}, ""}), "ILE\n0\n");
    EXPECT_EQ(executeSql(site.root, "UPDATE kos SET JEDN=JEDN+10 WHERE NR_EW<>3"), 3u);
    holder->unlock(3);
    EXPECT_EQ(executeSql(site.root, "DELETE FROM kos WHERE JEDN=2"), 1u);
    // A value that does not fit stops the statement before the first write.
    EXPECT_EQ(errorOf([&] { executeSql(site.root, "UPDATE kos SET JEDN=JEDN*100"); }), ErrorCode::ValueTooLarge);
    EXPECT_EQ(run(site, {Dir::Root, "SELECT NR_EW, JEDN FROM kos ORDER BY NR_EW", {}, ""}), "NR_EW,JEDN\n1,11\n2,11\n4,11\n");
}

TEST(EncryptedTable, IsUnreadableWithoutThePassword) {
    SqlSite site;
    std::string path = site.root + "/Log.vq";
    std::string bytes = testsupport::readFile(path);
    EXPECT_EQ(bytes.find("Kowalska"), std::string::npos);
    std::string out;
    testsupport::runCommand("/usr/bin/python3 -c 'import dbfread,sys; print([dict(r) for r in dbfread.DBF(sys.argv[1], "
                            "encoding=\"cp852\", char_decode_errors=\"replace\")])' " + testsupport::shellQuote(path) + " 2>&1",
                            &out);
    EXPECT_EQ(out.find("Kowalska"), std::string::npos) << out;
    EXPECT_EQ(errorOf([&] { Table::open(path); }), ErrorCode::BadPassword);

    // Pack keeps it encrypted under the same password.
    OpenOptions o;
    o.password = "kwiatek";
    o.exclusive = true;
    {
        auto t = Table::open(path, o);
        t->lock(1);
        t->setDeleted(1, true);
        t->pack();
        EXPECT_EQ(t->recordCount(), 3u);
        EXPECT_EQ(t->read(1).text("UZYTKOWNIK"), "Kowalska Anna");
    }
    EXPECT_EQ(testsupport::readFile(path).find("Kowalska"), std::string::npos);
    EXPECT_EQ(errorOf([&] { Table::open(path); }), ErrorCode::BadPassword);
}

TEST(SqlIndexUse, SelectiveConditionsOnATaggedFieldReadOnlyTheirRecords) {
    testsupport::TempDir dir;
    std::string path = dir.file("KARTYDZ.DBF");
    Table::create(path, parseFieldList("NR_EW,Numeric,6,0;Z_DNIA,Date;NAZWISKO,Character,20;"));
    {
        OpenOptions excl;
        excl.exclusive = true;
        auto t = Table::open(path, excl);
        std::vector<Record> records;
        for (int i = 0; i < 2000; ++i) {
            Record r = t->blankRecord();
            r.set("NR_EW", static_cast<double>(i % 100));
            r.set("Z_DNIA", Date::fromJulianDay(Date{2026, 1, 1}.julianDay() + i % 365));
            r.set("NAZWISKO", "Pracownik " + std::to_string(i % 100));
            records.push_back(std::move(r));
        }
        t->appendMany(records);
        t->createTag("WgPrac", "NR_EW", "");
        t->createTag("WgDat", "Z_DNIA", "");
        t->createTag("WgNazw", "NAZWISKO", "");
    }
    struct Case { std::string where; size_t rows; size_t examinedAtMost; };
    const std::vector<Case> cases = {
        {"NR_EW=7", 20, 20},
        {"NR_EW=:Nr", 20, 20},
        {"Z_DNIA BETWEEN '2026-03-01' AND '2026-03-02'", 12, 12},
        {"Z_DNIA>='2026-12-30'", 10, 10},
        {"NAZWISKO='Pracownik 7'", 20, 20},
        {"NAZWISKO LIKE 'Pracownik 77%'", 20, 20},
        {"NAZWISKO LIKE 'Pracownik 7%'", 220, 2000},  // a tenth of the table, scattered: a scan is cheaper
        {"NR_EW=7 AND Z_DNIA>'2026-06-01'", 10, 20},
        {"NR_EW>=0", 2000, 2000},        // too wide for the index: one scan
        {"NR_EW+0=7", 20, 2000},         // not a plain field: a scan
    };
    Table::create(dir.file("P.DBF"), parseFieldList("NR,Numeric,6,0;"));
    {
        auto p = Table::open(dir.file("P.DBF"));
        for (double nr : {3.0, 50.0, 500.0}) {
            Record r = p->blankRecord();
            r.set("NR", nr);
            p->append(r);
        }
    }
    // Joins on the tagged field look the few keys up instead of reading the table.
    for (const char* join : {"SELECT P.NR, K.Z_DNIA FROM P, kartydz K WHERE K.NR_EW = P.NR",
                             "SELECT P.NR, K.Z_DNIA FROM P LEFT JOIN kartydz K ON P.NR = K.NR_EW"}) {
        Query q(dir.path().string(), join);
        q.open();
        EXPECT_EQ(q.rowCount(), std::string(join).find("LEFT") != std::string::npos ? 41u : 40u) << join;
        EXPECT_LE(q.recordsExamined(), 3u + 40u) << join;
    }
    for (const auto& c : cases) {
        Query q(dir.path().string(), "SELECT * FROM kartydz WHERE " + c.where);
        q.setParam("Nr", 7.0);
        q.open();
        EXPECT_EQ(q.rowCount(), c.rows) << c.where;
        EXPECT_LE(q.recordsExamined(), c.examinedAtMost) << c.where;
    }
}
