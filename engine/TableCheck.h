#pragma once
// Consistency check of a table file: header, field descriptors, every record's
// deletion flag and field values. Later also its indexes.
#include <string>
#include <vector>

namespace xb {

struct CheckReport {
    std::vector<std::string> problems;
    unsigned long records = 0;
    bool ok() const { return problems.empty(); }
};

// Throws NotFound / Io when the file cannot be opened; every inconsistency is a problem in the report.
CheckReport checkTable(const std::string& path, int codePage = 0);

} // namespace xb
