#pragma once
// Every table of an installation with its fields, and the headquarters' and
// reference-file tables the site reads and writes. Field widths the headquarters
// leaves open are chosen here: small integers N(6,0), employee numbers N(7,0).
#include "TableDef.h"

#include <string_view>
#include <vector>

namespace ewidor {

class TableCatalogue {
public:
    // Categories 1..highestCategory get a GRUPA_n column in STAKOSZ.
    explicit TableCatalogue(int highestCategory = kDefaultHighestCategory);

    static constexpr int kDefaultHighestCategory = 12;

    // Tables of the site: root and year directories.
    const std::vector<TableDef>& siteTables() const { return site_; }
    // Tables of the headquarters' receiving directory (BAZY_CT).
    const std::vector<TableDef>& hqTables() const { return hq_; }
    // Reference files as the headquarters prepares them; file names carry "%Y" for the year.
    const std::vector<TableDef>& referenceFiles() const { return reference_; }

    // The site table with this name or file name (case-insensitive); throws std::out_of_range.
    const TableDef& site(std::string_view name) const;
    const TableDef& hq(std::string_view name) const;
    const TableDef& reference(std::string_view name) const;

    // A reference file's name for a year ("Zlec%Y.dbf" -> "Zlec2026.dbf").
    static std::string fileNameForYear(const TableDef& def, int year);

private:
    std::vector<TableDef> site_;
    std::vector<TableDef> hq_;
    std::vector<TableDef> reference_;
};

} // namespace ewidor
