#pragma once
// A small site laid out as installations have it (BAZY_K with a year directory,
// IMPORT beside it) with the tables the system's statements read, and data
// small enough to work out every expected row by hand.
#include "Table.h"
#include "TempDir.h"

#include <string>
#include <vector>

struct SqlSite {
    testsupport::TempDir dir;
    std::string root;  // BAZY_K
    std::string year;  // BAZY_K/Rok2026
    std::string import;

    SqlSite();
    // Creates `name` in `directory` with the field list and rows given as text values
    // in the dump form ("" for blank).
    void table(const std::string& directory, const std::string& name, const std::string& fields,
               const std::vector<std::vector<std::string>>& rows, const std::string& password = {});
};
