#pragma once
// The definition of one table of an installation: file name, directory, code page,
// fields and the index tags the program (re)creates. Written once here and used to
// create tables (demo site, new year, tests), to open them and to rebuild indexes.
#include "Field.h"

#include <string>
#include <vector>

namespace ewidor {

enum class DirKind {
    Root,    // DataRoot (BAZY_K)
    Year,    // YearDir (DataRoot + "Rok" + year)
    Import,  // ImportDir: reference files fetched from the headquarters (name + year)
    HqYear,  // the headquarters' receiving directory, one per year
    HqRoot,  // the headquarters' receiving directory, year-independent
};

enum class IndexKind { None, Compound, SingleOrder };

struct TagDef {
    std::string name;
    std::string expression;
};

struct TableDef {
    std::string name;         // the system's name of the table (KOS, KARTYDZ, ...)
    std::string fileName;     // as the program writes it ("KOS.DBF", "Jedn.dbf")
    DirKind dir = DirKind::Year;
    std::string description;  // Polish, used in messages ("Tabela "...")
    std::vector<xb::FieldDef> fields;
    IndexKind index = IndexKind::Compound;
    std::vector<TagDef> tags;
    int codePage = 852;
    bool optional = false;    // a directory may lack it (MAPA, Dni_GS, Harmon)
};

} // namespace ewidor
