#pragma once
// A dBase table file (.dbf) shared by several processes.
//
// Contract:
// - Records are not cached across calls: the record count is read from the header each
//   time it is needed, records are read from the file when asked for. Index pages are
//   kept only while the index file's change counter shows nobody changed it
//   (index/PagedFile.h).
// - An open reads the header before the file size, so it never meets a count that an
//   append in progress has not yet backed with data.
// - Record locks belong to this handle. write() and setDeleted() need the record
//   locked by this handle, or an exclusive open.
// - append() takes the header lock, writes the record and the end-of-file marker,
//   then the new count: the header never counts a record that is not written.
// - pack(), zap() and structure changes need an exclusive open.
// Format notes: engine/FORMAT.md.
#include "File.h"
#include "Record.h"

#include <functional>
#include <memory>
#include <set>
#include <string>

namespace xb {

class IndexSet;
class RecordCipher;

enum class LockScheme { FoxPro, Clipper };

struct OpenOptions {
    bool exclusive = false;
    bool readOnly = false;
    int codePage = 0; // 0: from the language-driver byte, 852 when it names none
    std::string password; // for encrypted tables; ignored by tables that are not
};

struct CreateOptions {
    int codePage = 852;
    bool structuralIndex = false; // sets the CDX flag (byte 28)
    std::string password;         // non-empty: records are encrypted (RecordCipher.h)
};

// What the header of a table file says; filled by readHeader.
struct HeaderInfo {
    uint8_t version = 0;
    uint8_t flags = 0;
    uint8_t languageDriver = 0;
    uint32_t recordCount = 0;
    uint16_t headerLength = 0;
    uint16_t recordLength = 0;
    int lastUpdateYear = 0, lastUpdateMonth = 0, lastUpdateDay = 0;
    std::vector<FieldDef> fields;
};

// Reads and validates a header; throws Corrupt (naming the file) on anything inconsistent.
HeaderInfo readHeader(File& file);

class Table {
public:
    static std::unique_ptr<Table> open(const std::string& path, const OpenOptions& options = {});
    static std::unique_ptr<Table> open(std::unique_ptr<File> file, const OpenOptions& options = {});
    // Creates an empty table; throws AlreadyExists when the file exists.
    static void create(const std::string& path, const std::vector<FieldDef>& fields, const CreateOptions& options = {});
    // Creates an empty table with the structure and code page of `model`.
    static void createLike(const std::string& path, const Table& model);
    // Adds fields at the end of an existing table, keeping its records (needs it closed elsewhere).
    static void addFields(const std::string& path, const std::vector<FieldDef>& fields, const OpenOptions& options = {});

    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::string& path() const { return file_->path(); }
    const HeaderInfo& header() const { return header_; }  // as read at open (structure only)
    const Schema& schema() const { return *schema_; }
    const std::shared_ptr<const Schema>& schemaPtr() const { return schema_; }
    bool exclusive() const { return options_.exclusive; }
    bool readOnly() const { return options_.readOnly; }
    LockScheme lockScheme() const { return scheme_; }
    bool hasStructuralIndex() const { return (header_.flags & 0x01) != 0; }
    bool encrypted() const { return cipher_ != nullptr; }
    void setStructuralIndexFlag(bool on);

    uint32_t recordCount();  // from the header, now
    Record blankRecord() const { return Record::blank(schema_); }
    // Reads record `recno` (1-based); throws NoRecord when it does not exist.
    Record read(uint32_t recno);

    // Record locks: lock throws RecordLocked (5035) when another handle holds it.
    void lock(uint32_t recno);
    bool tryLock(uint32_t recno);
    void unlock(uint32_t recno);
    void unlockAll();
    bool holdsLock(uint32_t recno) const { return options_.exclusive || locks_.count(recno) != 0; }

    void write(uint32_t recno, const Record& record);
    uint32_t append(const Record& record);
    // Appends many records under one header lock; returns the first new record number.
    uint32_t appendMany(const std::vector<Record>& records);
    void setDeleted(uint32_t recno, bool deleted);

    void pack();
    void zap();

    // Calls `visit(recno, bytes)` for every record in file order, reading large blocks;
    // `bytes` points at the record (deletion flag first) and is valid during the call.
    // Stops early when visit returns false.
    void scan(const std::function<bool(uint32_t, const char*)>& visit);
    // The same for a fixed range of records [first, last].
    void scanRange(uint32_t first, uint32_t last, const std::function<bool(uint32_t, const char*)>& visit);
    // The same for chosen records (ascending record numbers, as an index gives them after
    // sorting): neighbouring records are read together, so a range of a date tag over a
    // table filled day by day costs a few block reads. Numbers past the end are skipped.
    void readRecords(const std::vector<uint32_t>& recnos, const std::function<bool(uint32_t, const char*)>& visit);

    File& file() { return *file_; }

    // Indexes this handle keeps up to date: the structural .cdx (opened with the table when
    // the header's flag says so) and .ntx files opened on it. Null while none is open.
    // Every record change above also changes their keys, under the index files' locks.
    IndexSet* indexes() { return indexes_.get(); }
    IndexSet& indexSet();  // creates the (empty) set on demand
    // Building and dropping indexes needs an exclusive open.
    void createTag(const std::string& tag, const std::string& expression, const std::string& condition = {});
    bool deleteTag(const std::string& tag);
    void createNtx(const std::string& path, const std::string& expression, const std::string& condition = {});
    void openNtx(const std::string& path);
    // Rebuilds every open index from the records.
    void reindex();
    // Deletes the structural index file and clears the header's flag (the rescue rebuild starts here).
    void dropStructuralIndex();

private:
    Table(std::unique_ptr<File> file, const OpenOptions& options);
    uint64_t recordOffset(uint32_t recno) const;
    uint64_t recordLockOffset(uint32_t recno) const;
    uint64_t headerLockOffset() const;
    void requireWritable() const;
    void requireExclusive(const char* what) const;
    void lockHeader();
    void unlockHeader();
    void writeCount(uint32_t count);
    void rewriteAll(const std::vector<FieldDef>& fields, const std::function<void(Table& target)>& fill);
    template <class Change> void changeIndexed(Change&& change);

    std::unique_ptr<File> file_;
    OpenOptions options_;
    HeaderInfo header_;
    std::shared_ptr<const Schema> schema_;
    LockScheme scheme_ = LockScheme::Clipper;
    std::set<uint32_t> locks_;
    bool openLockHeld_ = false;
    std::unique_ptr<RecordCipher> cipher_;  // set for encrypted tables
    std::unique_ptr<IndexSet> indexes_;  // destroyed before file_
};

// Copies every live record of `from` into `to`, field by field where the names match.
// Returns the number of records copied.
uint32_t copyRecords(Table& from, Table& to);

// Code page number used for a table file whose language-driver byte is `ldid`.
int codePageForDriver(uint8_t ldid, int requested);

} // namespace xb
