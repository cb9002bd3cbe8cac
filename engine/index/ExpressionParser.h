#pragma once
// Recursive-descent parser of xBase expressions into typed ExprNode trees.
#include "ExprNode.h"

namespace xb {

class ExpressionParser {
public:
    ExpressionParser(std::string_view text, const Schema& schema) : text_(text), schema_(schema) {}
    std::unique_ptr<ExprNode> parse();

private:
    enum class Tok { End, Name, Number, String, LParen, RParen, Comma, Arrow, Op, Dot };
    struct Token {
        Tok kind = Tok::End;
        std::string text;  // upper-cased for names and dotted words
        size_t pos = 0;
    };

    Token next();
    const Token& peek();
    Token take();
    bool acceptOp(std::string_view op);
    [[noreturn]] void fail(const std::string& what, size_t pos) const;

    std::unique_ptr<ExprNode> orExpr();
    std::unique_ptr<ExprNode> andExpr();
    std::unique_ptr<ExprNode> notExpr();
    std::unique_ptr<ExprNode> comparison();
    std::unique_ptr<ExprNode> additive();
    std::unique_ptr<ExprNode> multiplicative();
    std::unique_ptr<ExprNode> unary();
    std::unique_ptr<ExprNode> primary();
    std::unique_ptr<ExprNode> call(const std::string& name, size_t pos);
    std::unique_ptr<ExprNode> fieldRef(const std::string& name, size_t pos);
    std::unique_ptr<ExprNode> make(ExprOp op, ExprType type, int width, int decimals = 0);
    void enter();

    static constexpr int kMaxNodes = 512;
    static constexpr int kMaxDepth = 64;

    std::string_view text_;
    const Schema& schema_;
    size_t pos_ = 0;
    int nodes_ = 0;
    int depth_ = 0;
    bool peeked_ = false;
    Token lookahead_;
};

} // namespace xb
