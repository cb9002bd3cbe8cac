#pragma once
// RFC 4180 CSV: quoting on write, a streaming reader of records.
#include <istream>
#include <string>
#include <vector>

namespace xb::csv {

std::string quote(const std::string& field);
std::string line(const std::vector<std::string>& fields);  // ends with CRLF

// Reads one record (fields may hold quoted commas and line breaks); false at end of input.
// Throws xb::Error(BadValue) on an unterminated quote.
bool readRecord(std::istream& in, std::vector<std::string>& fields);

} // namespace xb::csv
