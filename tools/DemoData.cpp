#include "DemoData.h"

#include <chrono>

namespace ewidor::demo {
namespace {

struct CategoryDef {
    int id;
    const char* name;
    bool swiat, nocne, bryg4, kilka, jednoSk, ciagly, awarie;
    const char* kontrola;
    int ileMcy;
    const char* dostJedn;
};

// Each category exercises a flag; DOST_JEDN lists the groups with three digits.
const CategoryDef kCategories[] = {
    {1, "Pracownicy umysłowi", false, false, false, false, false, false, false, " ", 1, "001002117"},
    {2, "Robotnicy dniówkowi", true, true, false, false, false, false, false, " ", 1, "001002"},
    {3, "Czterobrygadowi", true, true, true, false, false, true, false, "K", 3, "001002"},
    {4, "Ruch ciągły", true, true, false, false, false, true, false, "K", 1, "002"},
    {5, "Służby awaryjne", false, true, false, true, false, false, true, " ", 1, "001002"},
    {6, "Kierowcy", false, false, false, true, false, false, false, "K", 2, "001117"},
    {7, "Jedno stanowisko", false, false, false, false, true, false, false, " ", 1, "117"},
    {8, "Praktykanci", false, false, false, false, false, false, false, " ", 1, "117"},
};

struct GroupDef {
    int number;
    const char* name;
    const char* listId;
    const char* department;
    std::vector<int> categories;
};

const GroupDef kGroups[] = {
    {1, "Wydział Mechaniczny", "M01", "010", {2, 3, 5, 6, 1}},
    {2, "Wydział Elektryczny", "E02", "020", {4, 3, 5, 2, 1}},
    {117, "Dział Administracji", "A17", "030", {1, 7, 6, 8}},
};

struct CostCentreDef {
    const char* kod;
    const char* name;
    bool czyZlec, pozaZlec;
    const char* ktoraCyf;
    const char* cyfry;
    std::vector<int> categories;
    bool pocz, konc;
};

const CostCentreDef kCostCentres[] = {
    {"50100", "Obróbka skrawaniem", true, false, "1", "12", {2, 3}, true, true},
    {"50200", "Montaż maszyn", true, false, "1", "1", {2, 3, 5}, true, true},
    {"50300", "Remonty mechaniczne", true, true, "0", "", {2, 5}, true, true},
    {"52100", "Zasilanie energetyczne", true, false, "3", "15", {3, 4, 5}, true, true},
    {"52200", "Automatyka i pomiary", false, false, "0", "", {2, 4, 5}, true, true},
    {"53000", "Transport wewnętrzny", true, false, "2", "0123", {6}, true, true},
    {"54000", "Administracja", false, false, "0", "", {1, 7, 8}, true, true},
    {"54100", "Kadry i płace", false, false, "0", "", {1}, true, true},
    {"55000", "Magazyn główny", false, false, "0", "", {1, 2, 6}, true, true},
    {"56000", "Inwestycje", true, false, "1", "3", {2, 5}, false, true},
};

struct OrderDef {
    int id;
    const char* number;
    const char* name;
    int owner;
    bool pocz, konc;
};

const OrderDef kOrders[] = {
    {1, "100101", "Remont kapitalny walcarki", 999, true, true},
    {2, "110205", "Modernizacja linii montażowej", 999, true, true},
    {3, "120017", "Przegląd suwnic", 999, true, false},
    {4, "101023", "Konserwacja sieci 6 kV", 999, true, true},
    {5, "205150", "Wymiana rozdzielni R-2", 999, false, true},
    {6, "215530", "Oświetlenie hali nr 3", 999, true, true},
    {7, "301015", "Budowa magazynu wyrobów", 999, true, true},
    {8, "310022", "Dostawy dla odbiorców zewnętrznych", 999, true, true},
    {9, "100900", "Naprawy bieżące wydziału", 1, true, true},
    {10, "200900", "Pomiary ochronne", 2, true, true},
    {11, "010900", "Przewozy osobowe", 117, true, true},
};

struct DepartmentDef {
    const char* number;
    const char* name;
};

const DepartmentDef kDepartments[] = {
    {"010", "Oddział Mechaniczny"},
    {"020", "Oddział Elektryczny"},
    {"030", "Oddział Administracyjny"},
    {"040", "Oddział Transportu"},
};

const char* const kMaleSurnames[] = {"Nowak", "Kowalski", "Wiśniewski", "Wójcik", "Kowalczyk",
                                     "Kamiński", "Lewandowski", "Zieliński", "Szymański", "Woźniak",
                                     "Dąbrowski", "Kozłowski", "Jankowski", "Mazur", "Kwiatkowski",
                                     "Krawczyk", "Piotrowski", "Grabowski", "Nowakowski", "Pawłowski",
                                     "Michalski", "Król", "Wieczorek", "Jabłoński", "Wróbel",
                                     "Nowicki", "Majewski", "Olszewski", "Stępień", "Malinowski"};
const char* const kMaleNames[] = {"Jan", "Andrzej", "Piotr", "Krzysztof", "Stanisław", "Tomasz",
                                  "Paweł", "Józef", "Marcin", "Marek", "Michał", "Grzegorz",
                                  "Jerzy", "Tadeusz", "Adam", "Łukasz", "Zbigniew", "Ryszard",
                                  "Dariusz", "Henryk", "Mariusz", "Kazimierz", "Wojciech",
                                  "Robert", "Mateusz", "Marian", "Rafał", "Jacek", "Janusz", "Mirosław"};
const char* const kFemaleSurnames[] = {"Nowak", "Kowalska", "Wiśniewska", "Wójcik", "Kowalczyk",
                                       "Kamińska", "Lewandowska", "Zielińska", "Szymańska", "Woźniak",
                                       "Dąbrowska", "Kozłowska", "Jankowska", "Mazur", "Kwiatkowska",
                                       "Krawczyk", "Piotrowska", "Grabowska", "Nowakowska", "Pawłowska",
                                       "Michalska", "Król", "Wieczorek", "Jabłońska", "Wróbel",
                                       "Nowicka", "Majewska", "Olszewska", "Stępień", "Malinowska"};
const char* const kFemaleNames[] = {"Anna", "Maria", "Katarzyna", "Małgorzata", "Agnieszka",
                                    "Barbara", "Ewa", "Krystyna", "Elżbieta", "Magdalena",
                                    "Joanna", "Zofia", "Monika", "Teresa", "Danuta", "Natalia",
                                    "Aleksandra", "Karolina", "Marta", "Beata", "Dorota", "Halina",
                                    "Jadwiga", "Janina", "Grażyna", "Iwona", "Jolanta", "Paulina",
                                    "Justyna", "Bożena"};

const char* firstCostCentreOf(int category) {
    for (const auto& c : kCostCentres)
        for (int allowed : c.categories)
            if (allowed == category && c.pocz) return c.kod;
    return kCostCentres[0].kod;
}

} // namespace

std::vector<Row> Categories() {
    std::vector<Row> rows;
    for (const auto& c : kCategories)
        rows.push_back({{"ID_GRUPY", double(c.id)}, {"NAZ_GRUPY", std::string(c.name)},
                        {"CZY_SWIAT", c.swiat}, {"CZY_NOCNE", c.nocne}, {"CZY_4BRYG", c.bryg4},
                        {"CZY_KILKA", c.kilka}, {"JEDNO_SK", c.jednoSk}, {"CZY_CIAGLY", c.ciagly},
                        {"CZY_AWARIE", c.awarie}, {"KONTROLA", std::string(c.kontrola)},
                        {"ILE_MCY", double(c.ileMcy)}, {"DOST_JEDN", std::string(c.dostJedn)}});
    return rows;
}

std::vector<Row> Groups() {
    std::vector<Row> rows;
    for (const auto& g : kGroups)
        rows.push_back({{"NUMER", double(g.number)}, {"NAZWA", std::string(g.name)},
                        {"ID_LISTY", std::string(g.listId)}, {"ODDZIAL", std::string(g.department)}});
    return rows;
}

std::vector<Row> Employees(int count) {
    std::vector<Row> rows;
    for (int i = 0; i < count; ++i) {
        const GroupDef& g = kGroups[i % 3];
        int category = g.categories[static_cast<size_t>(i / 3) % g.categories.size()];
        bool female = i % 2 == 1;
        int k = (i * 7) % 30;
        std::string surname = female ? kFemaleSurnames[k] : kMaleSurnames[k];
        std::string name = female ? kFemaleNames[(i * 11) % 30] : kMaleNames[(i * 11) % 30];
        double etat = i % 7 == 6 ? 50 : (i % 11 == 10 ? 75 : 100);
        int vacationHours = (26 - i % 10) * 8;
        rows.push_back({{"NR_EW", double(100101 + i * 13)}, {"NAZWISKO", surname}, {"IMIE", name},
                        {"JEDN", double(i % 20 == 19 ? 999 : g.number)}, {"STATUS", double(category)},
                        {"ETAT", etat}, {"ST_KOSZ", std::string(firstCostCentreOf(category))},
                        {"ODDZIAL", std::string(g.department)}, {"ZLECENIE", std::string()},
                        {"ZL_ID", 0.0}, {"G_URLOP", double(vacationHours)},
                        {"M_URLOP", double(i % 4 == 3 ? 30 : 0)}});
    }
    return rows;
}

std::vector<Row> CostCentres() {
    std::vector<Row> rows;
    for (const auto& c : kCostCentres) {
        Row r{{"KOD", std::string(c.kod)},           {"NAZWA", std::string(c.name)},
              {"CZY_ZLEC", c.czyZlec},               {"POZA_ZLEC", c.pozaZlec},
              {"KTORA_CYF", std::string(c.ktoraCyf)}, {"CYFRY", std::string(c.cyfry)},
              {"POCZ_ROKU", c.pocz},                 {"KONC_ROKU", c.konc}};
        for (int n : c.categories) r.push_back({"GRUPA_" + std::to_string(n), true});
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<Row> Orders() {
    std::vector<Row> rows;
    for (const auto& o : kOrders)
        rows.push_back({{"ID_ZL", double(o.id)}, {"NR_ZLEC", std::string(o.number)},
                        {"NAZWA_ZL", std::string(o.name)}, {"JEDNOSTKA", double(o.owner)},
                        {"POCZ_ROKU", o.pocz}, {"KONC_ROKU", o.konc}});
    return rows;
}

std::vector<Row> CentralOrderFile() {
    std::vector<Row> rows;
    for (const auto& o : kOrders)
        if (o.owner == 999)
            rows.push_back({{"NR_ZLEC", std::string(o.number)}, {"NAZWA_ZL", std::string(o.name)},
                            {"JEDNOSTKA", 999.0}, {"POCZ_ROKU", o.pocz}, {"KONC_ROKU", o.konc}});
    return rows;
}

std::vector<Row> Departments() {
    std::vector<Row> rows;
    for (const auto& d : kDepartments)
        rows.push_back({{"NR_ODDZ", std::string(d.number)}, {"NAZWA_ODDZ", std::string(d.name)},
                        {"POCZ_ROKU", true}, {"KONC_ROKU", true}});
    return rows;
}

std::vector<Row> AbsenceCodes() {
    struct Code {
        const char *kod, *meaning, *zus, *field;
        bool active;
    };
    const Code codes[] = {
        {"UW", "Urlop wypoczynkowy", "100", "GUWYP_U", true},
        {"UO", "Urlop okolicznościowy", "101", "GUOKOL_U", true},
        {"OP", "Opieka nad dzieckiem", "102", "GOPIEKI_U", true},
        {"UB", "Urlop bezpłatny", "111", "GUB_U", true},
        {"UZ", "Urlop zdrowotny", "121", "GROBZCH_U", true},
        {"NN", "Nieobecność nieusprawiedliw.", "151", "GNN_U", true},
        {"UM", "Urlop macierzyński", "311", "EWIDENCJA", true},
        {"UX", "Urlop wychowawczy", "312", "EWIDENCJA", false},
        {"10", "Odbiór nadgodzin 1:1", "900", "EWIDENCJA", true},
        {"0G", "Odbiór nadgodzin 1,5:1", "901", "EWIDENCJA", true},
        {"1", "Choroba", "331", "GROBCHOR", true},
        {"2", "Opieka nad członkiem rodziny", "332", "GROBCHOR", true},
        {"3", "Wypadek przy pracy", "333", "GROBCHOR", true},
        {"4", "Choroba w okresie ciąży", "334", "GROBCHOR", true},
        {"5", "Kwarantanna", "335", "GROBCHOR", false},
    };
    std::vector<Row> rows;
    for (const auto& c : codes)
        rows.push_back({{"KOD", std::string(c.kod)}, {"ZNACZENIE", std::string(c.meaning)},
                        {"ZUS", std::string(c.zus)}, {"NAZ_POLA", std::string(c.field)},
                        {"AKTYWNY", c.active}, {"EDYTOWALNY", false}});
    return rows;
}

std::vector<Row> SickLeaveKinds() {
    const std::pair<const char*, const char*> kinds[] = {
        {"A", "Niezdolność powyżej 90 dni"}, {"B", "Choroba w okresie ciąży"},
        {"C", "Nadużycie alkoholu"},         {"D", "Gruźlica"},
        {"E", "Choroba zakaźna"},
    };
    std::vector<Row> rows;
    for (const auto& [kod, meaning] : kinds)
        rows.push_back({{"KOD", std::string(kod)}, {"ZNACZENIE", std::string(meaning)}});
    return rows;
}

std::vector<Row> Combinations() {
    std::vector<Row> rows;
    auto add = [&](const char* kod, const char* dept, const char* order, bool pocz, bool konc) {
        rows.push_back({{"ST_KOSZT", std::string(kod)}, {"ODDZIAL", std::string(dept)},
                        {"ZLECENIE", std::string(order)}, {"POCZ_ROKU", pocz}, {"KONC_ROKU", konc}});
    };
    for (const auto& c : kCostCentres)
        for (const auto& d : kDepartments) {
            if (!c.czyZlec || c.pozaZlec) add(c.kod, d.number, "", c.pocz, c.konc);
            if (!c.czyZlec) continue;
            for (const auto& o : kOrders)
                if (o.owner == 999) add(c.kod, d.number, o.number, c.pocz && o.pocz, c.konc && o.konc);
        }
    return rows;
}

std::vector<Row> ExtraDays(int year) {
    using namespace std::chrono;
    // An extra day off on 2 January (unless it falls on a weekend) and a working
    // Saturday on the second Saturday of January that makes up for it.
    std::vector<Row> rows;
    year_month_day second{std::chrono::year{year} / January / 2d};
    weekday wd{sys_days{second}};
    auto toDate = [](year_month_day d) {
        return xb::Date{int(d.year()), int(unsigned(d.month())), int(unsigned(d.day()))};
    };
    if (wd != Saturday && wd != Sunday) rows.push_back({{"DZIEN", toDate(second)}, {"RODZAJ", std::string("DW")}});
    year_month_day saturday{std::chrono::year{year} / January / Saturday[2]};
    rows.push_back({{"DZIEN", toDate(saturday)}, {"RODZAJ", std::string("SR")}});
    return rows;
}

std::vector<Row> Counters() {
    int next = 1;
    for (const auto& o : kOrders) next = std::max(next, o.id + 1);
    return {{{"ZLECENIA", double(next)}, {"URLOPY", 1.0}, {"ZWOLNIENIA", 1.0}}};
}

} // namespace ewidor::demo
