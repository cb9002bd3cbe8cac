#include "sql_fixture.h"

#include <filesystem>

using namespace xb;

void SqlSite::table(const std::string& directory, const std::string& name, const std::string& fields,
                    const std::vector<std::vector<std::string>>& rows, const std::string& password) {
    std::string path = directory + "/" + name;
    CreateOptions o;
    o.password = password;
    Table::create(path, parseFieldList(fields), o);
    OpenOptions open;
    open.password = password;
    auto t = Table::open(path, open);
    for (const auto& row : rows) {
        Record r = t->blankRecord();
        for (size_t i = 0; i < row.size(); ++i)
            r.set(static_cast<int>(i), codec::fromText(t->schema().field(static_cast<int>(i)), row[i]));
        t->append(r);
    }
}

SqlSite::SqlSite() {
    root = dir.file("BAZY_K");
    year = root + "/Rok2026";
    import = dir.file("IMPORT");
    std::filesystem::create_directories(year);
    std::filesystem::create_directories(import);

    table(root, "KOS.DBF", "NR_EW,Numeric,6,0;NAZWISKO,Character,20;IMIE,Character,15;JEDN,Numeric,3,0;",
          {{"1", "Nowak", "Jan", "1"}, {"2", "Łuczak", "Anna", "1"}, {"3", "Lis", "Piotr", "2"}, {"4", "Zając", "Ewa", "1"}});
    table(root, "Jedn.dbf", "NUMER,Numeric,3,0;NAZWA,Character,30;", {{"1", "Wydział A"}, {"2", "Biuro"}});
    table(root, "Godziny.dbf",
          "NR_EW,Numeric,6,0;NAZWISKO,Character,25;JEDN,Numeric,3,0;NUMER,Numeric,8,0;STATUS,Character,1;"
          "NADPRAC_DN,Date;WYBRANO_DN,Date;G_NADPRAC,Numeric,3,0;M_NADPRAC,Numeric,2,0;G_DOWYBRAN,Numeric,3,0;"
          "M_DOWYBRAN,Numeric,2,0;G_WYBRAN,Numeric,3,0;M_WYBRAN,Numeric,2,0;KOLEJNY,Numeric,1,0;KOL_WYB,Numeric,1,0;",
          {{"1", "Nowak Jan", "1", "0", "N", "2026-03-02", "", "2", "30", "2", "30", "0", "0", "1", "0"},
           {"1", "Nowak Jan", "1", "0", "N", "2026-03-09", "2026-03-20", "1", "45", "0", "0", "1", "45", "1", "1"},
           {"2", "Łuczak Anna", "1", "0", "U", "2026-03-03", "", "5", "0", "5", "0", "0", "0", "1", "0"},
           {"4", "Zając Ewa", "1", "260312", "N", "2026-02-27", "", "0", "50", "0", "50", "0", "0", "1", "0"},
           {"3", "Lis Piotr", "2", "0", "N", "2026-03-05", "", "3", "0", "3", "0", "0", "0", "1", "0"}});
    table(root, "Log.vq", "Dnia,Date;Czas,Character,5;Uzytkownik,Character,25;ID_ZD,Numeric,3,0;",
          {{"2026-12-01", "08:00", "Kowalska Anna", "1"}, {"2026-12-01", "15:30", "Kowalska Anna", "2"},
           {"2026-12-02", "07:55", "Nowak Jan", "1"}, {"2026-12-02", "09:10", "??? intruz", "3"}},
          "kwiatek");

    table(year, "KARTYDZ.DBF",
          "NUMER,Numeric,5,0;NR_EW,Numeric,6,0;NAZWISKO,Character,30;Z_DNIA,Date;KTORA,Numeric,1,0;"
          "ST_KOSZT,Character,6;ZL_ID,Numeric,6,0;ODDZIAL,Character,4;GODZ,Numeric,2,0;MIN,Numeric,2,0;"
          "ZL_ID1,Numeric,6,0;",
          {{"103", "1", "Nowak Jan", "2026-03-03", "0", "501", "7", "10", "8", "0", "0"},
           {"103", "2", "Łuczak Anna", "2026-03-02", "0", "501", "7", "10", "7", "30", "9"},
           {"103", "1", "Nowak Jan", "2026-03-02", "0", "502", "9", "10", "8", "0", "0"},
           {"103", "1", "Nowak Jan", "2026-03-02", "1", "502", "9", "10", "1", "15", "0"},
           {"104", "4", "Zając Ewa", "2026-04-01", "0", "501", "7", "20", "8", "0", "0"},
           {"103", "4", "Zajac Ewa", "2026-03-04", "0", "501", "0", "10", "8", "0", "0"},
           {"103", "0", "", "", "0", "", "0", "", "0", "0", "0"}});
    table(year, "NAG_PACZ.DBF", "NUMER,Numeric,5,0;STAN,Character,1;",
          {{"103", "Z"}, {"2323", "O"}, {"104", "A"}, {"9992", "Z"}});
    table(year, "KATZLEC.DBF",
          "ID_ZL,Numeric,6,0;NR_ZLEC,Character,10;NAZWA_ZL,Character,30;JEDNOSTKA,Numeric,3,0;POCZ_ROKU,Logical;KONC_ROKU,Logical;",
          {{"7", "Z-100", "Remont hali", "999", "T", "T"}, {"9", "Z-200", "Lokalne 1", "1", "T", "F"},
           {"12", "Z-300", "Stara nazwa", "999", "T", "F"}, {"0", "", "Puste", "999", "F", "F"},
           {"15", "Z-400", "Obce", "2", "T", "T"}});
    table(import, "ZLEC2026.DBF",
          "NR_ZLEC,Character,10;NAZWA_ZL,Character,30;JEDNOSTKA,Numeric,3,0;POCZ_ROKU,Logical;KONC_ROKU,Logical;",
          {{"Z-100", "Remont hali", "999", "T", "T"}, {"Z-300", "Nowa nazwa", "999", "T", "T"},
           {"Z-500", "Nowe centralne", "999", "T", "T"}, {"Z-200", "Lokalne 1", "999", "F", "F"}});
    table(year, "STAKOSZ.DBF", "KOD,Character,6;NAZWA,Character,30;GRUPA_1,Logical;POCZ_ROKU,Logical;",
          {{"502", "Montaż  ", "T", "T"}, {"501", "Produkcja", "T", "F"}, {"600", "Biuro", "F", "T"}});
    table(year, "Oddzialy.dbf", "NR_ODDZ,Character,4;NAZWA_ODDZ,Character,30;POCZ_ROKU,Logical;KONC_ROKU,Logical;",
          {{"20", "Spawalnia", "T", "T"}, {"10", "Tłocznia", "T", "F"}});
    table(year, "KodyUZ.dbf", "KOD,Character,2;ZUS,Character,3;AKTYWNY,Logical;NAZWA,Character,20;",
          {{"UW", "100", "T", "wypoczynkowy"}, {"UZ", "090", "T", "na żądanie"}, {"C", "331", "T", "choroba"},
           {"D", "312", "F", "dawny"}, {"A", "313", "T", "opieka"}});
    table(year, "PREMIE.DBF", "NUMER,Numeric,5,0;NR_EW,Numeric,6,0;OPIS_OBIEK,Character,40;PREMIA,Numeric,10,2;",
          {{"103", "1", "Nowak Jan", "100.50"}, {"103", "4", "Zając Ewa", "49.50"}, {"103", "1", "Nowak Jan", "10"},
           {"104", "2", "Łuczak Anna", "300"}});
    table(year, "Urlopy.dbf", "ID_UR,Numeric,6,0;NUMER,Numeric,5,0;NR_EW,Numeric,6,0;OPIS_OBIEK,Character,40;OD_DNIA,Date;",
          {{"1", "103", "1", "Nowak Jan", "2026-03-10"}, {"2", "103", "2", "Łuczak A.", "2026-03-11"},
           {"2", "103", "4", "Zając Ewa", "2026-03-12"}, {"5", "104", "4", "Zając Ewa", "2026-04-12"}});
    table(year, "Sum00101.dbf",
          "NR_EW,Numeric,6,0;NAZWISKO,Character,30;Z_DNIA,Date;ST_KOSZT,Character,6;ZL_ID,Numeric,6,0;ODDZIAL,Character,4;"
          "GODZ,Numeric,3,0;MIN,Numeric,2,0;ST_KOSZT1,Character,6;ZL_ID1,Numeric,6,0;ODDZIAL1,Character,4;GODZ1,Numeric,3,0;MIN1,Numeric,2,0;",
          {{"1", "Nowak Jan", "2026-03-02", "502", "9", "10", "8", "0", "501", "7", "10", "1", "15"},
           {"1", "Nowak Jan", "2026-03-03", "501", "7", "10", "8", "0", "", "0", "", "0", "0"},
           {"2", "Łuczak Anna", "2026-03-02", "501", "7", "10", "7", "30", "", "0", "", "0", "0"}});
}
