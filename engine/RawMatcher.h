#pragma once
// Tests records for equality with fixed values on their stored bytes: each wanted
// value is encoded once into the field's byte form, then every record is compared
// with memcmp. This is what keeps a full scan close to the speed of reading the file.
#include "Record.h"

#include <string>
#include <utility>
#include <vector>

namespace xb {

class RawMatcher {
public:
    // Throws NoSuchField, or the encoding error of a value the field cannot hold
    // (such a value can match no record).
    RawMatcher(const Schema& schema, const std::vector<std::pair<std::string, Value>>& wanted);
    // `record` points at a record's bytes (deletion flag first).
    bool matches(const char* record) const;

private:
    struct Part {
        int offset;
        std::string bytes;
    };
    std::vector<Part> parts_;
};

} // namespace xb
