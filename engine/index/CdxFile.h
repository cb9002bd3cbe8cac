#pragma once
// A compound index file (.cdx, FoxPro format) with named tags.
//
// Locking: the index lock is byte 0x7FFFFFFE of the .cdx file (shared to read,
// exclusive to change), as FoxPro-compatible engines take it. Every change bumps
// the change counter in bytes 8-11 of the file header (big-endian); pages read are
// kept for later scopes only while the counter and the file size stay as they were.
#include "CdxTag.h"
#include "IndexOrder.h"

#include <memory>
#include <string>
#include <vector>

namespace xb {

struct CdxTagDefinition {
    std::string name;
    std::string expression;
    std::string condition;
    int keyLength = 0;
    char pad = ' ';
    std::vector<IndexEntry> sorted;  // entries in order
};

class CdxFile {
public:
    static std::unique_ptr<CdxFile> open(const std::string& path, bool readOnly);
    static std::unique_ptr<CdxFile> open(std::unique_ptr<File> file, bool readOnly);
    // Creates a compound file without tags; throws AlreadyExists.
    static void create(const std::string& path);

    PagedFile& pages() { return *pages_; }
    const std::string& path() const { return pages_->path(); }
    // Tag names with their header offsets, in directory order.
    std::vector<std::pair<std::string, uint32_t>> tags();
    // The order of one tag; `pad` is the key pad byte of its type. Throws NotFound.
    std::unique_ptr<IndexOrder> order(const std::string& tag, char pad);

    // Adds a tag built from sorted entries (replacing a tag of the same name).
    void addTag(const CdxTagDefinition& definition);
    // Removes a tag from the directory; false when there is none.
    bool removeTag(const std::string& name);
    // Writes the whole file anew with these tags (reindex).
    void rewrite(const std::vector<CdxTagDefinition>& definitions);
    uint32_t changeCounter();

private:
    explicit CdxFile(std::unique_ptr<File> file, bool readOnly);
    void writeTag(const CdxTagDefinition& definition);
    void checkHeader();

    std::unique_ptr<PagedFile> pages_;
};

std::string cdxTagKey(const std::string& name);

} // namespace xb
