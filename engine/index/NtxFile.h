#pragma once
// A single-order index file (.ntx, Clipper format): a B tree of 1024-byte pages
// whose items hold (child page, record, key); every item of an interior page is
// itself an entry. Layout in engine/index/FORMAT.md.
//
// Locking: byte 1 000 000 000 of the .ntx file, shared to read and exclusive to
// change (the Clipper index lock); the header's update counter (bytes 2-3) grows
// with every change.
#include "IndexOrder.h"
#include "PagedFile.h"

#include <memory>

namespace xb {

struct NtxNode {
    std::vector<IndexEntry> entries;
    std::vector<uint32_t> children;  // entries.size() + 1 page offsets, 0 = none
};

struct NtxHeader {
    uint16_t signature = 6;
    uint32_t root = 0;
    int keyLength = 0;
    int decimals = 0;
    int maxItems = 0;
    bool unique = false;
    std::string expression, condition;
};

NtxNode decodeNtxNode(const uint8_t* page, const NtxHeader& h);
std::vector<uint8_t> encodeNtxNode(const NtxNode& node, const NtxHeader& h);
int ntxMaxItems(int keyLength);

class NtxFile : public IndexOrder {
public:
    static std::unique_ptr<NtxFile> open(const std::string& path, bool readOnly);
    static std::unique_ptr<NtxFile> open(std::unique_ptr<File> file, bool readOnly);
    // Creates the file with these sorted entries; throws AlreadyExists unless `replace`.
    static void create(const std::string& path, const std::string& expression, int keyLength, int decimals,
                       const std::vector<IndexEntry>& sorted, bool replace);

    const std::string& path() const { return pages_->path(); }
    PagedFile& pages() { return *pages_; }
    NtxHeader header();
    // Rebuilds the tree from sorted entries (reindex), keeping the header's expression.
    void rewrite(const std::vector<IndexEntry>& sorted);

    IndexFormat format() const override { return IndexFormat::Ntx; }
    OrderInfo info() override;
    void insert(const IndexEntry& e) override;
    bool remove(const IndexEntry& e) override;
    std::vector<IndexEntry> forward(const Bound& from, size_t max) override;
    std::vector<IndexEntry> backward(const Bound& from, size_t max) override;
    void forEach(const std::function<bool(const IndexEntry&)>& visit) override;
    uint64_t pagesRead() const override { return pagesRead_; }
    void lock(bool exclusive) override { exclusive ? pages_->lockExclusive() : pages_->lockShared(); }
    void unlock() override { pages_->unlock(); }
    uint32_t changeCounter() override;

private:
    explicit NtxFile(std::unique_ptr<File> file, bool readOnly);
    NtxNode load(uint32_t offset, const NtxHeader& h);
    void store(uint32_t offset, const NtxNode& node, const NtxHeader& h);
    void setRoot(uint32_t root);
    void collectForward(uint32_t page, const NtxHeader& h, const std::function<bool(const IndexEntry&)>& wanted,
                        size_t max, std::vector<IndexEntry>& out, int depth);
    void collectBackward(uint32_t page, const NtxHeader& h, const std::function<bool(const IndexEntry&)>& wanted,
                         size_t max, std::vector<IndexEntry>& out, int depth);
    static uint32_t buildTree(PagedFile& pages, const NtxHeader& h, const std::vector<IndexEntry>& sorted);

    std::unique_ptr<PagedFile> pages_;
    uint64_t pagesRead_ = 0;
};

} // namespace xb
