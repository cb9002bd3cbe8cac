#pragma once
// Value semantics of the SQL subset: NULL, comparisons (trailing blanks of text do
// not count; text orders by the Polish alphabet), arithmetic and the scalar functions.
#include "../Field.h"

#include <optional>
#include <string>
#include <vector>

namespace xb::sql {

// Three-way comparison; nullopt when either side is NULL. Text against a date is
// read as a date ('yyyy-mm-dd'), text against a number as a number. Throws SqlType
// when the two cannot be compared.
std::optional<int> compare(const Value& a, const Value& b);
// Whether two non-null values are equal under compare's rules (false for NULL).
bool equal(const Value& a, const Value& b);
// Ordering for ORDER BY, MIN and MAX: NULL first, then by compare.
int orderCompare(const Value& a, const Value& b);
// A text that equal values share, for grouping, DISTINCT and hash joins.
std::string groupKey(const Value& v);
// Collation of text: Polish alphabet order, letters before their accented forms
// and case ignored first, then the bytes decide.
int collate(const std::string& a, const std::string& b);

std::string rtrim(std::string s);
bool truthy(const Value& v);  // a logical TRUE (NULL and FALSE are not)
std::string toText(const Value& v);
// Numeric value of v; nullopt when NULL; throws SqlType for text that is no number.
std::optional<double> toNumber(const Value& v, const char* what);

Value arithmetic(const std::string& op, const Value& a, const Value& b);
Value scalarFunction(const std::string& name, const std::vector<Value>& args, size_t position);
Value convert(const Value& v, const std::string& type, size_t position);
bool like(const std::string& text, const std::string& pattern);

} // namespace xb::sql
