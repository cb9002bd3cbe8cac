// Feeds arbitrary bytes to the table reader: open, read every record and every
// value, run the consistency check's value parsing. Must never crash or hang.
#include "Error.h"
#include "File.h"
#include "Table.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto file = std::make_unique<xb::MemFile>(std::vector<uint8_t>(data, data + size), "fuzz.dbf");
    try {
        auto table = xb::Table::open(std::move(file), xb::OpenOptions{false, true, 0});
        uint32_t count = table->recordCount();
        for (uint32_t recno = 1; recno <= count && recno <= 64; ++recno) {
            xb::Record r = table->read(recno);
            for (int i = 0; i < r.schema().fieldCount(); ++i) (void)r.value(i);
        }
        table->scan([](uint32_t, const char*) { return true; });
    } catch (const xb::Error&) {
        // refusing bad input is the expected outcome
    }
    return 0;
}
