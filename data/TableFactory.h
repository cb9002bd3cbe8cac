#pragma once
// Creates the tables of the catalogue in a directory, and their index tags.
#include "TableDef.h"

#include <string>

namespace ewidor {

class TableFactory {
public:
    // Creates an empty table from its definition in `dir` (year used for reference
    // file names); returns the file's path. Throws xb::Error (AlreadyExists ...).
    static std::string Create(const TableDef& def, const std::string& dir, int year = 0);
    // Creates the definition's compound-index tags (the .cdx file) for the table at
    // `tablePath`; the table must not be open elsewhere. Rebuilds use the same list.
    static void CreateIndexTags(const TableDef& def, const std::string& tablePath);
};

} // namespace ewidor
