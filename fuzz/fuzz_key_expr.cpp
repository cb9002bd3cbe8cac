// Fuzzes the key expression parser and evaluator: the input is an expression,
// parsed against a small card-like table and evaluated on two records.
#include "Error.h"
#include "index/Expression.h"
#include "index/KeyCodec.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static auto schema = std::make_shared<xb::Schema>(
        xb::parseFieldList("NR_EW,N,6,0;Z_DNIA,D;NAZWISKO,C,20;KWOTA,N,10,2;AKTYWNY,L"), xb::CodePage::get(852));
    std::string text(reinterpret_cast<const char*>(data), size);
    try {
        xb::Expression e = xb::Expression::parse(text, schema);
        xb::Record filled = xb::Record::blank(schema);
        filled.set("NR_EW", 123.0);
        filled.set("Z_DNIA", xb::Date{2026, 12, 11});
        filled.set("NAZWISKO", std::string("Żółć Łukasz"));
        filled.set("KWOTA", -12.5);
        filled.set("AKTYWNY", true);
        for (const xb::Record& r : {xb::Record::blank(schema), filled}) {
            xb::Value v = e.evaluate(r, 7);
            for (auto format : {xb::IndexFormat::Cdx, xb::IndexFormat::Ntx}) {
                int length = xb::keys::keyLength(format, e.type(), e.width());
                std::string key = xb::keys::encode(format, e.type(), length, e.decimals(), v);
                xb::keys::decode(format, e.type(), key);
            }
        }
    } catch (const xb::Error&) {
    }
    return 0;
}
