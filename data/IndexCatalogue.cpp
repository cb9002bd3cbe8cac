#include "IndexCatalogue.h"

namespace ewidor {

const std::vector<IndexEntry>& IndexCatalogue::all() {
    static const std::vector<IndexEntry> rows = {
        {"KOS", "KOS.DBF", "Num", "NR_EW"},
        {"KOS", "KOS.DBF", "Nazw", "NAZWISKO"},
        {"KATZLEC", "KATZLEC.DBF", "WgId", "ID_ZL"},
        {"KATZLEC", "KATZLEC.DBF", "WgNum", "NR_ZLEC"},
        {"KARTYDZ", "KARTYDZ.DBF", "WgDat", "Z_DNIA"},
        {"KARTYDZ", "KARTYDZ.DBF", "WgPrac", "NR_EW"},
        {"ARCHIWDZ", "ARCHIWDZ.DBF", "WgDat", "Z_DNIA"},
        {"ARCHIWDZ", "ARCHIWDZ.DBF", "WgPrac", "NR_EW"},
        {"NAG_PACZ", "NAG_PACZ.DBF", "Num", "NUMER"},
        {"PACZKI", "PACZKI.DBF", "WgNum", "NUMER"},
        {"PACZKI", "PACZKI.DBF", "WgPrac", "NR_EW"},
        {"PREMIE", "PREMIE.DBF", "WgNum", "NUMER"},
        {"PREMIE", "PREMIE.DBF", "WgPrac", "NR_EW"},
        {"URLOPY", "URLOPY.DBF", "WgNazw", "OPIS_OBIEK"},
        {"ZWOLN", "ZWOLN.DBF", "WgNazw", "OPIS_OBIEK"},
        {"HARMON", "HARMON.DBF", "WgNum", "NUMER"},
        {"MAPA", "MAPA.DBF", "Jeden", "ST_KOSZT+ODDZIAL+ZLECENIE"},
    };
    return rows;
}

std::vector<IndexEntry> IndexCatalogue::forYearOpening() {
    std::vector<IndexEntry> rows;
    for (const auto& row : all())
        if (row.table != "KATZLEC" && row.table != "MAPA") rows.push_back(row);
    return rows;
}

} // namespace ewidor
