#include "ExpressionParser.h"

#include "../Error.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace xb {

namespace {

std::unique_ptr<ExprNode> node(ExprOp op, ExprType type, int width, int decimals = 0) {
    auto n = std::make_unique<ExprNode>();
    n->op = op;
    n->type = type;
    n->width = width;
    n->decimals = decimals;
    return n;
}

bool isNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

const char* typeName(ExprType t) {
    switch (t) {
    case ExprType::Character: return "znakowy";
    case ExprType::Numeric: return "liczbowy";
    case ExprType::Date: return "data";
    case ExprType::Logical: return "logiczny";
    }
    return "?";
}

} // namespace

void ExpressionParser::fail(const std::string& what, size_t pos) const {
    throw Error(ErrorCode::BadValue,
                "Błąd w wyrażeniu '" + std::string(text_) + "' na pozycji " + std::to_string(pos + 1) + ": " + what);
}

ExpressionParser::Token ExpressionParser::next() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    Token t;
    t.pos = pos_;
    if (pos_ >= text_.size()) return t;
    char c = text_[pos_];
    if (isNameStart(c)) {
        size_t end = pos_;
        while (end < text_.size() && isNameChar(text_[end])) ++end;
        t.kind = Tok::Name;
        t.text = upperAscii(text_.substr(pos_, end - pos_));
        pos_ = end;
        return t;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) ||
        (c == '.' && pos_ + 1 < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_ + 1])))) {
        size_t end = pos_;
        while (end < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[end])) || text_[end] == '.')) ++end;
        t.kind = Tok::Number;
        t.text = std::string(text_.substr(pos_, end - pos_));
        pos_ = end;
        return t;
    }
    if (c == '"' || c == '\'') {
        size_t end = text_.find(c, pos_ + 1);
        if (end == std::string_view::npos) fail("niezamknięty napis", pos_);
        t.kind = Tok::String;
        t.text = std::string(text_.substr(pos_ + 1, end - pos_ - 1));
        pos_ = end + 1;
        return t;
    }
    if (c == '.') {
        size_t end = text_.find('.', pos_ + 1);
        if (end != std::string_view::npos && end > pos_ + 1) {
            std::string word = upperAscii(text_.substr(pos_ + 1, end - pos_ - 1));
            if (word == "T" || word == "F" || word == "Y" || word == "N" || word == "AND" || word == "OR" ||
                word == "NOT") {
                t.kind = Tok::Dot;
                t.text = word;
                pos_ = end + 1;
                return t;
            }
        }
        fail("nieoczekiwana kropka", pos_);
    }
    static const char* const ops[] = {"->", "==", "<>", "!=", "<=", ">=", "=", "#", "<", ">", "+", "-", "*", "/", "%", "$", "!"};
    for (const char* op : ops) {
        std::string_view o(op);
        if (text_.substr(pos_, o.size()) == o) {
            t.kind = o == "->" ? Tok::Arrow : Tok::Op;
            t.text = std::string(o);
            pos_ += o.size();
            return t;
        }
    }
    if (c == '(') t.kind = Tok::LParen;
    else if (c == ')') t.kind = Tok::RParen;
    else if (c == ',') t.kind = Tok::Comma;
    else fail(std::string("nieoczekiwany znak '") + c + "'", pos_);
    ++pos_;
    return t;
}

const ExpressionParser::Token& ExpressionParser::peek() {
    if (!peeked_) {
        lookahead_ = next();
        peeked_ = true;
    }
    return lookahead_;
}

ExpressionParser::Token ExpressionParser::take() {
    peek();
    peeked_ = false;
    return lookahead_;
}

bool ExpressionParser::acceptOp(std::string_view op) {
    const Token& t = peek();
    if ((t.kind == Tok::Op || t.kind == Tok::Dot) && t.text == op) {
        take();
        return true;
    }
    return false;
}

std::unique_ptr<ExprNode> ExpressionParser::make(ExprOp op, ExprType type, int width, int decimals) {
    // Bounded trees keep evaluation's recursion shallow whatever the text.
    if (++nodes_ > kMaxNodes) fail("wyrażenie zbyt złożone", pos_);
    return node(op, type, width, decimals);
}

void ExpressionParser::enter() {
    if (++depth_ > kMaxDepth) fail("wyrażenie zbyt zagnieżdżone", pos_);
}

std::unique_ptr<ExprNode> ExpressionParser::parse() {
    if (text_.size() > 4096) fail("wyrażenie za długie", 0);
    auto root = orExpr();
    if (peek().kind != Tok::End) fail("nadmiarowy tekst", peek().pos);
    return root;
}

std::unique_ptr<ExprNode> ExpressionParser::orExpr() {
    enter();
    auto left = andExpr();
    while (acceptOp("OR")) {
        auto right = andExpr();
        auto n = make(ExprOp::Or, ExprType::Logical, 1);
        if (left->type != ExprType::Logical || right->type != ExprType::Logical) fail(".OR. wymaga wartości logicznych", pos_);
        n->args.push_back(std::move(left));
        n->args.push_back(std::move(right));
        left = std::move(n);
    }
    --depth_;
    return left;
}

std::unique_ptr<ExprNode> ExpressionParser::andExpr() {
    auto left = notExpr();
    while (acceptOp("AND")) {
        auto right = notExpr();
        if (left->type != ExprType::Logical || right->type != ExprType::Logical) fail(".AND. wymaga wartości logicznych", pos_);
        auto n = make(ExprOp::And, ExprType::Logical, 1);
        n->args.push_back(std::move(left));
        n->args.push_back(std::move(right));
        left = std::move(n);
    }
    return left;
}

std::unique_ptr<ExprNode> ExpressionParser::notExpr() {
    if (acceptOp("NOT") || acceptOp("!")) {
        size_t at = pos_;
        enter();
        auto inner = notExpr();
        --depth_;
        if (inner->type != ExprType::Logical) fail(".NOT. wymaga wartości logicznej", at);
        auto n = make(ExprOp::Not, ExprType::Logical, 1);
        n->args.push_back(std::move(inner));
        return n;
    }
    return comparison();
}

std::unique_ptr<ExprNode> ExpressionParser::comparison() {
    auto left = additive();
    static const std::pair<const char*, ExprOp> ops[] = {
        {"==", ExprOp::ExactEq}, {"=", ExprOp::Eq}, {"<>", ExprOp::Ne}, {"#", ExprOp::Ne}, {"!=", ExprOp::Ne},
        {"<=", ExprOp::Le}, {">=", ExprOp::Ge}, {"<", ExprOp::Lt}, {">", ExprOp::Gt}, {"$", ExprOp::Contains}};
    for (const auto& [text, op] : ops) {
        size_t at = peek().pos;
        if (!acceptOp(text)) continue;
        auto right = additive();
        if (left->type != right->type)
            fail(std::string("porównanie typów ") + typeName(left->type) + " i " + typeName(right->type), at);
        if (op == ExprOp::Contains && left->type != ExprType::Character) fail("$ wymaga napisów", at);
        auto n = node(op, ExprType::Logical, 1);
        n->args.push_back(std::move(left));
        n->args.push_back(std::move(right));
        return n;
    }
    return left;
}

std::unique_ptr<ExprNode> ExpressionParser::additive() {
    auto left = multiplicative();
    for (;;) {
        size_t at = peek().pos;
        bool plus = acceptOp("+");
        if (!plus && !acceptOp("-")) return left;
        auto right = multiplicative();
        ExprType a = left->type, b = right->type;
        std::unique_ptr<ExprNode> n;
        if (a == ExprType::Character && b == ExprType::Character)
            n = node(plus ? ExprOp::Concat : ExprOp::ConcatTrim, a, left->width + right->width);
        else if (a == ExprType::Numeric && b == ExprType::Numeric)
            n = node(plus ? ExprOp::Add : ExprOp::Sub, a, std::max(left->width, right->width) + 1,
                     std::max(left->decimals, right->decimals));
        else if (a == ExprType::Date && b == ExprType::Numeric)
            n = node(plus ? ExprOp::Add : ExprOp::Sub, ExprType::Date, 8);
        else if (plus && a == ExprType::Numeric && b == ExprType::Date)
            n = make(ExprOp::Add, ExprType::Date, 8);
        else if (!plus && a == ExprType::Date && b == ExprType::Date)
            n = make(ExprOp::Sub, ExprType::Numeric, 10);
        else
            fail(std::string("działanie na typach ") + typeName(a) + " i " + typeName(b), at);
        n->args.push_back(std::move(left));
        n->args.push_back(std::move(right));
        left = std::move(n);
    }
}

std::unique_ptr<ExprNode> ExpressionParser::multiplicative() {
    auto left = unary();
    for (;;) {
        size_t at = peek().pos;
        ExprOp op;
        if (acceptOp("*")) op = ExprOp::Mul;
        else if (acceptOp("/")) op = ExprOp::Div;
        else return left;
        auto right = unary();
        if (left->type != ExprType::Numeric || right->type != ExprType::Numeric) fail("działanie wymaga liczb", at);
        auto n = node(op, ExprType::Numeric, 20, 4);
        n->args.push_back(std::move(left));
        n->args.push_back(std::move(right));
        left = std::move(n);
    }
}

std::unique_ptr<ExprNode> ExpressionParser::unary() {
    size_t at = peek().pos;
    if (acceptOp("-")) {
        enter();
        auto inner = unary();
        --depth_;
        if (inner->type != ExprType::Numeric) fail("minus wymaga liczby", at);
        auto n = make(ExprOp::Neg, ExprType::Numeric, inner->width + 1, inner->decimals);
        n->args.push_back(std::move(inner));
        return n;
    }
    if (acceptOp("+")) {
        enter();
        auto inner = unary();
        --depth_;
        return inner;
    }
    return primary();
}

std::unique_ptr<ExprNode> ExpressionParser::primary() {
    Token t = take();
    switch (t.kind) {
    case Tok::Number: {
        auto n = make(ExprOp::Literal, ExprType::Numeric, static_cast<int>(t.text.size()));
        size_t dot = t.text.find('.');
        n->decimals = dot == std::string::npos ? 0 : static_cast<int>(t.text.size() - dot - 1);
        n->literal = std::strtod(t.text.c_str(), nullptr);
        return n;
    }
    case Tok::String: {
        auto n = make(ExprOp::Literal, ExprType::Character, static_cast<int>(t.text.size()));
        n->literal = schema_.codePage().encode(t.text);
        n->width = static_cast<int>(std::get<std::string>(n->literal).size());
        return n;
    }
    case Tok::Dot: {
        if (t.text == "T" || t.text == "Y" || t.text == "F" || t.text == "N") {
            auto n = make(ExprOp::Literal, ExprType::Logical, 1);
            n->literal = t.text == "T" || t.text == "Y";
            return n;
        }
        break;
    }
    case Tok::LParen: {
        auto inner = orExpr();
        if (take().kind != Tok::RParen) fail("brak nawiasu zamykającego", pos_);
        return inner;
    }
    case Tok::Name: {
        if (peek().kind == Tok::LParen) {
            take();
            return call(t.text, t.pos);
        }
        if (peek().kind == Tok::Arrow) {
            take();
            Token field = take();
            if (field.kind != Tok::Name) fail("oczekiwano nazwy pola po ->", field.pos);
            return fieldRef(field.text, field.pos);
        }
        return fieldRef(t.text, t.pos);
    }
    default: break;
    }
    fail(t.kind == Tok::End ? "niespodziewany koniec wyrażenia" : "nieoczekiwany element '" + t.text + "'", t.pos);
}

std::unique_ptr<ExprNode> ExpressionParser::fieldRef(const std::string& name, size_t pos) {
    int index = schema_.indexOf(name);
    if (index < 0) throw Error(ErrorCode::NoSuchField, "Nie ma pola '" + name + "' (wyrażenie '" + std::string(text_) + "')");
    const FieldDef& f = schema_.field(index);
    auto n = make(ExprOp::Field, ExprType::Character, f.length);
    n->field = index;
    switch (f.type) {
    case FieldType::Character: break;
    case FieldType::Numeric:
    case FieldType::Float:
    case FieldType::Integer:
    case FieldType::Double:
    case FieldType::Currency:
        n->type = ExprType::Numeric;
        n->decimals = f.decimals;
        if (f.type == FieldType::Integer) n->width = 10;
        break;
    case FieldType::Date: n->type = ExprType::Date; n->width = 8; break;
    case FieldType::Logical: n->type = ExprType::Logical; n->width = 1; break;
    default: fail("pole '" + name + "' tego typu nie może być częścią klucza", pos);
    }
    return n;
}

std::unique_ptr<ExprNode> ExpressionParser::call(const std::string& name, size_t pos) {
    std::vector<std::unique_ptr<ExprNode>> args;
    if (peek().kind != Tok::RParen) {
        for (;;) {
            args.push_back(orExpr());
            if (peek().kind != Tok::Comma) break;
            take();
        }
    }
    if (take().kind != Tok::RParen) fail("brak nawiasu zamykającego wywołania " + name, pos_);
    auto want = [&](size_t min, size_t max) {
        if (args.size() < min || args.size() > max) fail("zła liczba argumentów " + name, pos);
    };
    auto argType = [&](size_t i, ExprType t) {
        if (args[i]->type != t) fail(name + ": argument " + std::to_string(i + 1) + " powinien być typu " + typeName(t), pos);
    };
    auto literalInt = [&](size_t i, int fallback) {
        if (i < args.size() && args[i]->op == ExprOp::Literal && args[i]->type == ExprType::Numeric)
            return static_cast<int>(std::clamp(std::get<double>(args[i]->literal), -1e6, 1e6));
        return fallback;
    };
    std::unique_ptr<ExprNode> n;
    if (name == "UPPER" || name == "LOWER" || name == "TRIM" || name == "RTRIM" || name == "LTRIM" || name == "ALLTRIM") {
        want(1, 1);
        argType(0, ExprType::Character);
        ExprOp op = name == "UPPER" ? ExprOp::Upper : name == "LOWER" ? ExprOp::Lower
                  : name == "LTRIM" ? ExprOp::LTrim : name == "ALLTRIM" ? ExprOp::AllTrim : ExprOp::Trim;
        n = node(op, ExprType::Character, args[0]->width);
    } else if (name == "LEFT" || name == "RIGHT") {
        want(2, 2);
        argType(0, ExprType::Character);
        argType(1, ExprType::Numeric);
        int w = std::clamp(literalInt(1, args[0]->width), 0, args[0]->width);
        n = node(name == "LEFT" ? ExprOp::Left : ExprOp::Right, ExprType::Character, w);
    } else if (name == "SUBSTR") {
        want(2, 3);
        argType(0, ExprType::Character);
        argType(1, ExprType::Numeric);
        if (args.size() == 3) argType(2, ExprType::Numeric);
        int start = std::max(1, literalInt(1, 1));
        int w = std::clamp(literalInt(2, args[0]->width - start + 1), 0, args[0]->width);
        n = make(ExprOp::Substr, ExprType::Character, w);
    } else if (name == "STR") {
        want(1, 3);
        argType(0, ExprType::Numeric);
        for (size_t i = 1; i < args.size(); ++i) argType(i, ExprType::Numeric);
        int w = std::clamp(literalInt(1, 10), 1, 255);
        n = make(ExprOp::Str, ExprType::Character, w, std::clamp(literalInt(2, 0), 0, 16));
    } else if (name == "DTOS") {
        want(1, 1);
        argType(0, ExprType::Date);
        n = make(ExprOp::Dtos, ExprType::Character, 8);
    } else if (name == "VAL") {
        want(1, 1);
        argType(0, ExprType::Character);
        n = make(ExprOp::Val, ExprType::Numeric, args[0]->width, 2);
    } else if (name == "LEN") {
        want(1, 1);
        argType(0, ExprType::Character);
        n = make(ExprOp::Len, ExprType::Numeric, 5);
    } else if (name == "IIF") {
        want(3, 3);
        argType(0, ExprType::Logical);
        if (args[1]->type != args[2]->type) fail("IIF: obie gałęzie muszą być tego samego typu", pos);
        n = make(ExprOp::Iif, args[1]->type, std::max(args[1]->width, args[2]->width),
                 std::max(args[1]->decimals, args[2]->decimals));
    } else if (name == "DELETED") {
        want(0, 0);
        n = make(ExprOp::Deleted, ExprType::Logical, 1);
    } else if (name == "RECNO") {
        want(0, 0);
        n = make(ExprOp::Recno, ExprType::Numeric, 10);
    } else if (name == "YEAR" || name == "MONTH" || name == "DAY") {
        want(1, 1);
        argType(0, ExprType::Date);
        n = node(name == "YEAR" ? ExprOp::Year : name == "MONTH" ? ExprOp::Month : ExprOp::Day, ExprType::Numeric,
                 name == "YEAR" ? 4 : 2);
    } else {
        fail("nieznana funkcja " + name, pos);
    }
    n->args = std::move(args);
    return n;
}

} // namespace xb
