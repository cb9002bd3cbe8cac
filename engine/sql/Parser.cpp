#include "Parser.h"

#include "../Error.h"
#include "Lexer.h"

#include <cstdlib>

namespace xb::sql {

namespace {

const char* const kReserved[] = {"SELECT", "FROM", "WHERE", "GROUP", "BY", "HAVING", "ORDER", "UNION", "ALL",
                                 "AND", "OR", "NOT", "AS", "ON", "JOIN", "LEFT", "RIGHT", "INNER", "OUTER",
                                 "ASC", "DESC", "IN", "IS", "NULL", "LIKE", "BETWEEN", "SET", "DISTINCT",
                                 "UPDATE", "DELETE"};

bool reserved(const Token& t) {
    if (t.kind != TokenKind::Identifier) return false;
    for (const char* k : kReserved)
        if (t.is(k)) return true;
    return false;
}

class Parser {
public:
    explicit Parser(std::string_view text) : tokens_(tokenize(text)) {}

    Statement statement() {
        Statement s;
        if (peek().is("SELECT")) {
            s.kind = StatementKind::Select;
            s.select = selectChain();
        } else if (accept("UPDATE")) {
            s.kind = StatementKind::Update;
            s.table = tableName();
            expect("SET");
            do {
                Assignment a;
                a.field = columnName();
                expect("=");
                a.value = expression();
                s.assignments.push_back(std::move(a));
            } while (accept(","));
            if (accept("WHERE")) s.where = expression();
        } else if (accept("DELETE")) {
            s.kind = StatementKind::Delete;
            expect("FROM");
            s.table = tableName();
            if (accept("WHERE")) s.where = expression();
        } else {
            fail("oczekiwano SELECT, UPDATE albo DELETE");
        }
        accept(";");
        if (peek().kind != TokenKind::End) fail("nadmiarowy tekst");
        return s;
    }

private:
    const Token& peek(size_t ahead = 0) const { return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)]; }
    const Token& take() { return tokens_[pos_ < tokens_.size() - 1 ? pos_++ : pos_]; }

    bool accept(std::string_view s) {
        if (!peek().is(s)) return false;
        take();
        return true;
    }
    void expect(std::string_view s) {
        if (!accept(s)) fail("oczekiwano " + std::string(s));
    }

    [[noreturn]] void fail(const std::string& what) const {
        const Token& t = peek();
        std::string near = t.kind == TokenKind::End ? "koniec tekstu" : "'" + t.text + "'";
        throw Error(ErrorCode::SqlSyntax,
                    "Błąd składni SQL w pozycji " + std::to_string(t.position) + " przy " + near + ": " + what);
    }

    std::string columnName() {
        const Token& t = peek();
        if ((t.kind == TokenKind::Identifier && !reserved(t)) || t.kind == TokenKind::QuotedIdentifier) return take().text;
        fail("oczekiwano nazwy pola");
    }

    TableRef tableName() {
        TableRef r;
        r.position = peek().position;
        const Token& t = peek();
        if (t.kind == TokenKind::QuotedIdentifier) {
            r.name = take().text;
        } else if (t.kind == TokenKind::Identifier && !reserved(t)) {
            r.name = take().text;
            // bare names may carry an extension or a path: KOS.DBF, ..\kos.dbf is quoted in practice
            while (peek().is(".") && peek(1).kind == TokenKind::Identifier) {
                take();
                r.name += "." + take().text;
            }
        } else {
            fail("oczekiwano nazwy tabeli");
        }
        if (accept("AS")) {
            r.alias = columnName();
        } else if (peek().kind == TokenKind::Identifier && !reserved(peek())) {
            r.alias = take().text;
        }
        return r;
    }

    std::shared_ptr<Select> selectChain() {
        auto first = selectCore();
        Select* last = first.get();
        while (accept("UNION")) {
            bool all = accept("ALL");
            last->unionAll = all;
            last->unionNext = selectCore();
            last = last->unionNext.get();
        }
        if (accept("ORDER")) {
            expect("BY");
            do {
                OrderItem o;
                o.expr = expression();
                if (accept("DESC")) o.descending = true;
                else accept("ASC");
                first->orderBy.push_back(std::move(o));
            } while (accept(","));
        }
        return first;
    }

    std::shared_ptr<Select> selectCore() {
        expect("SELECT");
        auto s = std::make_shared<Select>();
        if (accept("DISTINCT")) s->distinct = true;
        else accept("ALL");
        do {
            s->items.push_back(selectItem());
        } while (accept(","));
        if (accept("FROM")) {
            s->from.push_back(tableName());
            for (;;) {
                JoinKind kind;
                if (accept(",")) {
                    kind = JoinKind::Comma;
                } else if (accept("LEFT")) {
                    accept("OUTER");
                    expect("JOIN");
                    kind = JoinKind::Left;
                } else if (accept("INNER")) {
                    expect("JOIN");
                    kind = JoinKind::Inner;
                } else if (accept("JOIN")) {
                    kind = JoinKind::Inner;
                } else {
                    break;
                }
                TableRef r = tableName();
                r.join = kind;
                if (kind != JoinKind::Comma) {
                    expect("ON");
                    r.on = expression();
                }
                s->from.push_back(std::move(r));
            }
        }
        if (accept("WHERE")) s->where = expression();
        if (accept("GROUP")) {
            expect("BY");
            do {
                s->groupBy.push_back(expression());
            } while (accept(","));
        }
        if (accept("HAVING")) s->having = expression();
        return s;
    }

    SelectItem selectItem() {
        SelectItem item;
        if (accept("*")) {
            item.star = true;
            return item;
        }
        if ((peek().kind == TokenKind::Identifier || peek().kind == TokenKind::QuotedIdentifier) && peek(1).is(".") &&
            peek(2).is("*")) {
            item.star = true;
            item.starQualifier = take().text;
            take();
            take();
            return item;
        }
        item.expr = expression();
        if (accept("AS")) {
            item.alias = columnName();
        } else if ((peek().kind == TokenKind::Identifier && !reserved(peek())) ||
                   peek().kind == TokenKind::QuotedIdentifier) {
            item.alias = take().text;
        }
        return item;
    }

    ExprPtr make(ExprKind kind, size_t position) {
        auto e = std::make_shared<Expr>();
        e->kind = kind;
        e->position = position;
        return e;
    }

    ExprPtr binary(const std::string& op, ExprPtr a, ExprPtr b) {
        auto e = make(ExprKind::Binary, a->position);
        e->op = op;
        e->args.push_back(std::move(a));
        e->args.push_back(std::move(b));
        return e;
    }

    ExprPtr expression() { return orExpr(); }

    ExprPtr orExpr() {
        auto e = andExpr();
        while (accept("OR")) e = binary("OR", std::move(e), andExpr());
        return e;
    }

    ExprPtr andExpr() {
        auto e = notExpr();
        while (accept("AND")) e = binary("AND", std::move(e), notExpr());
        return e;
    }

    ExprPtr notExpr() {
        if (peek().is("NOT")) {
            size_t p = take().position;
            auto e = make(ExprKind::Unary, p);
            e->op = "NOT";
            e->args.push_back(notExpr());
            return e;
        }
        return comparison();
    }

    ExprPtr comparison() {
        auto left = additive();
        for (;;) {
            const Token& t = peek();
            if (t.is("=") || t.is("==") || t.is("<>") || t.is("!=") || t.is("<") || t.is("<=") || t.is(">") || t.is(">=")) {
                std::string op = take().text;
                if (op == "!=") op = "<>";
                if (op == "==") op = "=";
                left = binary(op, std::move(left), additive());
                continue;
            }
            bool negated = false;
            if (t.is("NOT") && (peek(1).is("IN") || peek(1).is("LIKE") || peek(1).is("BETWEEN"))) {
                take();
                negated = true;
            }
            if (accept("IS")) {
                auto e = make(ExprKind::IsNull, left->position);
                e->negated = accept("NOT");
                expect("NULL");
                e->args.push_back(std::move(left));
                left = std::move(e);
            } else if (accept("IN")) {
                auto e = make(ExprKind::In, left->position);
                e->negated = negated;
                e->args.push_back(std::move(left));
                expect("(");
                if (peek().is("SELECT")) {
                    e->subquery = selectChain();
                } else {
                    do {
                        e->args.push_back(expression());
                    } while (accept(","));
                }
                expect(")");
                left = std::move(e);
            } else if (accept("LIKE")) {
                auto e = make(ExprKind::Like, left->position);
                e->negated = negated;
                e->args.push_back(std::move(left));
                e->args.push_back(additive());
                left = std::move(e);
            } else if (accept("BETWEEN")) {
                auto e = make(ExprKind::Between, left->position);
                e->negated = negated;
                e->args.push_back(std::move(left));
                e->args.push_back(additive());
                expect("AND");
                e->args.push_back(additive());
                left = std::move(e);
            } else {
                if (negated) fail("oczekiwano IN, LIKE albo BETWEEN");
                return left;
            }
        }
    }

    ExprPtr additive() {
        auto e = multiplicative();
        while (peek().is("+") || peek().is("-") || peek().is("||")) {
            std::string op = take().text;
            e = binary(op == "||" ? "+" : op, std::move(e), multiplicative());
        }
        return e;
    }

    ExprPtr multiplicative() {
        auto e = unary();
        while (peek().is("*") || peek().is("/")) {
            std::string op = take().text;
            e = binary(op, std::move(e), unary());
        }
        return e;
    }

    ExprPtr unary() {
        if (peek().is("-") || peek().is("+")) {
            const Token& t = take();
            auto e = make(ExprKind::Unary, t.position);
            e->op = t.text;
            e->args.push_back(unary());
            return e;
        }
        return primary();
    }

    ExprPtr primary() {
        const Token& t = peek();
        size_t p = t.position;
        if (t.kind == TokenKind::Number) {
            auto e = make(ExprKind::Literal, p);
            e->value = std::strtod(take().text.c_str(), nullptr);
            return e;
        }
        if (t.kind == TokenKind::String) {
            auto e = make(ExprKind::Literal, p);
            e->value = take().text;
            return e;
        }
        if (t.kind == TokenKind::Parameter) {
            auto e = make(ExprKind::Parameter, p);
            e->name = take().text;
            return e;
        }
        if (accept("(")) {
            auto e = expression();
            expect(")");
            return e;
        }
        if (t.is("NULL")) {
            take();
            return make(ExprKind::Literal, p);
        }
        if (t.is("TRUE") || t.is("FALSE")) {
            auto e = make(ExprKind::Literal, p);
            e->value = take().is("TRUE");
            return e;
        }
        if (t.kind == TokenKind::Identifier && !reserved(t) && peek(1).is("(")) return call();
        if (t.kind == TokenKind::QuotedIdentifier || (t.kind == TokenKind::Identifier && !reserved(t))) {
            auto e = make(ExprKind::Column, p);
            std::string first = take().text;
            if (peek().is(".") &&
                (peek(1).kind == TokenKind::Identifier || peek(1).kind == TokenKind::QuotedIdentifier)) {
                take();
                e->qualifier = first;
                e->name = take().text;
            } else {
                e->name = first;
            }
            return e;
        }
        fail("oczekiwano wyrażenia");
    }

    ExprPtr call() {
        size_t p = peek().position;
        std::string name = upperAscii(take().text);
        expect("(");
        if (name == "CONVERT") {
            auto e = make(ExprKind::Convert, p);
            e->args.push_back(expression());
            expect(",");
            if (peek().kind != TokenKind::Identifier) fail("oczekiwano typu konwersji");
            e->op = upperAscii(take().text);
            expect(")");
            return e;
        }
        auto e = make(ExprKind::Function, p);
        e->op = name;
        if (accept("*")) {
            e->star = true;
        } else if (!peek().is(")")) {
            if (accept("DISTINCT")) e->distinct = true;
            do {
                e->args.push_back(expression());
            } while (accept(","));
        }
        expect(")");
        return e;
    }

    std::vector<Token> tokens_;
    size_t pos_ = 0;
};

} // namespace

Statement parse(std::string_view text) { return Parser(text).statement(); }

} // namespace xb::sql
