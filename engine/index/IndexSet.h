#pragma once
// The indexes a table keeps up to date: the tags of its structural compound index
// (same base name, .cdx, opened with the table) and the single-order .ntx files
// opened explicitly on the handle.
//
// Contract: Table calls beginWrite() before it changes records and endWrite()
// after; in between it reports every change (appended, changed), and the index
// files stay locked exclusively, so no other process sees a record without its
// keys or reads a page half-written. Building (createTag, createNtx, rebuild)
// needs the table open exclusively.
#include "CdxFile.h"
#include "Expression.h"
#include "NtxFile.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace xb {

class Table;

// One order with the compiled expressions that give its keys.
struct IndexedOrder {
    std::string name;
    IndexFormat format = IndexFormat::Cdx;
    std::unique_ptr<IndexOrder> order;
    std::optional<Expression> key;
    std::optional<Expression> condition;
    std::string problem;  // why the expression cannot be used (foreign function...), empty when fine
    ExprType type = ExprType::Character;
    int keyLength = 0;
    int decimals = 0;
    char pad = ' ';

    // The key of a row, or nothing when the FOR condition leaves the row out.
    std::optional<std::string> keyOf(const ExprRow& row) const;
    // Encodes a wanted value (UTF-8 text, number, date, logical) as a key prefix of this order.
    std::string seekKey(const Value& v, const CodePage& cp, bool partial) const;
    Value decodeKey(const std::string& key) const { return keys::decode(format, type, key); }
};

class IndexSet {
public:
    IndexSet(std::shared_ptr<const Schema> schema, std::string tablePath, bool readOnly);
    ~IndexSet();

    // The .cdx beside a table: an existing one in either letter case, else the name to create.
    static std::string structuralPath(const std::string& tablePath);
    void openStructural();
    bool hasStructural() const { return cdx_ != nullptr; }
    CdxFile* structural() { return cdx_.get(); }
    void openNtx(const std::string& path);
    void closeNtx(const std::string& path);

    std::vector<IndexedOrder*> orders();
    // The order with this name (a tag, or an NTX file's base name); null when none.
    IndexedOrder* find(const std::string& name);

    void beginWrite();
    // Ends the write scope; with commit false the pages changed in it are dropped unwritten.
    void endWrite(bool commit);
    void beginRead();
    void endRead();
    void appended(uint32_t first, const std::vector<Record>& records);
    void changed(uint32_t recno, const std::string& before, const std::string& after);

    void createTag(Table& table, const std::string& name, const std::string& expression, const std::string& condition);
    bool deleteTag(const std::string& name);
    void createNtx(Table& table, const std::string& path, const std::string& expression, const std::string& condition);
    // Rebuilds every open order from the table's records in one scan.
    void rebuild(Table& table);
    // Closes and deletes the structural index file (the caller clears the table's flag).
    void dropStructural();

    // Tag definitions (name, expression, condition) still readable in a damaged compound file.
    static std::vector<OrderInfo> readDefinitions(const std::string& cdxPath);

    // Every order's expected entries, from one scan of the table, sorted.
    std::vector<std::vector<IndexEntry>> expectedEntries(Table& table, const std::vector<IndexedOrder*>& orders);

private:
    std::unique_ptr<IndexedOrder> compile(std::string name, IndexFormat format, std::unique_ptr<IndexOrder> order,
                                          const OrderInfo& info);
    void loadCdxOrders();
    std::vector<PagedFile*> files();

    std::shared_ptr<const Schema> schema_;
    std::string tablePath_;
    bool readOnly_;
    std::unique_ptr<CdxFile> cdx_;
    std::vector<std::unique_ptr<IndexedOrder>> cdxOrders_;
    struct Ntx {
        std::string path;
        NtxFile* file;
        std::unique_ptr<IndexedOrder> order;
    };
    std::vector<Ntx> ntx_;
    int writeDepth_ = 0;
};

} // namespace xb
