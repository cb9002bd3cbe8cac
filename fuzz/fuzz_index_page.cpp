// Fuzzes the index readers: the input is a whole .cdx or .ntx file held in memory.
// Every tag is opened and walked forward, backward and from a bound; damage must
// end in xb::Error, never in a crash or a hang.
#include "Error.h"
#include "index/CdxFile.h"
#include "index/NtxFile.h"

#include <cstdint>
#include <vector>

namespace {

void walk(xb::IndexOrder& order) {
    size_t n = 0;
    order.forEach([&](const xb::IndexEntry&) { return ++n < 100000; });
    order.forward(xb::Bound{"M", 0, true}, 50);
    order.backward(xb::Bound{"M", 0, true}, 50);
    order.backward(xb::Bound{"", 0, true}, 50);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    try {
        auto cdx = xb::CdxFile::open(std::make_unique<xb::MemFile>(bytes, "fuzz.cdx"), true);
        for (const auto& [name, offset] : cdx->tags()) {
            (void)offset;
            for (char pad : {' ', '\0'}) {
                auto order = cdx->order(name, pad);
                order->info();
                walk(*order);
            }
        }
    } catch (const xb::Error&) {
    }
    try {
        auto ntx = xb::NtxFile::open(std::make_unique<xb::MemFile>(bytes, "fuzz.ntx"), true);
        ntx->info();
        walk(*ntx);
    } catch (const xb::Error&) {
    }
    if (size >= 512) {
        try {
            xb::decodeCdxNode(data, 1 + data[2] % 240, ' ');
        } catch (const xb::Error&) {
        }
    }
    return 0;
}
