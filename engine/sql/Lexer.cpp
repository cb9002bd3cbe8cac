#include "Lexer.h"

#include "../Error.h"
#include "../Field.h"

namespace xb::sql {

bool Token::is(std::string_view s) const {
    if (kind == TokenKind::Symbol) return text == s;
    if (kind == TokenKind::Identifier) return equalsIgnoreCase(text, s);
    return false;
}

namespace {

bool identStart(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80; }
bool identPart(unsigned char c) { return identStart(c) || (c >= '0' && c <= '9') || c == '$'; }
bool digit(char c) { return c >= '0' && c <= '9'; }

[[noreturn]] void syntax(size_t position, const std::string& what) {
    throw Error(ErrorCode::SqlSyntax, "Błąd składni SQL w pozycji " + std::to_string(position) + ": " + what);
}

} // namespace

std::vector<Token> tokenize(std::string_view s) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < s.size()) {
        char c = s[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        Token t;
        t.position = i + 1;
        if (c == '\'' || c == '"') {
            char quote = c;
            std::string text;
            size_t j = i + 1;
            for (;; ++j) {
                if (j >= s.size()) syntax(t.position, "niezamknięty cudzysłów");
                if (s[j] == quote) {
                    if (j + 1 < s.size() && s[j + 1] == quote) {
                        text += quote;
                        ++j;
                        continue;
                    }
                    break;
                }
                text += s[j];
            }
            t.kind = quote == '\'' ? TokenKind::String : TokenKind::QuotedIdentifier;
            t.text = std::move(text);
            i = j + 1;
        } else if (digit(c) || (c == '.' && i + 1 < s.size() && digit(s[i + 1]))) {
            size_t j = i;
            while (j < s.size() && digit(s[j])) ++j;
            if (j < s.size() && s[j] == '.') {
                ++j;
                while (j < s.size() && digit(s[j])) ++j;
            }
            if (j < s.size() && (s[j] == 'e' || s[j] == 'E') && j + 1 < s.size() &&
                (digit(s[j + 1]) || ((s[j + 1] == '-' || s[j + 1] == '+') && j + 2 < s.size() && digit(s[j + 2])))) {
                j += 2;
                while (j < s.size() && digit(s[j])) ++j;
            }
            t.kind = TokenKind::Number;
            t.text = std::string(s.substr(i, j - i));
            i = j;
        } else if (c == ':' && i + 1 < s.size() && identStart(static_cast<unsigned char>(s[i + 1]))) {
            size_t j = i + 1;
            while (j < s.size() && identPart(static_cast<unsigned char>(s[j]))) ++j;
            t.kind = TokenKind::Parameter;
            t.text = std::string(s.substr(i + 1, j - i - 1));
            i = j;
        } else if (identStart(static_cast<unsigned char>(c))) {
            size_t j = i;
            while (j < s.size() && identPart(static_cast<unsigned char>(s[j]))) ++j;
            t.kind = TokenKind::Identifier;
            t.text = std::string(s.substr(i, j - i));
            i = j;
        } else {
            static const char* twoChar[] = {"<>", "<=", ">=", "!=", "||", "=="};
            t.kind = TokenKind::Symbol;
            for (const char* op : twoChar)
                if (s.substr(i, 2) == op) t.text = op;
            if (t.text.empty()) {
                if (std::string_view("+-*/=<>(),.;").find(c) == std::string_view::npos)
                    syntax(t.position, std::string("niedozwolony znak '") + c + "'");
                t.text = std::string(1, c);
            }
            i += t.text.size();
        }
        tokens.push_back(std::move(t));
    }
    Token end;
    end.position = s.size() + 1;
    tokens.push_back(end);
    return tokens;
}

} // namespace xb::sql
