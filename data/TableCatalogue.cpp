#include "TableCatalogue.h"

#include <stdexcept>

namespace ewidor {
namespace {

using xb::FieldDef;
using xb::FieldType;

// Builds a field list in table order.
class Fields {
public:
    Fields& c(const std::string& name, int length) { return add(name, FieldType::Character, length, 0); }
    Fields& n(const std::string& name, int length, int decimals = 0) {
        return add(name, FieldType::Numeric, length, decimals);
    }
    Fields& f(const std::string& name, int length, int decimals) {
        return add(name, FieldType::Float, length, decimals);
    }
    Fields& small(const std::string& name) { return n(name, 6); }
    Fields& employee(const std::string& name = "NR_EW") { return n(name, 7); }
    Fields& l(const std::string& name) { return add(name, FieldType::Logical, 1, 0); }
    Fields& d(const std::string& name) { return add(name, FieldType::Date, 8, 0); }
    // An hours-and-minutes pair: G<stem> and M<stem>.
    Fields& pair(const std::string& stem) { return small("G" + stem).small("M" + stem); }
    Fields& pairs(std::initializer_list<const char*> stems) {
        for (const char* s : stems) pair(s);
        return *this;
    }
    Fields& append(const std::vector<FieldDef>& more) {
        fields_.insert(fields_.end(), more.begin(), more.end());
        return *this;
    }
    std::vector<FieldDef> done() const { return fields_; }

private:
    Fields& add(const std::string& name, FieldType type, int length, int decimals) {
        FieldDef def;
        def.name = name;
        def.type = type;
        def.length = length;
        def.decimals = decimals;
        fields_.push_back(def);
        return *this;
    }
    std::vector<FieldDef> fields_;
};

TableDef table(std::string name, std::string file, DirKind dir, std::string description,
               std::vector<FieldDef> fields, std::vector<TagDef> tags = {}) {
    TableDef def;
    def.name = std::move(name);
    def.fileName = std::move(file);
    def.dir = dir;
    def.description = std::move(description);
    def.fields = std::move(fields);
    def.tags = std::move(tags);
    return def;
}

std::vector<FieldDef> kosFields() {
    return Fields()
        .employee()
        .c("NAZWISKO", 20)
        .c("IMIE", 12)
        .small("JEDN")
        .small("STATUS")
        .n("ETAT", 6, 2)
        .c("ST_KOSZ", 5)
        .c("ODDZIAL", 3)
        .c("ZLECENIE", 6)
        .small("ZL_ID")
        .small("G_URLOP")
        .small("M_URLOP")
        .done();
}

std::vector<FieldDef> grupyFields() {
    return Fields()
        .small("ID_GRUPY")
        .c("NAZ_GRUPY", 20)
        .l("CZY_SWIAT")
        .l("CZY_NOCNE")
        .l("CZY_4BRYG")
        .l("CZY_KILKA")
        .l("JEDNO_SK")
        .l("CZY_CIAGLY")
        .l("CZY_AWARIE")
        .c("KONTROLA", 1)
        .small("ILE_MCY")
        .c("DOST_JEDN", 800)
        .done();
}

std::vector<FieldDef> stakoszFields(int highestCategory) {
    Fields f;
    f.c("KOD", 5).c("NAZWA", 30).l("CZY_ZLEC").l("POZA_ZLEC").c("KTORA_CYF", 1).c("CYFRY", 10);
    for (int n = 1; n <= highestCategory; ++n) f.l("GRUPA_" + std::to_string(n));
    return f.l("POCZ_ROKU").l("KONC_ROKU").done();
}

std::vector<FieldDef> katzlecFields() {
    return Fields()
        .small("ID_ZL")
        .c("NR_ZLEC", 6)
        .c("NAZWA_ZL", 40)
        .small("JEDNOSTKA")
        .l("POCZ_ROKU")
        .l("KONC_ROKU")
        .done();
}

std::vector<FieldDef> oddzialyFields() {
    return Fields().c("NR_ODDZ", 3).c("NAZWA_ODDZ", 30).l("POCZ_ROKU").l("KONC_ROKU").done();
}

std::vector<FieldDef> kodyUZFields() {
    return Fields()
        .c("KOD", 5)
        .c("ZNACZENIE", 30)
        .c("ZUS", 5)
        .c("NAZ_POLA", 10)
        .l("AKTYWNY")
        .l("EDYTOWALNY")
        .done();
}

std::vector<FieldDef> rodZWFields() { return Fields().c("KOD", 5).c("ZNACZENIE", 30).done(); }

std::vector<FieldDef> mapaFields() {
    return Fields().c("ST_KOSZT", 5).c("ODDZIAL", 3).c("ZLECENIE", 6).l("POCZ_ROKU").l("KONC_ROKU").done();
}

std::vector<FieldDef> dniGSFields() { return Fields().d("DZIEN").c("RODZAJ", 2).done(); }

std::vector<FieldDef> licznikFields() {
    return Fields().small("ZLECENIA").n("URLOPY", 10).n("ZWOLNIENIA", 10).done();
}

// The hour classes the daily and the monthly card share, in table order.
Fields& cardClasses(Fields& f) {
    return f.pairs({"PRACY_R", "N50_N", "N100_N", "N100S_N", "NOCNE1_I", "NOCNE2_I", "SWIETA_I",
                    "ROBCHOR", "UWYP_U", "UOKOL_U", "DELEG_U", "UB_U", "OPIEKI_U", "NN_U",
                    "ROBZCH_U"});
}

Fields& cardTail(Fields& f) {
    return f.pairs({"DOD50_I", "N50A_N", "N100A_N", "N100SA_N", "ODB_U", "ODB15_U", "SOBOTY_I"});
}

std::vector<FieldDef> kartyDzFields() {
    Fields f;
    f.small("NUMER").employee().d("Z_DNIA");
    cardClasses(f).pairs({"UP_U", "UN_U"});
    for (int line = 0; line <= 5; ++line) {
        std::string digit = line == 0 ? "" : std::to_string(line);
        f.small("GODZ" + digit).small("MIN" + digit).c("ST_KOSZT" + digit, 5);
        f.small("ZL_ID" + digit).c("ODDZIAL" + digit, 3);
    }
    f.c("NAZWISKO", 35).small("KTORA");
    return cardTail(f).done();
}

std::vector<FieldDef> nagPaczFields() {
    return Fields()
        .small("NUMER")
        .c("OPIS", 30)
        .d("DATA_MODYF")
        .c("NAZWISKO", 30)
        .small("LICZBA_DOK")
        .c("STAN", 1)
        .c("ID_LISTY", 3)
        .c("MC_BIEZ", 2)
        .l("SPRAWDZONA")
        .done();
}

std::vector<FieldDef> paczkiFields() {
    Fields f;
    f.small("NUMER").employee();
    cardClasses(f).pairs({"UN_U", "UP_U"});
    // Slot 1 as one group of fields, then slots 2..10 field by field (GODZ1..GODZ9, MIN1..MIN9, ...).
    f.small("GODZ").small("MIN").c("ST_KOSZT", 5).small("ZL_ID").c("ZLECENIE", 7).c("ODDZIAL", 3);
    auto slots = [&](const std::string& stem, auto&& add) {
        for (int slot = 1; slot <= 9; ++slot) add(stem + std::to_string(slot));
    };
    slots("GODZ", [&](const std::string& n) { f.small(n); });
    slots("MIN", [&](const std::string& n) { f.small(n); });
    slots("ST_KOSZT", [&](const std::string& n) { f.c(n, 5); });
    slots("ZL_ID", [&](const std::string& n) { f.small(n); });
    slots("ZLECENIE", [&](const std::string& n) { f.c(n, 7); });
    slots("ODDZIAL", [&](const std::string& n) { f.c(n, 3); });
    f.c("NAZWISKO", 35);
    cardTail(f);
    f.f("KWOTA", 12, 2);
    for (int slot = 1; slot <= 9; ++slot) f.f("KWOTA" + std::to_string(slot), 12, 2);
    return f.done();
}

std::vector<FieldDef> urlopyFields() {
    return Fields()
        .n("ID_UR", 10)
        .small("NUMER")
        .employee()
        .c("KOD", 2)
        .d("OD_DNIA")
        .d("DO_DNIA")
        .small("DNI")
        .c("OPIS_OBIEK", 35)
        .small("GODZIN")
        .small("MINUT")
        .done();
}

std::vector<FieldDef> zwolnFields() {
    return Fields()
        .n("ID_ZW", 10)
        .small("NUMER")
        .employee()
        .c("KOD", 1)
        .c("NR_STAT", 4)
        .d("DATA_OD")
        .d("DATA_DO")
        .small("DNI")
        .small("SZPITAL")
        .small("DNI_25PROC")
        .c("OPIS_OBIEK", 35)
        .c("PROC", 3)
        .done();
}

std::vector<FieldDef> absenceHeaderFields() {
    return Fields()
        .small("NUMER")
        .c("OPIS", 30)
        .d("DATA_MODYF")
        .c("NAZWISKO", 30)
        .small("LICZBA_DOK")
        .c("STAN", 1)
        .c("ROK_BIEZ", 2)
        .c("MC_BIEZ", 2)
        .done();
}

std::vector<FieldDef> harmonFields() {
    Fields f;
    f.small("NUMER").employee().c("NAZWISKO", 35);
    auto day = [](const char* prefix, int d) {
        return std::string(prefix) + (d < 10 ? "0" : "") + std::to_string(d);
    };
    for (int d = 1; d <= 31; ++d) f.c(day("D_", d), 1);
    for (int d = 1; d <= 31; ++d) f.small(day("GD_", d));
    for (int d = 1; d <= 31; ++d) f.small(day("MN_", d));
    for (int d = 1; d <= 31; ++d) f.c(day("Z_", d), 1);
    return f.done();
}

std::vector<FieldDef> nagHarFields() { return Fields().small("NUMER").c("STAN", 1).c("ROK_BIEZ", 2).done(); }

std::vector<FieldDef> godzinyFields() {
    return Fields()
        .n("NUMER", 8)
        .employee()
        .d("NADPRAC_DN")
        .small("G_NADPRAC")
        .small("M_NADPRAC")
        .small("G_DOWYBRAN")
        .small("M_DOWYBRAN")
        .d("WYBRANO_DN")
        .small("G_WYBRAN")
        .small("M_WYBRAN")
        .c("NAZWISKO", 35)
        .small("JEDN")
        .c("STATUS", 1)
        .small("KOLEJNY")
        .small("KOL_WYB")
        .done();
}

std::vector<FieldDef> premieFields() {
    return Fields().small("NUMER").employee().n("PREMIA", 9, 2).c("OPIS_OBIEK", 33).done();
}

std::vector<FieldDef> nagPremFields() {
    return Fields().append(absenceHeaderFields()).c("PODPIS", 40).done();
}

std::vector<FieldDef> kwotyFields() {
    return Fields()
        .small("NUMER")
        .d("Z_DNIA")
        .n("KWOTA", 12, 2)
        .c("POLE", 10)
        .c("ST_KOSZTOW", 4)
        .c("ZLECENIE", 6)
        .small("ZL_ID")
        .c("ODDZIAL", 3)
        .c("NAZWISKO", 35)
        .employee()
        .done();
}

std::vector<FieldDef> logFields() {
    return Fields().d("DNIA").c("CZAS", 5).c("UZYTKOWNIK", 25).n("ID_ZD", 3).done();
}

std::vector<FieldDef> archLogFields() { return Fields().append(logFields()).c("ZDARZENIE", 30).done(); }

// Header tables at the headquarters carry ROK_BIEZ and STAN beside the local fields.
std::vector<FieldDef> withHqHeaderFields(std::vector<FieldDef> fields) {
    auto has = [&](const char* name) {
        for (const auto& f : fields)
            if (xb::equalsIgnoreCase(f.name, name)) return true;
        return false;
    };
    Fields f;
    f.append(fields);
    if (!has("ROK_BIEZ")) f.c("ROK_BIEZ", 2);
    if (!has("STAN")) f.c("STAN", 1);
    return f.done();
}

std::vector<TableDef> buildSite(int highestCategory) {
    using D = DirKind;
    std::vector<TableDef> t;
    t.push_back(table("KOS", "KOS.DBF", D::Root, "Kartoteka pracowników", kosFields(),
                      {{"Num", "NR_EW"}, {"Nazw", "NAZWISKO"}}));
    t.push_back(table("GRUPY", "GRUPY.DBF", D::Root, "Kategorie pracowników", grupyFields()));
    t.push_back(table("Jedn", "Jedn.dbf", D::Root, "Grupy pracowników",
                      Fields().small("NUMER").c("NAZWA", 30).c("ID_LISTY", 3).c("ODDZIAL", 3).done()));
    t.push_back(table("Log", "Log.vq", D::Root, "Log systemu", logFields()));
    t.back().index = IndexKind::SingleOrder;
    t.push_back(table("ArchLog", "ArchLog.dbf", D::Root, "Archiwum logu", archLogFields()));
    t.back().index = IndexKind::SingleOrder;
    t.push_back(table("Godziny", "Godziny.dbf", D::Root, "Godziny nadpracowane", godzinyFields()));
    t.push_back(table("STAKOSZ", "STAKOSZ.DBF", D::Year, "Stanowiska kosztów",
                      stakoszFields(highestCategory)));
    t.push_back(table("KATZLEC", "KATZLEC.DBF", D::Year, "Katalog zleceń", katzlecFields(),
                      {{"WgId", "ID_ZL"}, {"WgNum", "NR_ZLEC"}}));
    t.push_back(table("Oddzialy", "Oddzialy.dbf", D::Year, "Oddziały", oddzialyFields()));
    t.push_back(table("KodyUZ", "KodyUZ.dbf", D::Year, "Kody urlopów i zwolnień", kodyUZFields()));
    t.push_back(table("RodZW", "RodZW.dbf", D::Year, "Rodzaje zwolnień lekarskich", rodZWFields()));
    t.push_back(table("MAPA", "MAPA.DBF", D::Year, "Tabela powiązań", mapaFields(),
                      {{"Jeden", "ST_KOSZT+ODDZIAL+ZLECENIE"}}));
    t.back().codePage = 1250;
    t.back().optional = true;
    t.push_back(table("Dni_GS", "Dni_GS.dbf", D::Year, "Dodatkowe dni wolne i soboty robocze",
                      dniGSFields()));
    t.back().optional = true;
    t.push_back(table("Licznik", "Licznik.dbf", D::Year, "Liczniki", licznikFields()));
    t.push_back(table("KARTYDZ", "KARTYDZ.DBF", D::Year, "Dzienne karty pracy", kartyDzFields(),
                      {{"WgDat", "Z_DNIA"}, {"WgPrac", "NR_EW"}}));
    t.push_back(table("ARCHIWDZ", "ARCHIWDZ.DBF", D::Year, "Archiwum dziennych kart pracy",
                      kartyDzFields(), {{"WgDat", "Z_DNIA"}, {"WgPrac", "NR_EW"}}));
    t.push_back(table("NAG_PACZ", "NAG_PACZ.DBF", D::Year, "Nagłówki paczek kart pracy",
                      nagPaczFields(), {{"Num", "NUMER"}}));
    t.push_back(table("PACZKI", "PACZKI.DBF", D::Year, "Miesięczne karty pracy", paczkiFields(),
                      {{"WgNum", "NUMER"}, {"WgPrac", "NR_EW"}}));
    t.push_back(table("URLOPY", "Urlopy.dbf", D::Year, "Urlopy", urlopyFields(),
                      {{"WgNazw", "OPIS_OBIEK"}}));
    t.push_back(table("Nag_UR", "Nag_UR.dbf", D::Year, "Nagłówki paczek urlopów",
                      absenceHeaderFields()));
    t.push_back(table("ZWOLN", "Zwoln.dbf", D::Year, "Zwolnienia lekarskie", zwolnFields(),
                      {{"WgNazw", "OPIS_OBIEK"}}));
    t.push_back(table("Nag_ZW", "Nag_ZW.dbf", D::Year, "Nagłówki paczek zwolnień lekarskich",
                      absenceHeaderFields()));
    t.push_back(table("HARMON", "Harmon.dbf", D::Year, "Harmonogramy", harmonFields(),
                      {{"WgNum", "NUMER"}}));
    t.back().optional = true;
    t.push_back(table("NAG_HAR", "NAG_HAR.DBF", D::Year, "Nagłówki harmonogramów", nagHarFields()));
    t.push_back(table("PREMIE", "PREMIE.DBF", D::Year, "Premie", premieFields(),
                      {{"WgNum", "NUMER"}, {"WgPrac", "NR_EW"}}));
    t.push_back(table("Nag_prem", "Nag_prem.dbf", D::Year, "Nagłówki paczek premii", nagPremFields()));
    t.push_back(table("Kwoty", "Kwoty.dbf", D::Year, "Kwoty", kwotyFields()));
    return t;
}

std::vector<TableDef> buildHq() {
    using D = DirKind;
    auto hq = [](std::string name, std::string description, std::vector<FieldDef> fields,
                 DirKind dir = D::HqYear) {
        TableDef def = table(name, name + ".dbf", dir, std::move(description), std::move(fields));
        def.index = IndexKind::SingleOrder;
        return def;
    };
    return {
        hq("Ke01", "Nagłówki paczek kart pracy", withHqHeaderFields(nagPaczFields())),
        hq("Ke02", "Miesięczne karty pracy", paczkiFields()),
        hq("Ur01", "Nagłówki paczek urlopów", withHqHeaderFields(absenceHeaderFields())),
        hq("Ur02", "Urlopy", urlopyFields()),
        hq("ZL01", "Nagłówki paczek zwolnień lekarskich", withHqHeaderFields(absenceHeaderFields())),
        hq("ZL02", "Zwolnienia lekarskie", zwolnFields()),
        hq("Pe01", "Nagłówki paczek premii", withHqHeaderFields(nagPremFields())),
        hq("Pe02", "Premie", premieFields()),
        hq("Harmon", "Harmonogramy", harmonFields()),
        hq("NAG_HAR", "Nagłówki harmonogramów", nagHarFields()),
        hq("Nadprac", "Godziny nadpracowane", godzinyFields(), D::HqRoot),
    };
}

std::vector<TableDef> buildReference(int highestCategory) {
    using D = DirKind;
    auto ref = [](std::string name, std::string file, std::string description,
                  std::vector<FieldDef> fields) {
        TableDef def = table(std::move(name), std::move(file), D::Import, std::move(description),
                             std::move(fields));
        def.index = IndexKind::None;
        return def;
    };
    auto mapa = ref("Mp", "Mp%Y.dbf", "Tabela powiązań na rok ", mapaFields());
    mapa.codePage = 1250;
    return {
        ref("grupy", "grupy.dbf", "Kategorie pracowników", grupyFields()),
        ref("Zlec", "Zlec%Y.dbf", "Zlecenia centralne na rok ",
            Fields().c("NR_ZLEC", 6).c("NAZWA_ZL", 40).small("JEDNOSTKA").l("POCZ_ROKU").l("KONC_ROKU").done()),
        ref("Stk", "Stk%Y.dbf", "Stanowiska kosztów na rok ", stakoszFields(highestCategory)),
        ref("Oddz", "Oddz%Y.dbf", "Oddziały na rok ", oddzialyFields()),
        ref("KdUz", "KdUz%Y.dbf", "Kody urlopów i zwolnień na rok ", kodyUZFields()),
        ref("RoZW", "RoZW%Y.dbf", "Rodzaje zwolnień lekarskich na rok ", rodZWFields()),
        mapa,
        ref("Dni", "Dni%Y.dbf", "Dodatkowe dni wolne i soboty robocze w roku ", dniGSFields()),
    };
}

const TableDef& findIn(const std::vector<TableDef>& defs, std::string_view name, const char* what) {
    for (const auto& def : defs)
        if (xb::equalsIgnoreCase(def.name, name) || xb::equalsIgnoreCase(def.fileName, name)) return def;
    throw std::out_of_range(std::string(what) + ": no table " + std::string(name));
}

} // namespace

TableCatalogue::TableCatalogue(int highestCategory)
    : site_(buildSite(highestCategory)), hq_(buildHq()), reference_(buildReference(highestCategory)) {}

const TableDef& TableCatalogue::site(std::string_view name) const { return findIn(site_, name, "site"); }
const TableDef& TableCatalogue::hq(std::string_view name) const { return findIn(hq_, name, "hq"); }
const TableDef& TableCatalogue::reference(std::string_view name) const {
    return findIn(reference_, name, "reference");
}

std::string TableCatalogue::fileNameForYear(const TableDef& def, int year) {
    std::string name = def.fileName;
    auto pos = name.find("%Y");
    if (pos != std::string::npos) name.replace(pos, 2, std::to_string(year));
    return name;
}

} // namespace ewidor
