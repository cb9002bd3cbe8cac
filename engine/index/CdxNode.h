#pragma once
// One 512-byte node of a CDX tag tree, decoded: interior nodes hold (key, record,
// child) triples uncompressed, leaves hold (key, record) pairs compressed with
// duplicate and trailing counts. Layout in engine/index/FORMAT.md.
#include "IndexOrder.h"

#include <cstdint>
#include <vector>

namespace xb {

constexpr uint32_t kCdxPage = 512;
constexpr uint32_t kCdxNone = 0xFFFFFFFF;

struct CdxNode {
    uint16_t attributes = 0;  // 1 root, 2 leaf
    uint32_t left = kCdxNone, right = kCdxNone;
    std::vector<IndexEntry> entries;
    std::vector<uint32_t> children;  // interior nodes: one child per entry

    bool leaf() const { return (attributes & 2) != 0; }
    bool root() const { return (attributes & 1) != 0; }
};

// Decodes a node; throws Corrupt (message `what`, no file) when its bytes are inconsistent.
CdxNode decodeCdxNode(const uint8_t* page, int keyLength, char pad);
// Encodes a node into 512 bytes; false when it does not fit.
bool encodeCdxNode(const CdxNode& node, int keyLength, char pad, std::vector<uint8_t>& out);
// Most entries an interior node holds.
size_t cdxBranchCapacity(int keyLength);

} // namespace xb

namespace xb {

// Counts how many sorted entries fit one leaf, following encodeCdxNode's rules.
class CdxLeafPacker {
public:
    CdxLeafPacker(int keyLength, char pad) : keyLength_(static_cast<size_t>(keyLength)), pad_(pad) {}
    void reset();
    // Adds the entry when it still fits the leaf; false (and nothing added) otherwise.
    bool tryAdd(const IndexEntry& e);
    size_t count() const { return count_; }

private:
    size_t keyLength_;
    char pad_;
    size_t count_ = 0, data_ = 0, previousTrail_ = 0;
    uint32_t maxRecno_ = 0;
    std::string previous_;
};

int cdxEntryBytes(int keyLength, uint32_t maxRecno);

} // namespace xb
