#pragma once
// Recursive-descent parser of the SQL subset; errors name the position and the token.
#include "Ast.h"

#include <string_view>

namespace xb::sql {

Statement parse(std::string_view text);

} // namespace xb::sql
