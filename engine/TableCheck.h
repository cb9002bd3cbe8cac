#pragma once
// Consistency check of a table file: header, field descriptors, every record's
// deletion flag and field values, and its indexes: the structural .cdx and the
// .ntx files named (every record once in every order unless a FOR condition
// leaves it out, keys equal to the expression's value, keys in order).
#include <string>
#include <vector>

namespace xb {

struct CheckReport {
    std::vector<std::string> problems;
    unsigned long records = 0;
    bool ok() const { return problems.empty(); }
};

// Throws NotFound / Io when the file cannot be opened; every inconsistency is a problem in the report.
CheckReport checkTable(const std::string& path, int codePage = 0, const std::vector<std::string>& ntxFiles = {});

} // namespace xb
