#pragma once
// The data module: the long-lived table and query handles of the system, pointed at
// the data root once and at the selected year's directory at every change of year,
// the category list and the record counters.
//
// Contract: the module opens no handle itself except TabGrup while the categories
// are read and TabLicz during a counter step; windows open and close the handles
// they use. Re-pointing closes a handle first and leaves it closed.
#include "QueryHandle.h"
#include "TDaneGrupy.h"
#include "TableHandle.h"

#include <string>
#include <string_view>
#include <vector>

namespace ewidor {

class TDane {
public:
    TDane();
    TDane(const TDane&) = delete;
    TDane& operator=(const TDane&) = delete;

    // Points the root handles at `dataRoot` and reads the categories from GRUPY.DBF.
    // Does nothing when dataRoot is empty or holds no GRUPY.DBF; engine errors on
    // opening GRUPY.DBF reach the caller.
    void OpenRootTables(const std::string& dataRoot);
    // Points every year handle at `yearDir`; returns the names of the handles that
    // were re-pointed (none when they point there already).
    std::vector<std::string> PointToYear(const std::string& yearDir);
    // Takes the next number of a counter of Licznik.dbf: ZLECENIA, URLOPY or ZWOLNIENIA.
    // Opens the table exclusively; a table in use elsewhere throws xb::Error 7008,
    // which the caller reports. Never hands the same number out twice.
    int NextCounter(std::string_view field);

    const std::string& dataRoot() const { return dataRoot_; }
    const std::string& yearDir() const { return yearDir_; }
    TDaneGrupy& Grupy() { return grupy_; }
    const TDaneGrupy& Grupy() const { return grupy_; }

    std::vector<TableHandle*> tables();
    std::vector<QueryHandle*> queries();
    TableHandle& table(std::string_view name);
    QueryHandle& query(std::string_view name);

    // Root handles.
    TableHandle TabPrac, PracJed, TabGrup, TabLog;
    QueryHandle QPracJed, QJed, QNadpracNiewys, QIleNadprac;
    // Year handles.
    TableHandle TabStakosz, TabZlec, TabKodowUZ, TabRodZW, TabMapy, TabDniGS, TabLicz, TabKartDz,
        TabArchKartDz, TabNag, TabPaczek, TabUrlop, TabUrlopDoInd, TabZwoln, TabZwolnDoInd,
        TabHarmDoInd, TabPremii;
    QueryHandle QStKoszt, QSprStKMac, QZlec, QDrukZlec, QZlPrzegKart, QNazZlCt, QSprMacZlec,
        QZlecNow, QMxLiczZL, QUzupZlecPopRok, QOddzialy, QSprMacOddz, QKodUrlop, QKodZwol, QDniGS,
        QKartDz, QNagPacz, QSprMce, QPaczUpd, QPrzegPacz, QDrukPacz, QNagUrlop, QileUrl, QSprUZ,
        QNagZwol, QileZwoln, QHarmon, QNagHarCT, QPrem, QSprPrem, QDrukPremii, QNagPremii, QDrukKD,
        QsumG, QSObc, QDrukStUrlop, QPracMcZlec, QCent, QZlCentKonRok, QZlNazwyInne;

private:
    std::vector<TableHandle*> rootTables();
    std::vector<QueryHandle*> rootQueries();

    std::string dataRoot_;
    std::string yearDir_;
    TDaneGrupy grupy_;
};

} // namespace ewidor
