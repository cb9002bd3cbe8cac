// Key expressions: values, types and widths as the index keys need them, and the
// errors of expressions that cannot be keys.
#include "Error.h"
#include "index/Expression.h"
#include "index/KeyCodec.h"

#include <gtest/gtest.h>

using namespace xb;

namespace {

std::shared_ptr<const Schema> cardSchema() {
    static auto schema = std::make_shared<Schema>(
        parseFieldList("NR_EW,N,6,0;Z_DNIA,D;NAZWISKO,C,12;KWOTA,N,8,2;AKTYWNY,L;ST_KOSZT,C,5;ODDZIAL,C,3"),
        CodePage::get(852));
    return schema;
}

Record card() {
    Record r = Record::blank(cardSchema());
    r.set("NR_EW", 42.0);
    r.set("Z_DNIA", Date{2026, 12, 11});
    r.set("NAZWISKO", std::string("Żółć Ola"));
    r.set("KWOTA", -3.5);
    r.set("AKTYWNY", true);
    r.set("ST_KOSZT", std::string("102"));
    r.set("ODDZIAL", std::string("7"));
    return r;
}

// Character results are shown decoded from the table's code page.
std::string shown(const Value& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return "'" + CodePage::get(852).decode(*s) + "'";
    if (const auto* d = std::get_if<double>(&v)) return std::to_string(*d);
    if (const auto* b = std::get_if<bool>(&v)) return *b ? ".T." : ".F.";
    if (const auto* d = std::get_if<Date>(&v)) return d->iso();
    return "null";
}

TEST(KeyExpression, EvaluatesAsIndexKeysNeed) {
    struct Case { const char* text; ExprType type; int width; std::string value; };
    const Case cases[] = {
        {"NR_EW", ExprType::Numeric, 6, "42.000000"},
        {"Z_DNIA", ExprType::Date, 8, "2026-12-11"},
        {"NAZWISKO", ExprType::Character, 12, "'Żółć Ola    '"},
        {"UPPER(NAZWISKO)", ExprType::Character, 12, "'ŻÓŁĆ OLA    '"},
        {"lower(FIELD->nazwisko)", ExprType::Character, 12, "'żółć ola    '"},
        {"ST_KOSZT+ODDZIAL", ExprType::Character, 8, "'102  7  '"},
        {"TRIM(ST_KOSZT)+ODDZIAL", ExprType::Character, 8, "'1027  '"},
        {"ST_KOSZT-ODDZIAL", ExprType::Character, 8, "'1027    '"},
        {"STR(NR_EW,5)+DTOS(Z_DNIA)", ExprType::Character, 13, "'   4220261211'"},
        {"STR(KWOTA,7,2)", ExprType::Character, 7, "'  -3.50'"},
        {"LEFT(NAZWISKO,3)+SUBSTR(NAZWISKO,6,2)", ExprType::Character, 5, "'ŻółOl'"},
        {"RIGHT(ALLTRIM(NAZWISKO),3)", ExprType::Character, 3, "'Ola'"},
        {"kartydz->NR_EW * 2 + 1", ExprType::Numeric, 21, "85.000000"},
        {"Z_DNIA + 21", ExprType::Date, 8, "2027-01-01"},
        {"TRIM(UPPER(NAZWISKO))==\"ŻÓŁĆ OLA\"", ExprType::Logical, 1, ".T."},
        {"NAZWISKO = 'Żół'", ExprType::Logical, 1, ".T."},
        {".NOT.DELETED() .AND. AKTYWNY", ExprType::Logical, 1, ".T."},
        {"NR_EW > 40 .OR. KWOTA < 0", ExprType::Logical, 1, ".T."},
        {"'ół' $ NAZWISKO", ExprType::Logical, 1, ".T."},
        {"IIF(KWOTA < 0, 'minus', 'plus ')", ExprType::Character, 5, "'minus'"},
        {"VAL('12.5') + YEAR(Z_DNIA) + RECNO()", ExprType::Numeric, 11, "2045.500000"},
    };
    for (const Case& c : cases) {
        Expression e = Expression::parse(c.text, cardSchema());
        EXPECT_EQ(e.type(), c.type) << c.text;
        EXPECT_EQ(e.width(), c.width) << c.text;
        EXPECT_EQ(shown(e.evaluate(card(), 7)), c.value) << c.text;
    }
}

TEST(KeyExpression, RefusesWhatCannotBeAKey) {
    struct Case { std::string text; ErrorCode code; const char* says; };
    const Case cases[] = {
        {"NR_EW + NAZWISKO", ErrorCode::BadValue, "działanie na typach liczbowy i znakowy"},
        {"UPPER(NR_EW)", ErrorCode::BadValue, "UPPER: argument 1 powinien być typu znakowy"},
        {"NIEMA", ErrorCode::NoSuchField, "Nie ma pola 'NIEMA'"},
        {"SOUNDEX(NAZWISKO)", ErrorCode::BadValue, "nieznana funkcja SOUNDEX"},
        {"(NR_EW", ErrorCode::BadValue, "brak nawiasu zamykającego"},
        {"'abc", ErrorCode::BadValue, "niezamknięty napis"},
        {"NR_EW NR_EW", ErrorCode::BadValue, "na pozycji 7: nadmiarowy tekst"},
        {std::string(200, '(') + "NR_EW" + std::string(200, ')'), ErrorCode::BadValue, "zbyt zagnieżdżone"},
        {std::string(300, '-') + "NR_EW", ErrorCode::BadValue, "zbyt zagnieżdżone"},
    };
    for (const Case& c : cases) {
        try {
            Expression::parse(c.text, cardSchema());
            ADD_FAILURE() << c.text << " parsed";
        } catch (const Error& e) {
            EXPECT_EQ(e.code(), c.code) << c.text;
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
    std::string chain = "NR_EW";
    for (int i = 0; i < 600; ++i) chain += "+NR_EW";
    EXPECT_THROW(Expression::parse(chain, cardSchema()), Error);
}

TEST(KeyEncoding, ByteOrderIsValueOrder) {
    const double numbers[] = {-1e9, -12.5, -1, -0.25, 0, 0.25, 1, 7, 12.5, 1e9};
    for (auto format : {IndexFormat::Cdx, IndexFormat::Ntx}) {
        std::string previous;
        for (double d : numbers) {
            std::string key = keys::encode(format, ExprType::Numeric, 14, 2, d);
            EXPECT_TRUE(previous.empty() || previous < key) << d;
            EXPECT_DOUBLE_EQ(std::get<double>(keys::decode(format, ExprType::Numeric, key)), d);
            previous = key;
        }
    }
    EXPECT_EQ(keys::ntxNumber(-12.5, 6, 1), ",,+*.'");  // Clipper's form of a negative key: digit c -> 92 - c
    EXPECT_EQ(keys::cdxDouble(1.0), std::string("\xBF\xF0\0\0\0\0\0\0", 8));
    EXPECT_EQ(keys::cdxDouble(-0.0), keys::cdxDouble(0.0));
    Date d{2026, 12, 11};
    EXPECT_EQ(std::get<Date>(keys::decode(IndexFormat::Cdx, ExprType::Date, keys::encode(IndexFormat::Cdx, ExprType::Date, 8, 0, d))), d);
    EXPECT_EQ(keys::encode(IndexFormat::Ntx, ExprType::Date, 8, 0, d), "20261211");
}

} // namespace
