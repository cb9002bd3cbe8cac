#include "TDane.h"

#include "Error.h"
#include "Paths.h"

#include <algorithm>
#include <stdexcept>

namespace ewidor {
namespace {

xb::OpenOptions readOnly() {
    xb::OpenOptions o;
    o.readOnly = true;
    return o;
}

xb::OpenOptions exclusive() {
    xb::OpenOptions o;
    o.exclusive = true;
    return o;
}

xb::OpenOptions mapaOptions() {
    xb::OpenOptions o;
    o.codePage = 1250;  // MAPA.DBF holds only codes and is opened with the Windows character type
    return o;
}

} // namespace

// Query texts are the system's own; queries whose texts are not listed here get
// them from the windows that run them.
TDane::TDane()
    : TabPrac("TabPrac", "KOS.DBF"), PracJed("PracJed", "KOS.DBF"),
      TabGrup("TabGrup", "GRUPY.DBF", readOnly()), TabLog("TabLog", "Log.vq"),
      QPracJed("QPracJed", "SELECT K.*,RTRIM(K.Nazwisko)+' '+RTRIM(K.Imie) FROM \"KOS.DBF\" K "
                           "WHERE K.JEDN=:JedNr ORDER BY K.NAZWISKO"),
      QJed("QJed", "SELECT * FROM \"Jedn.dbf\" ORDER BY Nazwa"),
      QNadpracNiewys("QNadpracNiewys",
                     "UPDATE Godziny  SET NUMER =:NumR WHERE (NUMER=0) AND (JEDN=:NrJ)"),
      QIleNadprac("QIleNadprac",
                  "SELECT COUNT(*)  AS ILE from Godziny  WHERE (NUMER=:NumR)  AND (JEDN=0)"),
      TabStakosz("TabStakosz", "STAKOSZ.DBF"), TabZlec("TabZlec", "KATZLEC.DBF"),
      TabKodowUZ("TabKodowUZ", "KodyUZ.dbf"), TabRodZW("TabRodZW", "RodZW.dbf"),
      TabMapy("TabMapy", "MAPA.DBF", mapaOptions()), TabDniGS("TabDniGS", "Dni_GS.dbf", exclusive()),
      TabLicz("TabLicz", "Licznik.dbf", exclusive()), TabKartDz("TabKartDz", "KARTYDZ.DBF"),
      TabArchKartDz("TabArchKartDz", "ARCHIWDZ.DBF"), TabNag("TabNag", "NAG_PACZ.DBF"),
      TabPaczek("TabPaczek", "PACZKI.DBF"), TabUrlop("TabUrlop", "Urlopy.dbf"),
      TabUrlopDoInd("TabUrlopDoInd", "Urlopy.dbf"), TabZwoln("TabZwoln", "Zwoln.dbf"),
      TabZwolnDoInd("TabZwolnDoInd", "Zwoln.dbf"), TabHarmDoInd("TabHarmDoInd", "Harmon.dbf"),
      TabPremii("TabPremii", "PREMIE.DBF"),
      QStKoszt("QStKoszt", "SELECT S.*, S.KOD+' - '+RTRIM(S.NAZWA)  FROM \"STAKOSZ.DBF\" S "
                           "WHERE S.GRUPA_1=TRUE ORDER BY S.KOD"),
      QSprStKMac("QSprStKMac",
                 "Select * FROM \"STAKOSZ.DBF\" where KOD=:ST_KOSZ AND POCZ_ROKU=TRUE"),
      QZlec("QZlec", "SELECT *  FROM \"KATZLEC.DBF\" WHERE ((JEDNOSTKA=999) OR "
                     "(JEDNOSTKA=:JedNr)) AND (ID_ZL>0) ORDER BY NR_ZLEC"),
      QDrukZlec("QDrukZlec", QZlec.sql()),
      QZlPrzegKart("QZlPrzegKart", "SELECT *  FROM \"KATZLEC.DBF\" WHERE ID_ZL>0"),
      QNazZlCt("QNazZlCt", ""), QSprMacZlec("QSprMacZlec", ""), QZlecNow("QZlecNow", ""),
      QMxLiczZL("QMxLiczZL", ""), QUzupZlecPopRok("QUzupZlecPopRok", ""),
      QOddzialy("QOddzialy", "select NR_ODDZ,NAZWA_ODDZ, NR_ODDZ+' - '+RTRIM(NAZWA_ODDZ) "
                             ",POCZ_ROKU,KONC_ROKU from \"oddzialy\" order by nr_oddz"),
      QSprMacOddz("QSprMacOddz",
                  "Select * FROM \"Oddzialy.DBF\" where NR_ODDZ=:ODDZIAL AND POCZ_ROKU=TRUE"),
      QKodUrlop("QKodUrlop", "SELECT *  FROM \"KodyUZ.DBF\" WHERE (LENGTH(KOD)=2)  ORDER BY ZUS"),
      QKodZwol("QKodZwol", "SELECT *  FROM \"KodyUZ.DBF\" WHERE (LENGTH(KOD)=1) AND "
                           "(AKTYWNY=TRUE) ORDER BY KOD"),
      QDniGS("QDniGS", "select * from \"Dni_GS.dbf\" order by DZIEN"),
      QKartDz("QKartDz", "SELECT * FROM \"KARTYDZ.DBF\" WHERE (KTORA=0) AND (Numer=:NumPac) "
                         "ORDER BY Z_DNIA, NAZWISKO"),
      QNagPacz("QNagPacz", ""),
      QSprMce("QSprMce", "select * from \"nag_pacz.dbf\" where ((FLOOR(MOD(CONVERT(NUMER,SQL_"
                         "INTEGER),100)/20)*100)+TRUNCATE(numer /100,0)=:NrJ)"),
      QPaczUpd("QPaczUpd", ""), QPrzegPacz("QPrzegPacz", ""), QDrukPacz("QDrukPacz", ""),
      QNagUrlop("QNagUrlop", ""), QileUrl("QileUrl", ""), QSprUZ("QSprUZ", ""),
      QNagZwol("QNagZwol", ""), QileZwoln("QileZwoln", ""), QHarmon("QHarmon", ""),
      QNagHarCT("QNagHarCT", ""),
      QPrem("QPrem", "select * from \"premie.dbf\" where numer=:NumPac order by OPIS_OBIEK"),
      QSprPrem("QSprPrem", ""), QDrukPremii("QDrukPremii", ""),
      QNagPremii("QNagPremii", "SELECT * FROM \"NAG_PREM.DBF\" WHERE NUMER =:NrPac"),
      QDrukKD("QDrukKD", ""), QsumG("QsumG", ""), QSObc("QSObc", ""),
      QDrukStUrlop("QDrukStUrlop", ""), QPracMcZlec("QPracMcZlec", ""), QCent("QCent", ""),
      QZlCentKonRok("QZlCentKonRok", ""), QZlNazwyInne("QZlNazwyInne", "") {}

std::vector<TableHandle*> TDane::rootTables() { return {&TabPrac, &PracJed, &TabGrup, &TabLog}; }

std::vector<QueryHandle*> TDane::rootQueries() {
    return {&QPracJed, &QJed, &QNadpracNiewys, &QIleNadprac};
}

std::vector<TableHandle*> TDane::tables() {
    return {&TabPrac,   &PracJed,   &TabGrup,   &TabLog,        &TabStakosz,    &TabZlec,
            &TabKodowUZ, &TabRodZW, &TabMapy,   &TabDniGS,      &TabLicz,       &TabKartDz,
            &TabArchKartDz, &TabNag, &TabPaczek, &TabUrlop,     &TabUrlopDoInd, &TabZwoln,
            &TabZwolnDoInd, &TabHarmDoInd, &TabPremii};
}

std::vector<QueryHandle*> TDane::queries() {
    return {&QPracJed,    &QJed,       &QNadpracNiewys, &QIleNadprac, &QStKoszt,    &QSprStKMac,
            &QZlec,       &QDrukZlec,  &QZlPrzegKart,   &QNazZlCt,    &QSprMacZlec, &QZlecNow,
            &QMxLiczZL,   &QUzupZlecPopRok, &QOddzialy, &QSprMacOddz, &QKodUrlop,   &QKodZwol,
            &QDniGS,      &QKartDz,    &QNagPacz,       &QSprMce,     &QPaczUpd,    &QPrzegPacz,
            &QDrukPacz,   &QNagUrlop,  &QileUrl,        &QSprUZ,      &QNagZwol,    &QileZwoln,
            &QHarmon,     &QNagHarCT,  &QPrem,          &QSprPrem,    &QDrukPremii, &QNagPremii,
            &QDrukKD,     &QsumG,      &QSObc,          &QDrukStUrlop, &QPracMcZlec, &QCent,
            &QZlCentKonRok, &QZlNazwyInne};
}

TableHandle& TDane::table(std::string_view name) {
    for (auto* t : tables())
        if (t->name() == name) return *t;
    throw std::out_of_range("TDane: no table handle " + std::string(name));
}

QueryHandle& TDane::query(std::string_view name) {
    for (auto* q : queries())
        if (q->name() == name) return *q;
    throw std::out_of_range("TDane: no query handle " + std::string(name));
}

void TDane::OpenRootTables(const std::string& dataRoot) {
    if (dataRoot.empty() || !existsNoCase(dataRoot, "GRUPY.DBF")) return;
    dataRoot_ = dataRoot;
    for (auto* t : rootTables()) t->setDirectory(dataRoot);
    for (auto* q : rootQueries()) q->setDirectory(dataRoot);
    TabGrup.open();
    try {
        grupy_.load(TabGrup.dataset());
    } catch (...) {
        TabGrup.close();
        throw;
    }
    TabGrup.close();
}

std::vector<std::string> TDane::PointToYear(const std::string& yearDir) {
    yearDir_ = yearDir;
    auto root = rootTables();
    auto rootQ = rootQueries();
    std::vector<std::string> moved;
    for (auto* t : tables()) {
        if (std::find(root.begin(), root.end(), t) != root.end()) continue;
        if (t->setDirectory(yearDir)) moved.push_back(t->name());
    }
    for (auto* q : queries()) {
        if (std::find(rootQ.begin(), rootQ.end(), q) != rootQ.end()) continue;
        if (q->setDirectory(yearDir)) moved.push_back(q->name());
    }
    return moved;
}

int TDane::NextCounter(std::string_view field) {
    if (field != "ZLECENIA" && field != "URLOPY" && field != "ZWOLNIENIA")
        throw std::invalid_argument("NextCounter: unknown counter " + std::string(field));
    if (TabLicz.directory().empty())
        throw xb::Error(xb::ErrorCode::NotFound, "Nie wybrano roku: brak tabeli liczników");
    TabLicz.close();
    TabLicz.open();  // exclusive: a second desktop gets 7008 here and its operation fails
    try {
        xb::Dataset& d = TabLicz.dataset();
        // A counter starts at 1: 0 means "none" wherever an identifier is referred to.
        int value = 1;
        if (d.first()) {
            value = std::max(1, static_cast<int>(d.number(field)));
            d.edit();
        } else {
            d.append();
        }
        d.set(field, static_cast<double>(value + 1));
        d.post();
        TabLicz.close();
        return value;
    } catch (...) {
        TabLicz.close();
        throw;
    }
}

} // namespace ewidor
