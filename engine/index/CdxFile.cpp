#include "CdxFile.h"

#include "../Error.h"

#include <algorithm>

namespace xb {

namespace {

constexpr uint64_t kCdxLockOffset = 0x7FFFFFFE;
constexpr int kTagNameLength = 10;

CdxTagHeader directoryHeader(uint32_t root) {
    CdxTagHeader h;
    h.root = root;
    h.keyLength = kTagNameLength;
    h.options = 0xE0;
    return h;
}

class CdxOrder : public IndexOrder {
public:
    CdxOrder(CdxFile& file, uint64_t header, char pad, std::string name)
        : file_(file), tag_(file.pages(), header, pad), name_(std::move(name)) {}

    IndexFormat format() const override { return IndexFormat::Cdx; }
    OrderInfo info() override {
        PageLock lock(file_.pages(), false);
        CdxTagHeader h = tag_.header();
        OrderInfo i;
        i.name = name_;
        i.expression = h.expression;
        i.condition = h.condition;
        i.keyLength = h.keyLength;
        i.unique = (h.options & 0x01) != 0;
        i.descending = h.descending;
        return i;
    }
    void insert(const IndexEntry& e) override {
        PageLock lock(file_.pages(), true);
        tag_.insert(e);
    }
    void insertSorted(const std::vector<IndexEntry>& sorted) override {
        PageLock lock(file_.pages(), true);
        tag_.insertSorted(sorted);
    }
    bool remove(const IndexEntry& e) override {
        PageLock lock(file_.pages(), true);
        return tag_.remove(e);
    }
    std::vector<IndexEntry> forward(const Bound& from, size_t max) override {
        PageLock lock(file_.pages(), false);
        return tag_.forward(from, max);
    }
    std::vector<IndexEntry> backward(const Bound& from, size_t max) override {
        PageLock lock(file_.pages(), false);
        return tag_.backward(from, max);
    }
    void forEach(const std::function<bool(const IndexEntry&)>& visit) override {
        PageLock lock(file_.pages(), false);
        tag_.forEach(visit);
    }
    uint64_t pagesRead() const override { return tag_.pagesRead(); }
    void lock(bool exclusive) override { exclusive ? file_.pages().lockExclusive() : file_.pages().lockShared(); }
    void unlock() override { file_.pages().unlock(); }
    uint32_t changeCounter() override { return file_.changeCounter(); }

private:
    CdxFile& file_;
    CdxTag tag_;
    std::string name_;
};

} // namespace

std::string cdxTagKey(const std::string& name) {
    std::string key = upperAscii(name).substr(0, kTagNameLength);
    key.resize(kTagNameLength, ' ');
    return key;
}

CdxFile::CdxFile(std::unique_ptr<File> file, bool readOnly)
    : pages_(std::make_unique<PagedFile>(std::move(file), kCdxPage, kCdxLockOffset, readOnly, ChangeCounterField{8, 4, true})) {
    checkHeader();
}

void CdxFile::checkHeader() {
    PageLock lock(*pages_, false);
    if (pages_->end() < 3 * kCdxPage) pages_->corrupt("plik krótszy niż nagłówek");
    CdxTagHeader h = readCdxTagHeader(*pages_, 0);
    if (h.keyLength != kTagNameLength) pages_->corrupt("to nie jest złożony plik indeksu");
}

std::unique_ptr<CdxFile> CdxFile::open(const std::string& path, bool readOnly) {
    return open(openFile(path, readOnly ? OpenMode::ReadOnly : OpenMode::ReadWrite), readOnly);
}

std::unique_ptr<CdxFile> CdxFile::open(std::unique_ptr<File> file, bool readOnly) {
    return std::unique_ptr<CdxFile>(new CdxFile(std::move(file), readOnly));
}

void CdxFile::create(const std::string& path) {
    auto file = openFile(path, OpenMode::CreateNew);
    std::vector<uint8_t> image = buildCdxTagHeader(directoryHeader(2 * kCdxPage));
    CdxNode root;
    root.attributes = 3;
    std::vector<uint8_t> page;
    encodeCdxNode(root, kTagNameLength, ' ', page);
    image.insert(image.end(), page.begin(), page.end());
    file->writeAt(0, image.data(), image.size());
}

uint32_t CdxFile::changeCounter() { return pages_->changeCounter(); }

std::vector<std::pair<std::string, uint32_t>> CdxFile::tags() {
    PageLock lock(*pages_, false);
    CdxTag directory(*pages_, 0, ' ');
    std::vector<std::pair<std::string, uint32_t>> out;
    directory.forEach([&](const IndexEntry& e) {
        std::string name = e.key;
        while (!name.empty() && (name.back() == ' ' || name.back() == '\0')) name.pop_back();
        out.emplace_back(name, e.recno);
        return out.size() < 1000;
    });
    return out;
}

std::unique_ptr<IndexOrder> CdxFile::order(const std::string& tag, char pad) {
    for (const auto& [name, offset] : tags())
        if (equalsIgnoreCase(name, tag)) return std::make_unique<CdxOrder>(*this, offset, pad, name);
    throw Error(ErrorCode::NotFound, "Nie ma tagu '" + tag + "'", path());
}

void CdxFile::writeTag(const CdxTagDefinition& definition) {
    uint64_t header = pages_->allocate(2);
    uint32_t root = CdxTag::buildTree(*pages_, definition.sorted, definition.keyLength, definition.pad);
    CdxTagHeader h;
    h.root = root;
    h.keyLength = definition.keyLength;
    h.options = static_cast<uint8_t>(0x60 | (definition.condition.empty() ? 0 : 0x08));
    h.expression = definition.expression;
    h.condition = definition.condition;
    std::vector<uint8_t> bytes = buildCdxTagHeader(h);
    pages_->write(header, std::vector<uint8_t>(bytes.begin(), bytes.begin() + kCdxPage));
    pages_->write(header + kCdxPage, std::vector<uint8_t>(bytes.begin() + kCdxPage, bytes.end()));
    CdxTag directory(*pages_, 0, ' ');
    directory.insert({cdxTagKey(definition.name), static_cast<uint32_t>(header)});
}

void CdxFile::addTag(const CdxTagDefinition& definition) {
    PageLock lock(*pages_, true);
    removeTag(definition.name);
    writeTag(definition);
}

bool CdxFile::removeTag(const std::string& name) {
    PageLock lock(*pages_, true);
    for (const auto& [tag, offset] : tags()) {
        if (!equalsIgnoreCase(tag, name)) continue;
        CdxTag directory(*pages_, 0, ' ');
        return directory.remove({cdxTagKey(tag), offset});
    }
    return false;
}

void CdxFile::rewrite(const std::vector<CdxTagDefinition>& definitions) {
    PageLock lock(*pages_, true);
    pages_->restart();
    std::vector<uint8_t> header = buildCdxTagHeader(directoryHeader(2 * kCdxPage));
    pages_->allocate(3);
    pages_->write(0, std::vector<uint8_t>(header.begin(), header.begin() + kCdxPage));
    pages_->write(kCdxPage, std::vector<uint8_t>(header.begin() + kCdxPage, header.end()));
    CdxNode root;
    root.attributes = 3;
    std::vector<uint8_t> page;
    encodeCdxNode(root, kTagNameLength, ' ', page);
    pages_->write(2 * kCdxPage, std::move(page));
    for (const auto& definition : definitions) writeTag(definition);
}

} // namespace xb
