#pragma once
// The index tags the program itself (re)creates, in the order the renovation
// rebuilds them. The year opening uses the same list without KATZLEC and MAPA.
#include <string>
#include <vector>

namespace ewidor {

struct IndexEntry {
    std::string table;       // system name: KOS, KATZLEC, ...
    std::string fileName;    // with extension, as the year opening keys it: "KOS.DBF"
    std::string tag;
    std::string expression;
};

class IndexCatalogue {
public:
    // All 17 rows, in order.
    static const std::vector<IndexEntry>& all();
    // The 14 rows used when a new year is opened (all but KATZLEC and MAPA).
    static std::vector<IndexEntry> forYearOpening();
};

} // namespace ewidor
