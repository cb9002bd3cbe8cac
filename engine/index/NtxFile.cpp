#include "NtxFile.h"

#include "../Error.h"
#include "Bytes.h"

#include <algorithm>
#include <cstring>

namespace xb {

using namespace bytes;

namespace {

constexpr uint32_t kNtxPage = 1024;
constexpr uint64_t kNtxLockOffset = 1000000000;
constexpr int kMaxDepth = 64;


[[noreturn]] void bad(const std::string& what) { throw Error(ErrorCode::Corrupt, "Uszkodzona strona indeksu (" + what + ")"); }

std::string cString(const uint8_t* p, size_t max) {
    size_t n = 0;
    while (n < max && p[n] != 0) ++n;
    return std::string(reinterpret_cast<const char*>(p), n);
}

NtxHeader parseHeader(const std::vector<uint8_t>& b, PagedFile& pages) {
    NtxHeader h;
    h.signature = le16(b.data());
    h.root = le32(b.data() + 4);
    int itemSize = le16(b.data() + 12);
    h.keyLength = le16(b.data() + 14);
    h.decimals = le16(b.data() + 16);
    h.maxItems = le16(b.data() + 18);
    h.expression = cString(b.data() + 22, 256);
    h.unique = b[278] != 0;
    h.condition = cString(b.data() + 282, 256);
    if ((h.signature & 0xFF06) != 0x0006 && h.signature != 3) pages.corrupt("zła sygnatura pliku NTX");
    if (h.keyLength < 1 || h.keyLength > 250 || itemSize != h.keyLength + 8) pages.corrupt("zła długość klucza");
    int limit = (static_cast<int>(kNtxPage) - 2) / (h.keyLength + 10);
    if (h.maxItems < 2 || h.maxItems > limit) pages.corrupt("zła liczba kluczy na stronie");
    return h;
}

std::vector<uint8_t> headerBytes(const NtxHeader& h) {
    std::vector<uint8_t> b(kNtxPage, 0);
    putLe16(b.data(), h.signature);
    putLe16(b.data() + 2, 1);
    putLe32(b.data() + 4, h.root);
    putLe16(b.data() + 12, static_cast<uint32_t>(h.keyLength + 8));
    putLe16(b.data() + 14, static_cast<uint32_t>(h.keyLength));
    putLe16(b.data() + 16, static_cast<uint32_t>(h.decimals));
    putLe16(b.data() + 18, static_cast<uint32_t>(h.maxItems));
    putLe16(b.data() + 20, static_cast<uint32_t>(h.maxItems / 2));
    std::memcpy(b.data() + 22, h.expression.data(), std::min<size_t>(h.expression.size(), 255));
    b[278] = h.unique ? 1 : 0;
    std::memcpy(b.data() + 282, h.condition.data(), std::min<size_t>(h.condition.size(), 255));
    return b;
}

// Splits `count` items into `nodes` groups separated by nodes - 1 items, as evenly as possible.
std::vector<size_t> groupSizes(size_t count, size_t nodes) {
    size_t inNodes = count - (nodes - 1);
    std::vector<size_t> sizes(nodes, inNodes / nodes);
    for (size_t i = 0; i < inNodes % nodes; ++i) ++sizes[i];
    return sizes;
}

} // namespace

int ntxMaxItems(int keyLength) {
    int max = (static_cast<int>(kNtxPage) - 2) / (keyLength + 10) - 1;
    if (max % 2) --max;
    return max;
}

NtxNode decodeNtxNode(const uint8_t* page, const NtxHeader& h) {
    size_t count = le16(page);
    if (count > static_cast<size_t>(h.maxItems)) bad("za dużo kluczy na stronie");
    size_t first = 2 + (static_cast<size_t>(h.maxItems) + 1) * 2;
    auto keyLength = static_cast<size_t>(h.keyLength);
    NtxNode node;
    for (size_t i = 0; i <= count; ++i) {
        size_t at = le16(page + 2 + 2 * i);
        size_t need = i < count ? keyLength + 8 : 4;
        if (at < first || at + need > kNtxPage) bad("zły adres pozycji na stronie");
        node.children.push_back(le32(page + at));
        if (i < count)
            node.entries.push_back({std::string(reinterpret_cast<const char*>(page + at + 8), keyLength), le32(page + at + 4)});
    }
    return node;
}

std::vector<uint8_t> encodeNtxNode(const NtxNode& node, const NtxHeader& h) {
    std::vector<uint8_t> b(kNtxPage, 0);
    auto max = static_cast<size_t>(h.maxItems);
    auto itemSize = static_cast<size_t>(h.keyLength) + 8;
    size_t first = 2 + (max + 1) * 2;
    putLe16(b.data(), static_cast<uint32_t>(node.entries.size()));
    for (size_t i = 0; i <= max; ++i) {
        size_t at = first + i * itemSize;
        putLe16(b.data() + 2 + 2 * i, static_cast<uint32_t>(at));
        if (i < node.children.size()) putLe32(b.data() + at, node.children[i]);
        if (i < node.entries.size()) {
            putLe32(b.data() + at + 4, node.entries[i].recno);
            std::memcpy(b.data() + at + 8, node.entries[i].key.data(), std::min(itemSize - 8, node.entries[i].key.size()));
        }
    }
    return b;
}

NtxFile::NtxFile(std::unique_ptr<File> file, bool readOnly)
    : pages_(std::make_unique<PagedFile>(std::move(file), kNtxPage, kNtxLockOffset, readOnly, ChangeCounterField{2, 2, false})) {
    header();
}

std::unique_ptr<NtxFile> NtxFile::open(const std::string& path, bool readOnly) {
    return open(openFile(path, readOnly ? OpenMode::ReadOnly : OpenMode::ReadWrite), readOnly);
}

std::unique_ptr<NtxFile> NtxFile::open(std::unique_ptr<File> file, bool readOnly) {
    return std::unique_ptr<NtxFile>(new NtxFile(std::move(file), readOnly));
}

NtxHeader NtxFile::header() {
    PageLock lock(*pages_, false);
    return parseHeader(pages_->page(0), *pages_);
}

uint32_t NtxFile::changeCounter() { return pages_->changeCounter(); }

OrderInfo NtxFile::info() {
    NtxHeader h = header();
    OrderInfo i;
    std::string base = path();
    size_t slash = base.find_last_of('/');
    if (slash != std::string::npos) base = base.substr(slash + 1);
    size_t dot = base.find_last_of('.');
    i.name = upperAscii(base.substr(0, dot));
    i.expression = h.expression;
    i.condition = h.condition;
    i.keyLength = h.keyLength;
    i.unique = h.unique;
    return i;
}

NtxNode NtxFile::load(uint32_t offset, const NtxHeader& h) {
    if (offset == 0 || offset % kNtxPage != 0) pages_->corrupt("zły adres strony " + std::to_string(offset));
    ++pagesRead_;
    try {
        return decodeNtxNode(pages_->page(offset).data(), h);
    } catch (const Error& e) {
        pages_->corrupt(std::string(e.what()) + ", strona " + std::to_string(offset));
    }
}

void NtxFile::store(uint32_t offset, const NtxNode& node, const NtxHeader& h) {
    pages_->write(offset, encodeNtxNode(node, h));
}

void NtxFile::setRoot(uint32_t root) {
    std::vector<uint8_t> b = pages_->page(0);
    putLe32(b.data() + 4, root);
    pages_->write(0, std::move(b));
}

void NtxFile::insert(const IndexEntry& e) {
    PageLock lock(*pages_, true);
    NtxHeader h = parseHeader(pages_->page(0), *pages_);
    IndexEntry entry = e;
    entry.key.resize(static_cast<size_t>(h.keyLength), ' ');
    struct Step { uint32_t offset; NtxNode node; size_t index; };
    std::vector<Step> path;
    uint32_t offset = h.root;
    for (;;) {
        if (path.size() > kMaxDepth) pages_->corrupt("pętla w drzewie indeksu");
        NtxNode node = load(offset, h);
        size_t i = 0;
        while (i < node.entries.size() && compareEntries(node.entries[i], entry) < 0) ++i;
        uint32_t child = node.children[i];
        path.push_back({offset, std::move(node), i});
        if (child == 0) break;
        offset = child;
    }
    IndexEntry up = entry;
    uint32_t upRight = 0;  // page right of `up`
    for (size_t level = path.size(); level-- > 0;) {
        Step& s = path[level];
        auto at = static_cast<long>(s.index);
        s.node.entries.insert(s.node.entries.begin() + at, up);
        s.node.children.insert(s.node.children.begin() + at + 1, upRight);
        if (s.node.entries.size() <= static_cast<size_t>(h.maxItems)) {
            store(s.offset, s.node, h);
            return;
        }
        // Split around the middle item, which moves up to the parent.
        size_t m = s.node.entries.size() / 2;
        NtxNode right;
        right.entries.assign(s.node.entries.begin() + static_cast<long>(m) + 1, s.node.entries.end());
        right.children.assign(s.node.children.begin() + static_cast<long>(m) + 1, s.node.children.end());
        up = s.node.entries[m];
        s.node.entries.resize(m);
        s.node.children.resize(m + 1);
        upRight = static_cast<uint32_t>(pages_->allocate(1));
        store(s.offset, s.node, h);
        store(upRight, right, h);
        if (level == 0) {
            NtxNode root;
            root.entries.push_back(up);
            root.children = {s.offset, upRight};
            auto newRoot = static_cast<uint32_t>(pages_->allocate(1));
            store(newRoot, root, h);
            setRoot(newRoot);
        }
    }
}

bool NtxFile::remove(const IndexEntry& e) {
    PageLock lock(*pages_, true);
    NtxHeader h = parseHeader(pages_->page(0), *pages_);
    IndexEntry entry = e;
    entry.key.resize(static_cast<size_t>(h.keyLength), ' ');
    uint32_t offset = h.root;
    for (int depth = 0; offset != 0; ++depth) {
        if (depth > kMaxDepth) pages_->corrupt("pętla w drzewie indeksu");
        NtxNode node = load(offset, h);
        size_t i = 0;
        while (i < node.entries.size() && compareEntries(node.entries[i], entry) < 0) ++i;
        if (i < node.entries.size() && node.entries[i] == entry) {
            // Found. The predecessor (last item of the left subtree) takes its place; pages left
            // empty by earlier removals are skipped, and an entirely empty left subtree is dropped.
            std::vector<std::pair<uint32_t, NtxNode>> down;
            for (uint32_t page = node.children[i]; page != 0;) {
                if (down.size() > kMaxDepth) pages_->corrupt("pętla w drzewie indeksu");
                NtxNode n = load(page, h);
                uint32_t next = n.children.back();
                down.emplace_back(page, std::move(n));
                page = next;
            }
            while (!down.empty() && down.back().second.entries.empty()) down.pop_back();
            if (down.empty()) {
                node.entries.erase(node.entries.begin() + static_cast<long>(i));
                node.children.erase(node.children.begin() + static_cast<long>(i));
            } else {
                auto& [page, holder] = down.back();
                node.entries[i] = holder.entries.back();
                holder.entries.pop_back();
                holder.children.pop_back();
                store(page, holder, h);
            }
            store(offset, node, h);
            return true;
        }
        offset = node.children[i];
    }
    return false;
}

void NtxFile::collectForward(uint32_t page, const NtxHeader& h, const std::function<bool(const IndexEntry&)>& wanted,
                             size_t max, std::vector<IndexEntry>& out, int depth) {
    if (page == 0 || out.size() >= max) return;
    if (depth > kMaxDepth) pages_->corrupt("pętla w drzewie indeksu");
    NtxNode node = load(page, h);
    size_t i = 0;
    while (i < node.entries.size() && !wanted(node.entries[i])) ++i;
    collectForward(node.children[i], h, wanted, max, out, depth + 1);
    for (; i < node.entries.size() && out.size() < max; ++i) {
        out.push_back(node.entries[i]);
        collectForward(node.children[i + 1], h, wanted, max, out, depth + 1);
    }
}

void NtxFile::collectBackward(uint32_t page, const NtxHeader& h, const std::function<bool(const IndexEntry&)>& wanted,
                              size_t max, std::vector<IndexEntry>& out, int depth) {
    if (page == 0 || out.size() >= max) return;
    if (depth > kMaxDepth) pages_->corrupt("pętla w drzewie indeksu");
    NtxNode node = load(page, h);
    size_t k = 0;
    while (k < node.entries.size() && wanted(node.entries[k])) ++k;
    collectBackward(node.children[k], h, wanted, max, out, depth + 1);
    for (size_t j = k; j > 0 && out.size() < max; --j) {
        out.push_back(node.entries[j - 1]);
        collectBackward(node.children[j - 1], h, wanted, max, out, depth + 1);
    }
}

std::vector<IndexEntry> NtxFile::forward(const Bound& from, size_t max) {
    PageLock lock(*pages_, false);
    NtxHeader h = parseHeader(pages_->page(0), *pages_);
    std::vector<IndexEntry> out;
    collectForward(h.root, h, [&](const IndexEntry& x) {
        int c = compareToBound(x, from);
        return from.inclusive ? c >= 0 : c > 0;
    }, max, out, 0);
    return out;
}

std::vector<IndexEntry> NtxFile::backward(const Bound& from, size_t max) {
    PageLock lock(*pages_, false);
    NtxHeader h = parseHeader(pages_->page(0), *pages_);
    std::vector<IndexEntry> out;
    collectBackward(h.root, h, [&](const IndexEntry& x) {
        int c = compareToBound(x, from);
        return from.inclusive ? c <= 0 : c < 0;
    }, max, out, 0);
    return out;
}

void NtxFile::forEach(const std::function<bool(const IndexEntry&)>& visit) {
    PageLock lock(*pages_, false);
    NtxHeader h = parseHeader(pages_->page(0), *pages_);
    bool stop = false;
    std::function<void(uint32_t, int)> walk = [&](uint32_t page, int depth) {
        if (page == 0 || stop) return;
        if (depth > kMaxDepth) pages_->corrupt("pętla w drzewie indeksu");
        NtxNode node = load(page, h);
        for (size_t i = 0; i < node.entries.size() && !stop; ++i) {
            walk(node.children[i], depth + 1);
            if (!stop && !visit(node.entries[i])) stop = true;
        }
        walk(node.children.back(), depth + 1);
    };
    walk(h.root, 0);
}

uint32_t NtxFile::buildTree(PagedFile& pages, const NtxHeader& h, const std::vector<IndexEntry>& sorted) {
    auto max = static_cast<size_t>(h.maxItems);
    // Level by level: items of this level and the pages below them (none for leaves).
    std::vector<IndexEntry> items = sorted;
    std::vector<uint32_t> below(items.size() + 1, 0);
    for (;;) {
        size_t nodes = std::max<size_t>(1, (items.size() + 1 + max) / (max + 1));
        std::vector<size_t> sizes = groupSizes(items.size(), nodes);
        std::vector<IndexEntry> upItems;
        std::vector<uint32_t> upPages;
        size_t at = 0;
        for (size_t n = 0; n < nodes; ++n) {
            NtxNode node;
            node.entries.assign(items.begin() + static_cast<long>(at), items.begin() + static_cast<long>(at + sizes[n]));
            node.children.assign(below.begin() + static_cast<long>(at), below.begin() + static_cast<long>(at + sizes[n] + 1));
            auto offset = static_cast<uint32_t>(pages.allocate(1));
            pages.write(offset, encodeNtxNode(node, h));
            upPages.push_back(offset);
            at += sizes[n];
            if (n + 1 < nodes) upItems.push_back(items[at++]);
        }
        if (nodes == 1) return upPages[0];
        items = std::move(upItems);
        below = std::move(upPages);
    }
}

void NtxFile::create(const std::string& path, const std::string& expression, int keyLength, int decimals,
                     const std::vector<IndexEntry>& sorted, bool replace) {
    if (replace && fileExists(path)) removeFile(path);
    auto file = openFile(path, OpenMode::CreateNew);
    NtxHeader h;
    h.keyLength = keyLength;
    h.decimals = decimals;
    h.maxItems = ntxMaxItems(keyLength);
    h.expression = expression;
    std::vector<uint8_t> head = headerBytes(h);
    file->writeAt(0, head.data(), head.size());
    auto ntx = open(std::move(file), false);
    ntx->rewrite(sorted);
}

void NtxFile::rewrite(const std::vector<IndexEntry>& sorted) {
    PageLock lock(*pages_, true);
    NtxHeader h = parseHeader(pages_->page(0), *pages_);
    pages_->restart();
    pages_->allocate(1);
    uint32_t root = buildTree(*pages_, h, sorted);
    h.root = root;
    pages_->write(0, headerBytes(h));
}

} // namespace xb
