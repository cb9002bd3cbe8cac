#pragma once
// One tag of a CDX file: a B+ tree of 512-byte nodes below a 1024-byte tag header.
// Interior entries carry the greatest (key, record) of their child. The compound
// file's directory of tag names is a tag of the same kind at offset 0.
// Callers hold the PagedFile lock scope (CdxFile does) around every call.
#include "CdxNode.h"
#include "PagedFile.h"

namespace xb {

struct CdxTagHeader {
    uint32_t root = 0;
    int keyLength = 0;
    uint8_t options = 0;
    bool descending = false;
    std::string expression, condition;
};

CdxTagHeader readCdxTagHeader(PagedFile& file, uint64_t offset);
std::vector<uint8_t> buildCdxTagHeader(const CdxTagHeader& h);

class CdxTag {
public:
    CdxTag(PagedFile& file, uint64_t headerOffset, char pad);

    uint64_t headerOffset() const { return header_; }
    CdxTagHeader header();  // read now

    void insert(const IndexEntry& e);
    // Inserts many entries, sorted, filling each leaf they fall into before writing it.
    void insertSorted(const std::vector<IndexEntry>& sorted);
    bool remove(const IndexEntry& e);
    std::vector<IndexEntry> forward(const Bound& from, size_t max);
    std::vector<IndexEntry> backward(const Bound& from, size_t max);
    void forEach(const std::function<bool(const IndexEntry&)>& visit);
    uint64_t pagesRead() const { return pagesRead_; }

    // Writes a complete tree for sorted entries into fresh pages; returns the root offset.
    static uint32_t buildTree(PagedFile& file, const std::vector<IndexEntry>& sorted, int keyLength, char pad);

private:
    struct Step {
        uint32_t offset;
        CdxNode node;
        size_t index;  // entry taken in this node
    };
    CdxNode load(uint32_t offset);
    // Root and key length from the header's first page (the expression pool is not needed).
    uint32_t readRoot();
    void store(uint32_t offset, const CdxNode& node);
    // Path from the root to the leaf holding the first entry for which `after` is true
    // (the last leaf when none is); the leaf's index is that entry's position.
    std::vector<Step> descend(const std::function<bool(const IndexEntry&)>& after);
    void setRoot(uint32_t root);
    void fixUp(std::vector<Step>& path);
    void replaceInParent(std::vector<Step>& path, size_t level, std::vector<std::pair<IndexEntry, uint32_t>> items);
    uint32_t newPage();
    void freePage(uint32_t offset);
    void relink(uint32_t offset, bool leftSide, uint32_t to);

    PagedFile& file_;
    uint64_t header_;
    char pad_;
    int keyLength_ = 0;
    uint64_t pagesRead_ = 0;
};

} // namespace xb
