#pragma once
// xBase expressions as index keys and FOR conditions use them: field names
// (also FIELD->NAME and ALIAS->NAME), literals, + and - on text, numbers and
// dates, comparisons, .AND./.OR./.NOT., and the functions such keys use
// (UPPER, LOWER, TRIM, RTRIM, LTRIM, ALLTRIM, LEFT, RIGHT, SUBSTR, STR, DTOS,
// VAL, IIF, DELETED, RECNO, YEAR, MONTH, DAY, LEN).
//
// An Expression is parsed once against a table's schema (field names are
// resolved and every node gets a static type and width), then evaluated over
// records. Character values are bytes in the table's code page, fixed-width as
// stored (fields are not trimmed), so that a key is exactly what the index
// holds; callers that show values decode them with the schema's code page.
#include "../Record.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xb {

enum class ExprType : char { Character = 'C', Numeric = 'N', Date = 'D', Logical = 'L' };

// One row seen by an expression: the record bytes (deletion flag first) and its number.
struct ExprRow {
    const char* bytes = nullptr;
    uint32_t recno = 0;
};

struct ExprNode;

class Expression {
public:
    // Parses `text` against `schema`; throws Error(BadValue) naming the position of a syntax
    // error, NoSuchField for an unknown field and BadValue for a type mismatch.
    static Expression parse(std::string_view text, std::shared_ptr<const Schema> schema);

    Expression();
    ~Expression();
    Expression(Expression&&) noexcept;
    Expression& operator=(Expression&&) noexcept;
    Expression(const Expression&) = delete;
    Expression& operator=(const Expression&) = delete;

    const std::string& text() const { return text_; }
    ExprType type() const;
    // Width of a character result (the longest value it can have); 8 for dates, 1 for logicals,
    // the field width (or STR width) for numbers.
    int width() const;
    int decimals() const;
    // Index of the field when the whole expression is one field reference, else -1.
    int singleField() const;

    Value evaluate(const ExprRow& row) const;
    Value evaluate(const Record& record, uint32_t recno = 0) const {
        return evaluate(ExprRow{record.bytes().data(), recno});
    }
    // For a logical expression: its value (false when the result is not logical).
    bool test(const ExprRow& row) const;

    const Schema& schema() const { return *schema_; }

private:
    std::string text_;
    std::shared_ptr<const Schema> schema_;
    std::unique_ptr<ExprNode> root_;
};

} // namespace xb
