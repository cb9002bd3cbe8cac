#pragma once
// The nodes of a parsed expression: a small typed tree evaluated by recursion.
#include "Expression.h"

namespace xb {

enum class ExprOp {
    Field, Literal, Concat, ConcatTrim, Add, Sub, Mul, Div, Neg,
    Eq, ExactEq, Ne, Lt, Le, Gt, Ge, Contains, And, Or, Not,
    Upper, Lower, Trim, LTrim, AllTrim, Left, Right, Substr, Str, Dtos, Val, Iif,
    Deleted, Recno, Year, Month, Day, Len,
};

struct ExprNode {
    ExprOp op = ExprOp::Literal;
    ExprType type = ExprType::Character;
    int width = 0;     // static width of the result (see Expression::width)
    int decimals = 0;
    int field = -1;    // for Field
    Value literal;     // for Literal
    std::vector<std::unique_ptr<ExprNode>> args;

    Value eval(const Schema& schema, const ExprRow& row) const;
};

} // namespace xb
