#pragma once
// Key encodings of the two index formats (see engine/index/FORMAT.md):
// - CDX: character keys are code-page bytes padded with blanks; numbers and dates
//   (Julian day numbers) are IEEE doubles written big-endian with the sign bit
//   flipped (all bits for negatives), so that byte order is numeric order;
//   logicals are 'T' or 'F'.
// - NTX: character keys as in CDX; dates as YYYYMMDD; numbers as their text of
//   the key width with leading blanks turned into '0' and negatives mapped so
//   that they sort first; logicals 'T'/'F'.
#include "Expression.h"

#include <string>

namespace xb {

enum class IndexFormat { Cdx, Ntx };

namespace keys {

// Width of the stored key for an expression of this type and width.
int keyLength(IndexFormat format, ExprType type, int width);
// The pad byte of a key type (blank for characters, 0 for CDX numbers and dates).
char padByte(IndexFormat format, ExprType type);

std::string encode(IndexFormat format, ExprType type, int keyLength, int decimals, const Value& v);
// A stored key back as a value (character keys keep their code-page bytes, right-trimmed).
Value decode(IndexFormat format, ExprType type, std::string_view key);

std::string cdxDouble(double d);
double cdxDoubleValue(std::string_view key);
std::string ntxNumber(double d, int width, int decimals);

} // namespace keys

} // namespace xb
