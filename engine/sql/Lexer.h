#pragma once
// Tokens of the SQL subset: identifiers (bare or in double quotes), strings in
// single quotes ('' inside), numbers, parameters :Name and operators.
#include <string>
#include <string_view>
#include <vector>

namespace xb::sql {

enum class TokenKind { Identifier, QuotedIdentifier, String, Number, Parameter, Symbol, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;  // identifier/string/number text without quotes; symbol as written
    size_t position = 0;  // 1-based character position in the statement

    bool is(std::string_view symbolOrKeyword) const;  // case-insensitive for identifiers
};

// Splits a statement into tokens; throws Error(SqlSyntax) naming the position.
std::vector<Token> tokenize(std::string_view text);

} // namespace xb::sql
