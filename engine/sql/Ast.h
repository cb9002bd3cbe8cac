#pragma once
// Parsed statements of the SQL subset.
#include "../Field.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace xb::sql {

struct Select;

enum class ExprKind {
    Literal,    // value
    Column,     // qualifier (may be empty) . name
    Parameter,  // name
    Unary,      // op: "-", "NOT"
    Binary,     // op: + - * / = <> < <= > >= AND OR
    Function,   // name(args); aggregates: COUNT SUM MIN MAX AVG; star for COUNT(*)
    In,         // args[0] IN (args[1..]) or IN (subquery); negated
    Between,    // args[0] BETWEEN args[1] AND args[2]; negated
    Like,       // args[0] LIKE args[1]; negated
    IsNull,     // args[0] IS [NOT] NULL; negated
    Convert,    // CONVERT(args[0], name) with name SQL_INTEGER, SQL_CHAR, SQL_DATE...
};

struct Expr {
    ExprKind kind = ExprKind::Literal;
    std::string op;         // operator, function name (upper case) or conversion type
    std::string qualifier;  // table alias of a column
    std::string name;       // column or parameter name
    Value value;            // literal
    bool negated = false;
    bool star = false;      // COUNT(*)
    bool distinct = false;  // COUNT(DISTINCT x)
    size_t position = 0;    // where it starts in the statement, for messages
    std::vector<std::shared_ptr<Expr>> args;
    std::shared_ptr<Select> subquery;  // IN (SELECT ...)
    // Bound by the executor (a statement is bound again each time it runs):
    mutable int slot = -1;       // table slot of a column
    mutable int field = -1;      // field index of a column
    mutable int aggregate = -1;  // accumulator index of an aggregate call
    mutable int item = -1;       // output column that a name or position refers to (ORDER BY, HAVING)
};

using ExprPtr = std::shared_ptr<Expr>;

struct SelectItem {
    ExprPtr expr;             // null for * and T.*
    std::string alias;
    bool star = false;
    std::string starQualifier;
};

enum class JoinKind { Comma, Inner, Left };

struct TableRef {
    std::string name;   // as written (path allowed)
    std::string alias;
    JoinKind join = JoinKind::Comma;
    ExprPtr on;
    size_t position = 0;
};

struct OrderItem {
    ExprPtr expr;
    bool descending = false;
};

struct Select {
    bool distinct = false;
    std::vector<SelectItem> items;
    std::vector<TableRef> from;
    ExprPtr where;
    std::vector<ExprPtr> groupBy;
    ExprPtr having;
    std::vector<OrderItem> orderBy;  // on the last select of a union: for the whole result
    std::shared_ptr<Select> unionNext;
    bool unionAll = false;
};

struct Assignment {
    std::string field;
    ExprPtr value;
};

enum class StatementKind { Select, Update, Delete };

struct Statement {
    StatementKind kind = StatementKind::Select;
    std::shared_ptr<Select> select;
    TableRef table;                   // UPDATE / DELETE
    std::vector<Assignment> assignments;
    ExprPtr where;
};

} // namespace xb::sql
