#include "CdxNode.h"

#include "../Error.h"
#include "Bytes.h"

#include <algorithm>
#include <cstring>

namespace xb {

using namespace bytes;

namespace {

constexpr size_t kLeafData = kCdxPage - 24;


[[noreturn]] void bad(const std::string& what) { throw Error(ErrorCode::Corrupt, "Uszkodzona strona indeksu (" + what + ")"); }

int bitsFor(uint32_t v) {
    int bits = 0;
    while (v) {
        ++bits;
        v >>= 1;
    }
    return std::max(bits, 1);
}

CdxNode decodeLeaf(const uint8_t* page, CdxNode node, size_t count, int keyLength, char pad) {
    uint32_t recMask = le32(page + 14);
    uint8_t dupMask = page[18], trailMask = page[19];
    int recBits = page[20], dupBits = page[21];
    int perEntry = page[23];
    if (perEntry < 1 || perEntry > 8 || recBits > 32 || dupBits > 8 || page[22] > 8 || recBits + dupBits + page[22] > perEntry * 8)
        bad("nagłówek liścia");
    if (24 + count * static_cast<size_t>(perEntry) > kCdxPage) bad("za dużo kluczy w liściu");
    size_t dataEnd = kCdxPage;
    size_t entriesEnd = 24 + count * static_cast<size_t>(perEntry);
    std::string previous;
    node.entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        uint64_t item = 0;
        const uint8_t* p = page + 24 + i * static_cast<size_t>(perEntry);
        for (int b = 0; b < perEntry; ++b) item |= static_cast<uint64_t>(p[b]) << (8 * b);
        uint32_t recno = static_cast<uint32_t>(item) & recMask;
        size_t dup = (item >> recBits) & dupMask;
        size_t trail = (item >> (recBits + dupBits)) & trailMask;
        if (dup + trail > static_cast<size_t>(keyLength) || dup > previous.size()) bad("liczniki klucza");
        size_t take = static_cast<size_t>(keyLength) - dup - trail;
        if (dataEnd < entriesEnd + take) bad("klucze nachodzą na wpisy");
        dataEnd -= take;
        std::string key = previous.substr(0, dup);
        key.append(reinterpret_cast<const char*>(page + dataEnd), take);
        key.append(trail, pad);
        node.entries.push_back({key, recno});
        previous = std::move(key);
    }
    return node;
}

} // namespace

int cdxEntryBytes(int keyLength, uint32_t maxRecno) {
    int dupBits = bitsFor(static_cast<uint32_t>(keyLength));
    return std::max((bitsFor(maxRecno) + 2 * dupBits + 7) / 8, 3);
}

void CdxLeafPacker::reset() {
    count_ = data_ = previousTrail_ = 0;
    maxRecno_ = 0;
    previous_.clear();
}

bool CdxLeafPacker::tryAdd(const IndexEntry& e) {
    const std::string& key = e.key;
    size_t k = keyLength_;
    size_t trail = 0;
    while (trail < k && key[k - 1 - trail] == pad_) ++trail;
    size_t dup = 0;
    if (count_ > 0)
        while (dup < k - trail && dup < k - previousTrail_ && previous_[dup] == key[dup]) ++dup;
    size_t take = k - dup - trail;
    uint32_t maxRecno = std::max(maxRecno_, e.recno);
    auto perEntry = static_cast<size_t>(cdxEntryBytes(static_cast<int>(k), maxRecno));
    if ((count_ + 1) * perEntry + data_ + take > kLeafData) return false;
    ++count_;
    data_ += take;
    maxRecno_ = maxRecno;
    previous_ = key;
    previousTrail_ = trail;
    return true;
}

size_t cdxBranchCapacity(int keyLength) { return (kCdxPage - 12) / (static_cast<size_t>(keyLength) + 8); }

CdxNode decodeCdxNode(const uint8_t* page, int keyLength, char pad) {
    if (keyLength < 1 || keyLength > 240) bad("długość klucza " + std::to_string(keyLength));
    CdxNode node;
    node.attributes = static_cast<uint16_t>(page[0] | (page[1] << 8));
    size_t count = static_cast<size_t>(page[2] | (page[3] << 8));
    node.left = le32(page + 4);
    node.right = le32(page + 8);
    if (node.attributes > 7) bad("atrybuty strony " + std::to_string(node.attributes));
    if (node.leaf()) return decodeLeaf(page, std::move(node), count, keyLength, pad);
    if (count > cdxBranchCapacity(keyLength)) bad("za dużo kluczy w węźle");
    size_t step = static_cast<size_t>(keyLength) + 8;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* p = page + 12 + i * step;
        node.entries.push_back({std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(keyLength)),
                                be32(p + keyLength)});
        node.children.push_back(be32(p + keyLength + 4));
    }
    return node;
}

bool encodeCdxNode(const CdxNode& node, int keyLength, char pad, std::vector<uint8_t>& out) {
    out.assign(kCdxPage, 0);
    uint8_t* page = out.data();
    putLe16(page, node.attributes);
    putLe16(page + 2, static_cast<uint32_t>(node.entries.size()));
    putLe32(page + 4, node.left);
    putLe32(page + 8, node.right);
    auto k = static_cast<size_t>(keyLength);
    if (!node.leaf()) {
        if (node.entries.size() > cdxBranchCapacity(keyLength)) return false;
        for (size_t i = 0; i < node.entries.size(); ++i) {
            uint8_t* p = page + 12 + i * (k + 8);
            std::memcpy(p, node.entries[i].key.data(), std::min(k, node.entries[i].key.size()));
            putBe32(p + k, node.entries[i].recno);
            putBe32(p + k + 4, node.children[i]);
        }
        return true;
    }
    uint32_t maxRecno = 0;
    for (const auto& e : node.entries) maxRecno = std::max(maxRecno, e.recno);
    int dupBits = bitsFor(static_cast<uint32_t>(keyLength)), trailBits = dupBits;
    int perEntry = cdxEntryBytes(keyLength, maxRecno);
    int recBits = perEntry * 8 - dupBits - trailBits;
    if (recBits > 32) recBits = 32;
    size_t dataEnd = kCdxPage;
    const std::string* previous = nullptr;
    size_t previousTrail = 0;
    for (size_t i = 0; i < node.entries.size(); ++i) {
        const std::string& key = node.entries[i].key;
        size_t trail = 0;
        while (trail < k && key[k - 1 - trail] == pad) ++trail;
        size_t dup = 0;
        // Shared bytes never reach into the previous key's cut-off padding: readers rebuild
        // that padding themselves and some rebuild it with zero bytes.
        if (previous)
            while (dup < k - trail && dup < k - previousTrail && (*previous)[dup] == key[dup]) ++dup;
        size_t take = k - dup - trail;
        size_t entriesEnd = 24 + (i + 1) * static_cast<size_t>(perEntry);
        if (dataEnd < entriesEnd + take) return false;
        dataEnd -= take;
        std::memcpy(page + dataEnd, key.data() + dup, take);
        uint64_t item = (static_cast<uint64_t>(node.entries[i].recno)) | (static_cast<uint64_t>(dup) << recBits) |
                        (static_cast<uint64_t>(trail) << (recBits + dupBits));
        for (int b = 0; b < perEntry; ++b) page[24 + i * static_cast<size_t>(perEntry) + static_cast<size_t>(b)] = static_cast<uint8_t>(item >> (8 * b));
        previous = &key;
        previousTrail = trail;
    }
    size_t used = node.entries.size() * static_cast<size_t>(perEntry) + (kCdxPage - dataEnd);
    putLe16(page + 12, static_cast<uint32_t>(kLeafData - used));
    putLe32(page + 14, recBits >= 32 ? 0xFFFFFFFFu : ((1u << recBits) - 1));
    page[18] = static_cast<uint8_t>((1u << dupBits) - 1);
    page[19] = static_cast<uint8_t>((1u << trailBits) - 1);
    page[20] = static_cast<uint8_t>(recBits);
    page[21] = static_cast<uint8_t>(dupBits);
    page[22] = static_cast<uint8_t>(trailBits);
    page[23] = static_cast<uint8_t>(perEntry);
    return true;
}

} // namespace xb
