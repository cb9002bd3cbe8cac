#include "IndexOrder.h"

#include <algorithm>
#include <cstring>

namespace xb {

int compareEntries(const IndexEntry& a, const IndexEntry& b) {
    size_t n = std::min(a.key.size(), b.key.size());
    int c = std::memcmp(a.key.data(), b.key.data(), n);
    if (c != 0) return c;
    if (a.key.size() != b.key.size()) return a.key.size() < b.key.size() ? -1 : 1;
    return a.recno < b.recno ? -1 : a.recno > b.recno ? 1 : 0;
}

int compareToBound(const IndexEntry& e, const Bound& b) {
    size_t n = b.prefix.size();
    size_t have = std::min(n, e.key.size());
    int c = std::memcmp(e.key.data(), b.prefix.data(), have);
    if (c != 0) return c;
    if (have < n) return -1;
    if (b.recno == 0) return 0;
    return e.recno < b.recno ? -1 : e.recno > b.recno ? 1 : 0;
}

} // namespace xb
