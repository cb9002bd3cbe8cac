#include "SessionSite.h"

namespace sessiontest {

using ewidor::test::Row;
using xb::Value;

namespace {
Value t(const char* s) { return std::string(s); }
Value n(double d) { return d; }

Row employee(int nr, const char* surname, const char* name, int status, const char* centre, const char* dept,
             const char* order, int orderId, int group = 7) {
    return {{"NR_EW", n(nr)},       {"NAZWISKO", t(surname)}, {"IMIE", t(name)},      {"JEDN", n(group)},
            {"STATUS", n(status)},  {"ST_KOSZ", t(centre)},   {"ODDZIAL", t(dept)},   {"ZLECENIE", t(order)},
            {"ZL_ID", n(orderId)}};
}

Row centre(const char* kod, bool category1, bool early, bool late, const char* digitAt = "", const char* digits = "") {
    return {{"KOD", t(kod)},        {"NAZWA", t("Stanowisko")}, {"CZY_ZLEC", true},  {"KTORA_CYF", t(digitAt)},
            {"CYFRY", t(digits)},   {"GRUPA_1", category1},     {"GRUPA_2", true},   {"POCZ_ROKU", early},
            {"KONC_ROKU", late}};
}

Row mapa(const char* centre, const char* dept, const char* order, bool early = true, bool late = true) {
    return {{"ST_KOSZT", t(centre)}, {"ODDZIAL", t(dept)}, {"ZLECENIE", t(order)}, {"POCZ_ROKU", early},
            {"KONC_ROKU", late}};
}
} // namespace

// Group 7's staff: ADAMSKI passes everything (his category lists 007, in which 07
// occurs); BORSUK's category does not list the group (and his cost centre is wrong
// too: he is listed once); CEGLARZ's cost centre is closed to category 1; DUDA's
// department does not exist; EWERT's order breaks the digit rule of cost centre 100
// (third digit one of "15"); FILIP's combination is not in MAPA; GRAD's cost centre
// is valid only from January to April.
SessionSite::SessionSite() : year(fx.yearDir(2026)) {
    const std::string root = fx.root();
    fx.table("GRUPY", root,
             {{{"ID_GRUPY", n(1)}, {"NAZ_GRUPY", t("Robotnicy")}, {"DOST_JEDN", t("007012")}},
              {{"ID_GRUPY", n(2)}, {"NAZ_GRUPY", t("Administracja")}, {"DOST_JEDN", t("012")}}});
    fx.table("Jedn", root,
             {{{"NUMER", n(7)}, {"NAZWA", t("Wydział siódmy")}, {"ID_LISTY", t("L07")}, {"ODDZIAL", t("01")}},
              {{"NUMER", n(12)}, {"NAZWA", t("Grupa pusta")}, {"ID_LISTY", t("L12")}, {"ODDZIAL", t("01")}}});
    fx.table("KOS", root,
             {employee(1, "GRAD", "Jan", 1, "300", "01", "001023", 1),
              employee(2, "ADAMSKI", "Jan", 1, "100", "01", "001023", 1),
              employee(3, "BORSUK", "Ewa", 2, "999", "01", "001023", 1),
              employee(4, "CEGLARZ", "Piotr", 1, "200", "01", "001023", 1),
              employee(5, "DUDA", "Anna", 1, "100", "09", "001023", 1),
              employee(6, "EWERT", "Olga", 1, "100", "01", "002023", 2),
              employee(7, "FILIP", "Adam", 1, "100", "03", "001023", 1)});
    fx.table("STAKOSZ", year,
             {centre("100", true, true, true, "3", "15"), centre("200", false, true, true),
              centre("300", true, true, false)});
    fx.table("Oddzialy", year,
             {{{"NR_ODDZ", t("01")}, {"NAZWA_ODDZ", t("Pierwszy")}, {"POCZ_ROKU", true}, {"KONC_ROKU", true}},
              {{"NR_ODDZ", t("03")}, {"NAZWA_ODDZ", t("Trzeci")}, {"POCZ_ROKU", true}, {"KONC_ROKU", true}}});
    fx.table("KATZLEC", year,
             {{{"ID_ZL", n(1)}, {"NR_ZLEC", t("001023")}, {"JEDNOSTKA", n(7)}, {"POCZ_ROKU", true}, {"KONC_ROKU", true}},
              {{"ID_ZL", n(2)}, {"NR_ZLEC", t("002023")}, {"JEDNOSTKA", n(999)}, {"POCZ_ROKU", true}, {"KONC_ROKU", true}}});
    fx.table("MAPA", year,
             {mapa("100", "01", "001023"), mapa("100", "01", "002023"), mapa("200", "01", "001023"),
              mapa("100", "09", "001023"), mapa("300", "01", "001023")});
    // Group 7: March closed (NUMER 7·100 + 0·20 + 3), October archived.
    fx.table("NAG_PACZ", year, {{{"NUMER", n(703)}, {"STAN", t("Z")}}, {{"NUMER", n(710)}, {"STAN", t("A")}}});

    session.dirs.DataRoot = root;
    session.Years = {2026};
    session.LastYear = 2026;
    session.SelectedMonth = 4;
    session.settings.KwiecienKoncemRoku = true;
    session.settings.JestMacierzysteZlecenie = true;
    session.State = ewidor::InstallState::Configured;
    data.OpenRootTables(root);
}

} // namespace sessiontest
