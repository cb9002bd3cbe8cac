// Feeds arbitrary text to the SQL lexer and parser. Must never crash or hang.
#include "Error.h"
#include "sql/Lexer.h"
#include "sql/Parser.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        (void)xb::sql::tokenize(text);
    } catch (const xb::Error&) {
    }
    try {
        (void)xb::sql::parse(text);
    } catch (const xb::Error&) {
    }
    return 0;
}
