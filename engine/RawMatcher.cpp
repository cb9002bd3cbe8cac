#include "RawMatcher.h"

#include <cstring>

namespace xb {

RawMatcher::RawMatcher(const Schema& schema, const std::vector<std::pair<std::string, Value>>& wanted) {
    for (const auto& [name, value] : wanted) {
        const FieldDef& f = schema.field(schema.require(name));
        parts_.push_back({f.offset, codec::encode(f, value, schema.codePage())});
    }
}

bool RawMatcher::matches(const char* record) const {
    for (const auto& p : parts_)
        if (std::memcmp(record + p.offset, p.bytes.data(), p.bytes.size()) != 0) return false;
    return true;
}

} // namespace xb
