#include "CdxTag.h"

#include "../Error.h"
#include "Bytes.h"

#include <algorithm>
#include <cstring>

namespace xb {

using namespace bytes;

namespace {

constexpr size_t kMaxDepth = 64;


std::string poolString(const std::vector<uint8_t>& pool, size_t at) {
    if (at >= pool.size()) return {};
    size_t end = at;
    while (end < pool.size() && pool[end] != 0) ++end;
    return std::string(reinterpret_cast<const char*>(pool.data() + at), end - at);
}

} // namespace

CdxTagHeader readCdxTagHeader(PagedFile& file, uint64_t offset) {
    const std::vector<uint8_t> head = file.page(offset);
    const std::vector<uint8_t>& pool = file.page(offset + kCdxPage);
    CdxTagHeader h;
    h.root = le32(head.data());
    h.keyLength = le16(head.data() + 12);
    h.options = head[14];
    h.descending = le16(head.data() + 502) != 0;
    if (h.keyLength < 1 || h.keyLength > 240) file.corrupt("długość klucza " + std::to_string(h.keyLength));
    size_t forAt = le16(head.data() + 504), forLength = le16(head.data() + 506);
    size_t keyAt = le16(head.data() + 508);
    h.expression = poolString(pool, keyAt);
    if (forAt == 0 || forAt >= kCdxPage) forAt = h.expression.size() + 1;
    if (forLength > 1 || (h.options & 0x08)) h.condition = poolString(pool, forAt);
    return h;
}

std::vector<uint8_t> buildCdxTagHeader(const CdxTagHeader& h) {
    std::vector<uint8_t> b(2 * kCdxPage, 0);
    putLe32(b.data(), h.root);
    putLe16(b.data() + 12, static_cast<uint32_t>(h.keyLength));
    b[14] = h.options;
    b[15] = 1;
    size_t keyLength = std::min<size_t>(h.expression.size(), 220);
    size_t forLength = std::min<size_t>(h.condition.size(), kCdxPage - keyLength - 2);
    putLe16(b.data() + 502, h.descending ? 1 : 0);
    putLe16(b.data() + 504, static_cast<uint32_t>(keyLength + 1));
    putLe16(b.data() + 506, static_cast<uint32_t>(forLength + 1));
    putLe16(b.data() + 510, static_cast<uint32_t>(keyLength + 1));
    std::memcpy(b.data() + kCdxPage, h.expression.data(), keyLength);
    std::memcpy(b.data() + kCdxPage + keyLength + 1, h.condition.data(), forLength);
    return b;
}

CdxTag::CdxTag(PagedFile& file, uint64_t headerOffset, char pad) : file_(file), header_(headerOffset), pad_(pad) {}

CdxTagHeader CdxTag::header() {
    CdxTagHeader h = readCdxTagHeader(file_, header_);
    keyLength_ = h.keyLength;
    return h;
}

uint32_t CdxTag::readRoot() {
    const std::vector<uint8_t>& head = file_.page(header_);
    keyLength_ = le16(head.data() + 12);
    if (keyLength_ < 1 || keyLength_ > 240) file_.corrupt("długość klucza " + std::to_string(keyLength_));
    return le32(head.data());
}

CdxNode CdxTag::load(uint32_t offset) {
    if (offset == kCdxNone || offset < 2 * kCdxPage) file_.corrupt("zły adres strony " + std::to_string(offset));
    ++pagesRead_;
    try {
        return decodeCdxNode(file_.page(offset).data(), keyLength_, pad_);
    } catch (const Error& e) {
        file_.corrupt(std::string(e.what()) + ", strona " + std::to_string(offset));
    }
}

void CdxTag::store(uint32_t offset, const CdxNode& node) {
    std::vector<uint8_t> bytes;
    if (!encodeCdxNode(node, keyLength_, pad_, bytes)) file_.corrupt("strona nie mieści kluczy");
    file_.write(offset, std::move(bytes));
}

void CdxTag::setRoot(uint32_t root) {
    std::vector<uint8_t> head = file_.page(header_);
    putLe32(head.data(), root);
    file_.write(header_, std::move(head));
}

uint32_t CdxTag::newPage() {
    // Free pages are listed in the file header (offset 4), each pointing to the next.
    std::vector<uint8_t> head = file_.page(0);
    uint32_t free = le32(head.data() + 4);
    if (free != 0 && free != kCdxNone && free % kCdxPage == 0 && free >= 2 * kCdxPage && free + kCdxPage <= file_.end()) {
        uint32_t next = le32(file_.page(free).data() + 4);
        putLe32(head.data() + 4, next);
        file_.write(0, std::move(head));
        return free;
    }
    uint64_t at = file_.allocate(1);
    if (at > 0xFFFFFE00u) file_.corrupt("plik indeksu za duży");
    return static_cast<uint32_t>(at);
}

void CdxTag::freePage(uint32_t offset) {
    std::vector<uint8_t> head = file_.page(0);
    std::vector<uint8_t> page(kCdxPage, 0);
    putLe16(page.data(), 0xFFFF);  // no valid node; readers never reach it through the tree
    putLe32(page.data() + 4, le32(head.data() + 4));
    putLe32(page.data() + 8, kCdxNone);
    putLe32(head.data() + 4, offset);
    file_.write(offset, std::move(page));
    file_.write(0, std::move(head));
}

void CdxTag::relink(uint32_t offset, bool leftSide, uint32_t to) {
    if (offset == kCdxNone) return;
    std::vector<uint8_t> page = file_.page(offset);
    putLe32(page.data() + (leftSide ? 4 : 8), to);
    file_.write(offset, std::move(page));
}

std::vector<CdxTag::Step> CdxTag::descend(const std::function<bool(const IndexEntry&)>& after) {
    std::vector<Step> path;
    uint32_t offset = readRoot();
    for (;;) {
        if (path.size() > kMaxDepth) file_.corrupt("pętla w drzewie indeksu");
        CdxNode node = load(offset);
        size_t n = node.entries.size();
        size_t i = 0;
        while (i < n && !after(node.entries[i])) ++i;
        if (node.leaf()) {
            path.push_back({offset, std::move(node), i});
            return path;
        }
        if (n == 0) {
            if (!path.empty()) file_.corrupt("pusty węzeł wewnętrzny");
            node.attributes = 3;  // an emptied root reads as an empty leaf
            path.push_back({offset, std::move(node), 0});
            return path;
        }
        if (i == n) i = n - 1;
        uint32_t child = node.children[i];
        path.push_back({offset, std::move(node), i});
        offset = child;
    }
}

void CdxTag::insert(const IndexEntry& e) {
    readRoot();
    IndexEntry entry = e;
    entry.key.resize(static_cast<size_t>(keyLength_), pad_);
    auto path = descend([&](const IndexEntry& x) { return compareEntries(x, entry) >= 0; });
    Step& leaf = path.back();
    leaf.node.entries.insert(leaf.node.entries.begin() + static_cast<long>(leaf.index), entry);
    fixUp(path);
}

bool CdxTag::remove(const IndexEntry& e) {
    readRoot();
    IndexEntry entry = e;
    entry.key.resize(static_cast<size_t>(keyLength_), pad_);
    auto path = descend([&](const IndexEntry& x) { return compareEntries(x, entry) >= 0; });
    Step& leaf = path.back();
    if (leaf.index >= leaf.node.entries.size() || !(leaf.node.entries[leaf.index] == entry)) return false;
    leaf.node.entries.erase(leaf.node.entries.begin() + static_cast<long>(leaf.index));
    fixUp(path);
    return true;
}

void CdxTag::insertSorted(const std::vector<IndexEntry>& sorted) {
    readRoot();
    size_t next = 0;
    while (next < sorted.size()) {
        IndexEntry first = sorted[next];
        first.key.resize(static_cast<size_t>(keyLength_), pad_);
        auto path = descend([&](const IndexEntry& x) { return compareEntries(x, first) >= 0; });
        Step& leaf = path.back();
        std::vector<IndexEntry>& entries = leaf.node.entries;
        // Every following entry up to this leaf's greatest belongs here too (all of them in the last leaf).
        bool last = leaf.node.right == kCdxNone || entries.empty();
        IndexEntry greatest = entries.empty() ? first : entries.back();
        std::vector<IndexEntry> merged;
        merged.reserve(entries.size() + 16);
        size_t i = 0;
        bool taken = false;  // the first entry belongs to the leaf the descent found
        while (next < sorted.size()) {
            IndexEntry e = sorted[next];
            e.key.resize(static_cast<size_t>(keyLength_), pad_);
            if (taken && !last && compareEntries(e, greatest) > 0) break;
            taken = true;
            while (i < entries.size() && compareEntries(entries[i], e) < 0) merged.push_back(std::move(entries[i++]));
            merged.push_back(std::move(e));
            ++next;
            if (merged.size() > 4 * kCdxPage) break;  // splits stay small
        }
        while (i < entries.size()) merged.push_back(std::move(entries[i++]));
        entries = std::move(merged);
        fixUp(path);
    }
}

void CdxTag::replaceInParent(std::vector<Step>& path, size_t level,
                             std::vector<std::pair<IndexEntry, uint32_t>> items) {
    Step& p = path[level - 1];
    auto at = static_cast<long>(p.index);
    p.node.entries.erase(p.node.entries.begin() + at);
    p.node.children.erase(p.node.children.begin() + at);
    for (size_t i = 0; i < items.size(); ++i) {
        p.node.entries.insert(p.node.entries.begin() + at + static_cast<long>(i), items[i].first);
        p.node.children.insert(p.node.children.begin() + at + static_cast<long>(i), items[i].second);
    }
}

void CdxTag::fixUp(std::vector<Step>& path) {
    for (size_t level = path.size(); level-- > 0;) {
        Step& s = path[level];
        CdxNode& node = s.node;
        if (level == 0) {
            if (!node.leaf() && node.entries.empty()) node.attributes = 3;
        } else if (node.entries.empty()) {
            // An emptied node leaves the tree: its neighbours point past it, its parent forgets it.
            relink(node.left, false, node.right);
            relink(node.right, true, node.left);
            freePage(s.offset);
            replaceInParent(path, level, {});
            continue;
        }
        std::vector<uint8_t> bytes;
        if (encodeCdxNode(node, keyLength_, pad_, bytes)) {
            file_.write(s.offset, std::move(bytes));
            if (level == 0) return;
            const Step& p = path[level - 1];
            if (p.node.entries[p.index] == node.entries.back()) return;
            replaceInParent(path, level, {{node.entries.back(), s.offset}});
            continue;
        }
        // Split: the last part keeps the page (and so its place among the parent's entries).
        std::vector<std::pair<size_t, size_t>> parts;  // [begin, end) of entries
        size_t n = node.entries.size();
        if (node.leaf()) {
            CdxLeafPacker packer(keyLength_, pad_);
            size_t half = n / 2;
            bool halves = true;
            for (size_t i = 0; i < half && halves; ++i) halves = packer.tryAdd(node.entries[i]);
            packer.reset();
            for (size_t i = half; i < n && halves; ++i) halves = packer.tryAdd(node.entries[i]);
            if (halves) {
                parts = {{0, half}, {half, n}};
            } else {
                size_t begin = 0;
                packer.reset();
                for (size_t i = 0; i < n; ++i) {
                    if (!packer.tryAdd(node.entries[i])) {
                        parts.push_back({begin, i});
                        begin = i;
                        packer.reset();
                        packer.tryAdd(node.entries[i]);
                    }
                }
                parts.push_back({begin, n});
            }
        } else {
            size_t cap = cdxBranchCapacity(keyLength_);
            size_t count = (n + cap - 1) / cap;
            for (size_t i = 0; i < count; ++i) parts.push_back({i * n / count, (i + 1) * n / count});
        }
        std::vector<uint32_t> offsets;
        for (size_t i = 0; i + 1 < parts.size(); ++i) offsets.push_back(newPage());
        offsets.push_back(s.offset);
        std::vector<std::pair<IndexEntry, uint32_t>> items;
        auto attributes = static_cast<uint16_t>(node.attributes & ~1u);
        for (size_t i = 0; i < parts.size(); ++i) {
            CdxNode part;
            part.attributes = attributes;
            part.left = i == 0 ? node.left : offsets[i - 1];
            part.right = i + 1 == parts.size() ? node.right : offsets[i + 1];
            auto [b, e] = parts[i];
            part.entries.assign(node.entries.begin() + static_cast<long>(b), node.entries.begin() + static_cast<long>(e));
            if (!node.leaf())
                part.children.assign(node.children.begin() + static_cast<long>(b), node.children.begin() + static_cast<long>(e));
            store(offsets[i], part);
            items.push_back({part.entries.back(), offsets[i]});
        }
        relink(node.left, false, offsets.front());
        if (level == 0) {
            CdxNode root;
            root.attributes = 1;
            for (auto& [entry, child] : items) {
                root.entries.push_back(entry);
                root.children.push_back(child);
            }
            uint32_t at = newPage();
            store(at, root);
            setRoot(at);
            return;
        }
        replaceInParent(path, level, std::move(items));
    }
}

std::vector<IndexEntry> CdxTag::forward(const Bound& from, size_t max) {
    auto wanted = [&](const IndexEntry& x) {
        int c = compareToBound(x, from);
        return from.inclusive ? c >= 0 : c > 0;
    };
    auto path = descend(wanted);
    std::vector<IndexEntry> out;
    CdxNode node = std::move(path.back().node);
    size_t i = path.back().index;
    for (size_t pages = 0; out.size() < max; ++pages) {
        for (; i < node.entries.size() && out.size() < max; ++i)
            if (wanted(node.entries[i])) out.push_back(node.entries[i]);
        if (out.size() >= max || node.right == kCdxNone) break;
        if (pages > file_.end() / kCdxPage) file_.corrupt("pętla w łańcuchu stron");
        node = load(node.right);
        if (!node.leaf()) file_.corrupt("sąsiad liścia nie jest liściem");
        i = 0;
    }
    return out;
}

std::vector<IndexEntry> CdxTag::backward(const Bound& from, size_t max) {
    auto unwanted = [&](const IndexEntry& x) {
        int c = compareToBound(x, from);
        return from.inclusive ? c > 0 : c >= 0;
    };
    auto path = descend(unwanted);
    std::vector<IndexEntry> out;
    CdxNode node = std::move(path.back().node);
    size_t i = path.back().index;
    for (size_t pages = 0; out.size() < max; ++pages) {
        for (; i > 0 && out.size() < max; --i)
            if (!unwanted(node.entries[i - 1])) out.push_back(node.entries[i - 1]);
        if (out.size() >= max || node.left == kCdxNone) break;
        if (pages > file_.end() / kCdxPage) file_.corrupt("pętla w łańcuchu stron");
        node = load(node.left);
        if (!node.leaf()) file_.corrupt("sąsiad liścia nie jest liściem");
        i = node.entries.size();
    }
    return out;
}

void CdxTag::forEach(const std::function<bool(const IndexEntry&)>& visit) {
    auto path = descend([](const IndexEntry&) { return true; });
    CdxNode node = std::move(path.back().node);
    for (size_t pages = 0;; ++pages) {
        for (const auto& e : node.entries)
            if (!visit(e)) return;
        if (node.right == kCdxNone) return;
        if (pages > file_.end() / kCdxPage) file_.corrupt("pętla w łańcuchu stron");
        node = load(node.right);
        if (!node.leaf()) file_.corrupt("sąsiad liścia nie jest liściem");
    }
}

uint32_t CdxTag::buildTree(PagedFile& file, const std::vector<IndexEntry>& sorted, int keyLength, char pad) {
    // Leaves packed full, then interior levels over them until one node remains.
    std::vector<CdxNode> level;
    CdxLeafPacker packer(keyLength, pad);
    CdxNode current;
    current.attributes = 2;
    for (const auto& e : sorted) {
        if (!packer.tryAdd(e)) {
            level.push_back(std::move(current));
            current = CdxNode();
            current.attributes = 2;
            packer.reset();
            packer.tryAdd(e);
        }
        current.entries.push_back(e);
    }
    level.push_back(std::move(current));
    size_t cap = cdxBranchCapacity(keyLength);
    for (;;) {
        std::vector<uint32_t> offsets;
        for (size_t i = 0; i < level.size(); ++i) offsets.push_back(static_cast<uint32_t>(file.allocate(1)));
        for (size_t i = 0; i < level.size(); ++i) {
            level[i].left = i == 0 ? kCdxNone : offsets[i - 1];
            level[i].right = i + 1 == level.size() ? kCdxNone : offsets[i + 1];
            if (level.size() == 1) level[i].attributes |= 1;
            std::vector<uint8_t> bytes;
            if (!encodeCdxNode(level[i], keyLength, pad, bytes)) file.corrupt("strona nie mieści kluczy");
            file.write(offsets[i], std::move(bytes));
        }
        if (level.size() == 1) return offsets[0];
        std::vector<CdxNode> parents;
        for (size_t i = 0; i < level.size(); i += cap) {
            CdxNode p;
            for (size_t j = i; j < std::min(level.size(), i + cap); ++j) {
                p.entries.push_back(level[j].entries.back());
                p.children.push_back(offsets[j]);
            }
            parents.push_back(std::move(p));
        }
        level = std::move(parents);
    }
}

} // namespace xb
