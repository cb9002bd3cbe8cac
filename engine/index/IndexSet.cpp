#include "IndexSet.h"

#include "../Error.h"
#include "../Table.h"

#include <algorithm>
#include <cctype>

namespace xb {

namespace {

std::string withExtension(const std::string& path, const std::string& ext) {
    size_t slash = path.find_last_of('/');
    size_t dot = path.find_last_of('.');
    std::string base = (dot != std::string::npos && (slash == std::string::npos || dot > slash)) ? path.substr(0, dot) : path;
    return base + ext;
}

void validateTagName(const std::string& name) {
    bool ok = !name.empty() && name.size() <= 10 && std::isalpha(static_cast<unsigned char>(name[0]));
    for (char c : name) ok = ok && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
    if (!ok) throw Error(ErrorCode::BadValue, "Niepoprawna nazwa tagu '" + name + "' (do 10 liter, cyfr lub _)");
}

void sortEntries(std::vector<IndexEntry>& entries) {
    bool shortKeys = std::all_of(entries.begin(), entries.end(), [](const IndexEntry& e) { return e.key.size() <= 8; });
    if (!shortKeys || entries.empty()) {
        std::sort(entries.begin(), entries.end(), [](const IndexEntry& a, const IndexEntry& b) { return compareEntries(a, b) < 0; });
        return;
    }
    // Keys of up to 8 bytes (numbers, dates, short codes) sort as big-endian integers with
    // the record number: the same order as comparing bytes, several times faster.
    size_t length = entries.front().key.size();
    std::vector<std::pair<uint64_t, uint32_t>> packed;
    packed.reserve(entries.size());
    for (const auto& e : entries) {
        uint64_t v = 0;
        for (size_t i = 0; i < 8; ++i) v = (v << 8) | (i < e.key.size() ? static_cast<uint8_t>(e.key[i]) : 0);
        packed.emplace_back(v, e.recno);
        length = std::max(length, e.key.size());
    }
    std::sort(packed.begin(), packed.end());
    for (size_t n = 0; n < packed.size(); ++n) {
        std::string key(length, '\0');
        for (size_t i = 0; i < length; ++i) key[i] = static_cast<char>(packed[n].first >> (56 - 8 * i));
        entries[n] = {std::move(key), packed[n].second};
    }
}

} // namespace

namespace {

// The key of a tag on one plain field, straight from the record bytes (the common case,
// and the one building millions of keys spends its time in); nothing when the bytes need
// the general evaluation.
std::optional<std::string> fieldKey(const IndexedOrder& o, const Schema& schema, const ExprRow& row) {
    const FieldDef& f = schema.field(o.key->singleField());
    const char* raw = row.bytes + f.offset;
    auto length = static_cast<size_t>(f.length);
    if (o.type == ExprType::Character) {
        std::string k(raw, std::min(length, static_cast<size_t>(o.keyLength)));
        k.resize(static_cast<size_t>(o.keyLength), ' ');
        return k;
    }
    if (o.format != IndexFormat::Cdx) return std::nullopt;
    if (o.type == ExprType::Date && f.type == FieldType::Date && length == 8) {
        int v[8];
        for (size_t i = 0; i < 8; ++i) {
            if (raw[i] < '0' || raw[i] > '9') return std::nullopt;
            v[i] = raw[i] - '0';
        }
        Date d{v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3], v[4] * 10 + v[5], v[6] * 10 + v[7]};
        if (!d.valid()) return std::nullopt;
        return keys::cdxDouble(static_cast<double>(d.julianDay()));
    }
    if (o.type == ExprType::Numeric && f.type == FieldType::Numeric && f.decimals == 0 && length <= 15) {
        size_t i = 0;
        while (i < length && raw[i] == ' ') ++i;
        bool negative = i < length && raw[i] == '-';
        if (negative) ++i;
        if (i == length) return std::nullopt;
        int64_t v = 0;
        for (; i < length; ++i) {
            if (raw[i] < '0' || raw[i] > '9') return std::nullopt;
            v = v * 10 + (raw[i] - '0');
        }
        return keys::cdxDouble(static_cast<double>(negative ? -v : v));
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> IndexedOrder::keyOf(const ExprRow& row) const {
    if (!key) throw Error(ErrorCode::Unsupported, "Indeks " + name + ": " + problem);
    if (condition && !condition->test(row)) return std::nullopt;
    if (key->singleField() >= 0)
        if (auto k = fieldKey(*this, key->schema(), row)) return k;
    return keys::encode(format, type, keyLength, decimals, key->evaluate(row));
}

std::string IndexedOrder::seekKey(const Value& v, const CodePage& cp, bool partial) const {
    if (type == ExprType::Character) {
        std::string bytes;
        if (const auto* s = std::get_if<std::string>(&v)) bytes = cp.encode(*s);
        else throw Error(ErrorCode::BadValue, "Indeks " + name + " ma klucze znakowe");
        if (bytes.size() > static_cast<size_t>(keyLength)) bytes.resize(static_cast<size_t>(keyLength));
        if (!partial) bytes.resize(static_cast<size_t>(keyLength), ' ');
        return bytes;
    }
    bool fits = (type == ExprType::Numeric && std::holds_alternative<double>(v)) ||
                (type == ExprType::Date && std::holds_alternative<Date>(v)) ||
                (type == ExprType::Logical && std::holds_alternative<bool>(v));
    if (!fits) throw Error(ErrorCode::BadValue, "Wartość innego typu niż klucze indeksu " + name);
    return keys::encode(format, type, keyLength, decimals, v);
}

IndexSet::IndexSet(std::shared_ptr<const Schema> schema, std::string tablePath, bool readOnly)
    : schema_(std::move(schema)), tablePath_(std::move(tablePath)), readOnly_(readOnly) {}

IndexSet::~IndexSet() = default;

std::string IndexSet::structuralPath(const std::string& tablePath) {
    for (const char* ext : {".cdx", ".CDX", ".Cdx"}) {
        std::string candidate = withExtension(tablePath, ext);
        if (fileExists(candidate)) return candidate;
    }
    bool upper = tablePath.size() >= 4 && tablePath.substr(tablePath.size() - 4) == ".DBF";
    return withExtension(tablePath, upper ? ".CDX" : ".cdx");
}

std::unique_ptr<IndexedOrder> IndexSet::compile(std::string name, IndexFormat format, std::unique_ptr<IndexOrder> order,
                                                const OrderInfo& info) {
    auto o = std::make_unique<IndexedOrder>();
    o->name = std::move(name);
    o->format = format;
    o->order = std::move(order);
    o->keyLength = info.keyLength;
    try {
        o->key = Expression::parse(info.expression, schema_);
        if (!info.condition.empty()) o->condition = Expression::parse(info.condition, schema_);
        o->type = o->key->type();
        o->decimals = o->key->decimals();
        int expected = keys::keyLength(format, o->type, o->key->width());
        if (info.keyLength != 0 && expected != info.keyLength) {
            o->problem = "długość klucza " + std::to_string(info.keyLength) + " nie odpowiada wyrażeniu '" +
                         info.expression + "' (" + std::to_string(expected) + ")";
            o->key.reset();
        }
        if (o->condition && o->condition->type() != ExprType::Logical) {
            o->problem = "warunek FOR nie jest logiczny";
            o->key.reset();
        }
    } catch (const Error& e) {
        o->problem = e.what();
        o->key.reset();
        o->condition.reset();
    }
    if (info.keyLength == 0 && o->key) o->keyLength = keys::keyLength(format, o->type, o->key->width());
    o->pad = keys::padByte(format, o->type);
    return o;
}

void IndexSet::loadCdxOrders() {
    cdxOrders_.clear();
    if (!cdx_) return;
    for (const auto& [name, offset] : cdx_->tags()) {
        (void)offset;
        // The pad byte depends on the key type, known only after the expression is compiled.
        auto probe = cdx_->order(name, ' ');
        OrderInfo info = probe->info();
        auto compiled = compile(name, IndexFormat::Cdx, nullptr, info);
        compiled->order = cdx_->order(name, compiled->pad);
        cdxOrders_.push_back(std::move(compiled));
    }
}

void IndexSet::openStructural() {
    std::string path = structuralPath(tablePath_);
    if (!fileExists(path)) return;
    cdx_ = CdxFile::open(path, readOnly_);
    loadCdxOrders();
}

void IndexSet::openNtx(const std::string& path) {
    for (const auto& n : ntx_)
        if (n.path == path) return;
    auto file = NtxFile::open(path, readOnly_);
    NtxFile* raw = file.get();
    OrderInfo info = file->info();
    NtxHeader h = file->header();
    auto compiled = compile(info.name, IndexFormat::Ntx, std::move(file), info);
    if (compiled->key && compiled->type == ExprType::Numeric) compiled->decimals = h.decimals;
    ntx_.push_back({path, raw, std::move(compiled)});
}

void IndexSet::closeNtx(const std::string& path) {
    ntx_.erase(std::remove_if(ntx_.begin(), ntx_.end(), [&](const Ntx& n) { return n.path == path; }), ntx_.end());
}

std::vector<IndexedOrder*> IndexSet::orders() {
    std::vector<IndexedOrder*> out;
    for (auto& o : cdxOrders_) out.push_back(o.get());
    for (auto& n : ntx_) out.push_back(n.order.get());
    return out;
}

IndexedOrder* IndexSet::find(const std::string& name) {
    for (IndexedOrder* o : orders())
        if (equalsIgnoreCase(o->name, name)) return o;
    return nullptr;
}

std::vector<PagedFile*> IndexSet::files() {
    std::vector<PagedFile*> out;
    if (cdx_) out.push_back(&cdx_->pages());
    for (auto& n : ntx_) out.push_back(&n.file->pages());
    return out;
}

void IndexSet::beginWrite() {
    if (writeDepth_++ > 0) return;
    try {
        for (IndexedOrder* o : orders())
            if (!o->key) throw Error(ErrorCode::Unsupported, "Zapis niemożliwy: indeks " + o->name + ": " + o->problem);
        std::vector<PagedFile*> held;
        try {
            for (PagedFile* f : files()) {
                f->lockExclusive();
                held.push_back(f);
            }
        } catch (...) {
            for (PagedFile* f : held) f->unlock();
            throw;
        }
    } catch (...) {
        writeDepth_ = 0;
        throw;
    }
}

void IndexSet::endWrite(bool commit) {
    if (writeDepth_ == 0 || --writeDepth_ > 0) return;
    std::exception_ptr failure;
    for (PagedFile* f : files()) {
        try {
            if (!commit) f->discard();
            f->unlock();
        } catch (...) {
            if (!failure) failure = std::current_exception();
        }
    }
    if (failure) std::rethrow_exception(failure);
}

void IndexSet::beginRead() {
    for (PagedFile* f : files()) f->lockShared();
}

void IndexSet::endRead() {
    for (PagedFile* f : files()) f->unlock();
}

void IndexSet::appended(uint32_t first, const std::vector<Record>& records) {
    for (IndexedOrder* o : orders()) {
        std::vector<IndexEntry> entries;
        entries.reserve(records.size());
        for (size_t i = 0; i < records.size(); ++i) {
            auto key = o->keyOf({records[i].bytes().data(), first + static_cast<uint32_t>(i)});
            if (key) entries.push_back({std::move(*key), first + static_cast<uint32_t>(i)});
        }
        sortEntries(entries);
        o->order->insertSorted(entries);
    }
}

void IndexSet::changed(uint32_t recno, const std::string& before, const std::string& after) {
    for (IndexedOrder* o : orders()) {
        auto was = o->keyOf({before.data(), recno});
        auto now = o->keyOf({after.data(), recno});
        if (was == now) continue;
        // A key missing from a damaged index is not an obstacle: check reports it, reindex cures it.
        if (was) o->order->remove({*was, recno});
        if (now) o->order->insert({*now, recno});
    }
}

std::vector<std::vector<IndexEntry>> IndexSet::expectedEntries(Table& table, const std::vector<IndexedOrder*>& orders) {
    std::vector<std::vector<IndexEntry>> out(orders.size());
    uint32_t count = table.recordCount();
    for (auto& v : out) v.reserve(count);
    table.scan([&](uint32_t recno, const char* bytes) {
        for (size_t i = 0; i < orders.size(); ++i) {
            auto key = orders[i]->keyOf({bytes, recno});
            if (key) out[i].push_back({std::move(*key), recno});
        }
        return true;
    });
    for (auto& v : out) sortEntries(v);
    return out;
}

void IndexSet::createTag(Table& table, const std::string& name, const std::string& expression, const std::string& condition) {
    validateTagName(name);
    OrderInfo info;
    info.name = upperAscii(name);
    info.expression = expression;
    info.condition = condition;
    auto order = compile(info.name, IndexFormat::Cdx, nullptr, info);
    if (!order->key) throw Error(ErrorCode::BadValue, order->problem);
    auto entries = expectedEntries(table, {order.get()});
    if (!cdx_) {
        std::string path = structuralPath(tablePath_);
        if (!fileExists(path)) CdxFile::create(path);
        cdx_ = CdxFile::open(path, readOnly_);
    }
    cdx_->addTag({info.name, expression, condition, order->keyLength, order->pad, std::move(entries[0])});
    loadCdxOrders();
}

bool IndexSet::deleteTag(const std::string& name) {
    if (!cdx_) return false;
    bool removed = cdx_->removeTag(name);
    loadCdxOrders();
    return removed;
}

void IndexSet::createNtx(Table& table, const std::string& path, const std::string& expression, const std::string& condition) {
    OrderInfo info;
    info.expression = expression;
    info.condition = condition;
    auto order = compile("", IndexFormat::Ntx, nullptr, info);
    if (!order->key) throw Error(ErrorCode::BadValue, order->problem);
    auto entries = expectedEntries(table, {order.get()});
    closeNtx(path);
    NtxFile::create(path, expression, order->keyLength, order->decimals, entries[0], true);
    openNtx(path);
}

void IndexSet::rebuild(Table& table) {
    std::vector<IndexedOrder*> all = orders();
    for (IndexedOrder* o : all)
        if (!o->key) throw Error(ErrorCode::Unsupported, "Nie można odbudować indeksu " + o->name + ": " + o->problem);
    auto entries = expectedEntries(table, all);
    std::vector<CdxTagDefinition> definitions;
    size_t i = 0;
    for (auto& o : cdxOrders_) {
        OrderInfo info = o->order->info();
        definitions.push_back({o->name, info.expression, info.condition, o->keyLength, o->pad, std::move(entries[i++])});
    }
    if (cdx_) {
        cdx_->rewrite(definitions);
        loadCdxOrders();
    }
    for (auto& n : ntx_) n.file->rewrite(entries[i++]);
}

std::vector<OrderInfo> IndexSet::readDefinitions(const std::string& cdxPath) {
    auto cdx = CdxFile::open(cdxPath, true);
    std::vector<OrderInfo> out;
    for (const auto& [name, offset] : cdx->tags()) {
        (void)offset;
        out.push_back(cdx->order(name, ' ')->info());
    }
    return out;
}

void IndexSet::dropStructural() {
    std::string path = cdx_ ? cdx_->path() : structuralPath(tablePath_);
    cdxOrders_.clear();
    cdx_.reset();
    if (fileExists(path)) removeFile(path);
}

} // namespace xb
