#include "Table.h"

#include "Error.h"
#include "RecordCipher.h"
#include "index/IndexSet.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <ctime>
#include <thread>
#include <unistd.h>

namespace xb {

namespace {

constexpr uint64_t kOpenMarker = 0x7FFFFFFF;       // shared lock = open, exclusive lock = exclusive open
constexpr uint64_t kFoxProBase = 0x7FFFFFFE;       // header lock; record N at base - N
constexpr uint64_t kClipperBase = 1000000000;      // header lock; record N at base + N
constexpr size_t kScanBlock = 4 << 20;             // bytes read at once within a scan
constexpr auto kHeaderLockWait = std::chrono::seconds(10);

uint16_t le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}
void put16(uint8_t* p, uint32_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void put32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

bool knownVersion(uint8_t v) {
    switch (v) {
    case 0x03: case 0x04: case 0x83: case 0x8B: case 0x30: case 0x31: case 0x32: case 0xF5: return true;
    default: return false;
    }
}

bool visualFoxPro(uint8_t v) { return v == 0x30 || v == 0x31 || v == 0x32; }

bool knownType(char t) {
    return (t >= 'A' && t <= 'Z') || t == '0' || t == '@' || t == '+';
}

[[noreturn]] void corrupt(File& file, const std::string& what) {
    throw Error(ErrorCode::Corrupt, "Uszkodzona tabela (" + what + ")", file.path());
}

void todayBytes(uint8_t out[3]) {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    out[0] = static_cast<uint8_t>(tm.tm_year);  // years since 1900
    out[1] = static_cast<uint8_t>(tm.tm_mon + 1);
    out[2] = static_cast<uint8_t>(tm.tm_mday);
}

std::string tempPathFor(const std::string& path) {
    return path + "." + std::to_string(::getpid()) + ".tmp";
}

std::string buildHeader(const std::vector<FieldDef>& fields, uint8_t version, uint8_t flags, uint8_t ldid,
                        uint32_t count) {
    size_t headerLength = 32 + 32 * fields.size() + 1;
    std::string h(headerLength, '\0');
    auto* p = reinterpret_cast<uint8_t*>(h.data());
    p[0] = version;
    todayBytes(p + 1);
    put32(p + 4, count);
    put16(p + 8, static_cast<uint32_t>(headerLength));
    uint32_t recordLength = 1;
    for (const auto& f : fields) recordLength += static_cast<uint32_t>(f.length);
    put16(p + 10, recordLength);
    p[28] = flags;
    p[29] = ldid;
    uint32_t offset = 1;
    for (size_t i = 0; i < fields.size(); ++i) {
        uint8_t* d = p + 32 + 32 * i;
        const auto& f = fields[i];
        std::memcpy(d, f.name.data(), std::min<size_t>(f.name.size(), 10));
        d[11] = static_cast<uint8_t>(f.type);
        put32(d + 12, offset);
        if (f.type == FieldType::Character) {
            d[16] = static_cast<uint8_t>(f.length & 0xFF);
            d[17] = static_cast<uint8_t>(f.length >> 8);
        } else {
            d[16] = static_cast<uint8_t>(f.length);
            d[17] = static_cast<uint8_t>(f.decimals);
        }
        offset += static_cast<uint32_t>(f.length);
    }
    p[headerLength - 1] = 0x0D;
    return h;
}

} // namespace

int codePageForDriver(uint8_t ldid, int requested) {
    if (requested != 0) return requested;
    int fromByte = CodePage::fromLanguageDriver(ldid);
    return fromByte != 0 && CodePage::supported(fromByte) ? fromByte : 852;
}

HeaderInfo readHeader(File& file) {
    // The header (and so the record count) is read before the file size: an appender
    // writes its record before the count, so the size seen afterwards always covers
    // the count read. The other order could see a new count with an old size.
    uint8_t h[32];
    if (file.readAt(0, h, 32) != 32) corrupt(file, "plik krótszy niż nagłówek");
    uint64_t size = file.size();
    HeaderInfo info;
    info.version = h[0];
    if (!knownVersion(info.version)) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "0x%02X", info.version);
        corrupt(file, std::string("to nie jest tabela dBase, bajt wersji ") + buf);
    }
    info.lastUpdateYear = 1900 + h[1];
    info.lastUpdateMonth = h[2];
    info.lastUpdateDay = h[3];
    info.recordCount = le32(h + 4);
    info.headerLength = le16(h + 8);
    info.recordLength = le16(h + 10);
    info.flags = h[28];
    info.languageDriver = h[29];
    if (info.headerLength < 64) corrupt(file, "za krótki nagłówek");
    if (info.recordLength < 2) corrupt(file, "zerowa długość rekordu");
    if (info.headerLength > size) corrupt(file, "nagłówek dłuższy niż plik");

    std::vector<uint8_t> header(info.headerLength);
    if (file.readAt(0, header.data(), header.size()) != header.size()) corrupt(file, "nie można odczytać opisu pól");
    uint32_t total = 1;
    for (size_t pos = 32; pos + 32 <= header.size(); pos += 32) {
        const uint8_t* d = header.data() + pos;
        if (d[0] < 0x20) break;  // terminator (0x0D, also 0x0A or 0x00 in some writers)
        FieldDef f;
        size_t nameLength = 0;
        while (nameLength < 11 && d[nameLength] != 0) ++nameLength;
        f.name.assign(reinterpret_cast<const char*>(d), nameLength);
        while (!f.name.empty() && f.name.back() == ' ') f.name.pop_back();
        char type = static_cast<char>(d[11]);
        if (!knownType(type)) corrupt(file, "nieznany typ pola '" + f.name + "'");
        f.type = static_cast<FieldType>(type);
        f.length = d[16];
        f.decimals = d[17];
        if (f.type == FieldType::Character) {
            f.length += f.decimals * 256;
            f.decimals = 0;
        }
        if (f.type == FieldType::Date || f.type == FieldType::Logical) f.decimals = 0;
        f.system = f.type == FieldType::NullFlags || (visualFoxPro(info.version) && (d[18] & 0x01));
        if (f.length == 0) corrupt(file, "pole '" + f.name + "' o zerowej długości");
        f.offset = static_cast<int>(total);
        total += static_cast<uint32_t>(f.length);
        info.fields.push_back(std::move(f));
    }
    if (info.fields.empty()) corrupt(file, "brak opisu pól");
    if (total != info.recordLength) corrupt(file, "opis pól nie zgadza się z długością rekordu");
    uint64_t needed = info.headerLength + static_cast<uint64_t>(info.recordCount) * info.recordLength;
    if (needed > size)
        corrupt(file, "plik obcięty: nagłówek podaje " + std::to_string(info.recordCount) + " rekordów");
    return info;
}

Table::Table(std::unique_ptr<File> file, const OpenOptions& options) : file_(std::move(file)), options_(options) {
    header_ = readHeader(*file_);
    int cp = codePageForDriver(header_.languageDriver, options_.codePage);
    schema_ = std::make_shared<Schema>(header_.fields, CodePage::get(cp));
    scheme_ = hasStructuralIndex() ? LockScheme::FoxPro : LockScheme::Clipper;
    uint8_t marks[RecordCipher::kHeaderBytes];
    if (file_->readAt(RecordCipher::kHeaderOffset, marks, sizeof marks) == sizeof marks && RecordCipher::marked(marks))
        cipher_ = std::make_unique<RecordCipher>(marks, options_.password, file_->path());
    LockKind kind = options_.exclusive ? LockKind::Exclusive : LockKind::Shared;
    if (!file_->tryLock(kOpenMarker, 1, kind)) {
        throw Error(ErrorCode::TableInUse,
                    options_.exclusive ? "Tabela jest otwarta przez innego użytkownika"
                                       : "Tabela jest otwarta na wyłączność przez innego użytkownika",
                    file_->path());
    }
    openLockHeld_ = true;
    if (hasStructuralIndex()) {
        // A damaged structural index stops the open: writing past it would leave it stale.
        indexes_ = std::make_unique<IndexSet>(schema_, file_->path(), options_.readOnly);
        indexes_->openStructural();
    }
}

Table::~Table() {
    if (!file_) return;
    indexes_.reset();
    try {
        unlockAll();
        if (openLockHeld_) file_->unlock(kOpenMarker, 1);
    } catch (...) {
        // closing the descriptor releases whatever is left
    }
}

std::unique_ptr<Table> Table::open(const std::string& path, const OpenOptions& options) {
    auto file = openFile(path, options.readOnly && !options.exclusive ? OpenMode::ReadOnly : OpenMode::ReadWrite);
    return open(std::move(file), options);
}

std::unique_ptr<Table> Table::open(std::unique_ptr<File> file, const OpenOptions& options) {
    return std::unique_ptr<Table>(new Table(std::move(file), options));
}

void Table::create(const std::string& path, const std::vector<FieldDef>& fields, const CreateOptions& options) {
    validateFieldDefs(fields);
    const CodePage& cp = CodePage::get(options.codePage);
    std::string bytes = buildHeader(fields, 0x03, options.structuralIndex ? 0x01 : 0x00, cp.languageDriver(), 0);
    bytes += '\x1A';
    if (!options.password.empty()) {
        uint32_t recordLength = 1;
        for (const auto& f : fields) recordLength += static_cast<uint32_t>(f.length);
        if (recordLength < 1 + RecordCipher::kMinimumRecordData)
            throw Error(ErrorCode::Unsupported, "Rekord za krótki do szyfrowania (najmniej 16 bajtów)", path);
        auto marks = RecordCipher::newHeader(options.password);
        bytes.replace(RecordCipher::kHeaderOffset, marks.size(), reinterpret_cast<const char*>(marks.data()), marks.size());
    }
    auto file = openFile(path, OpenMode::CreateNew);
    try {
        file->writeAt(0, bytes.data(), bytes.size());
    } catch (...) {
        file.reset();
        removeFile(path);
        throw;
    }
}

void Table::createLike(const std::string& path, const Table& model) {
    std::vector<FieldDef> fields;
    for (const auto& f : model.schema().fields())
        if (!f.system) fields.push_back(f);
    CreateOptions options;
    options.codePage = model.schema().codePage().number();
    create(path, fields, options);
}

void Table::addFields(const std::string& path, const std::vector<FieldDef>& added, const OpenOptions& options) {
    OpenOptions exclusive = options;
    exclusive.exclusive = true;
    exclusive.readOnly = false;
    auto table = open(path, exclusive);
    std::vector<FieldDef> fields;
    for (const auto& f : table->schema().fields()) fields.push_back(f);
    for (const auto& f : added) fields.push_back(f);
    validateFieldDefs(fields);
    auto newSchema = std::make_shared<Schema>(fields, table->schema().codePage());
    int oldLength = table->schema().recordLength();
    table->rewriteAll(fields, [&](Table& target) {
        std::vector<Record> batch;
        table->scan([&](uint32_t, const char* bytes) {
            std::string rec(bytes, static_cast<size_t>(oldLength));
            rec.resize(static_cast<size_t>(newSchema->recordLength()), ' ');
            batch.emplace_back(newSchema, std::move(rec));
            if (batch.size() >= 4096) {
                target.appendMany(batch);
                batch.clear();
            }
            return true;
        });
        target.appendMany(batch);
    });
}

void Table::setStructuralIndexFlag(bool on) {
    requireWritable();
    uint8_t flags = on ? (header_.flags | 0x01) : (header_.flags & ~0x01);
    file_->writeAt(28, &flags, 1);
    header_.flags = flags;
}

uint64_t Table::recordOffset(uint32_t recno) const {
    return header_.headerLength + static_cast<uint64_t>(recno - 1) * header_.recordLength;
}

uint64_t Table::recordLockOffset(uint32_t recno) const {
    return scheme_ == LockScheme::FoxPro ? kFoxProBase - recno : kClipperBase + recno;
}

uint64_t Table::headerLockOffset() const { return scheme_ == LockScheme::FoxPro ? kFoxProBase : kClipperBase; }

void Table::requireWritable() const {
    if (options_.readOnly) throw Error(ErrorCode::ReadOnly, "Tabela otwarta tylko do odczytu", file_->path());
    for (const auto& f : schema_->fields())
        if (!writableType(f.type) && !f.system)
            throw Error(ErrorCode::Unsupported, "Zapis do tabeli z polem typu '" + std::string(1, static_cast<char>(f.type)) +
                                                    "' nie jest obsługiwany", file_->path());
}

void Table::requireExclusive(const char* what) const {
    if (!options_.exclusive)
        throw Error(ErrorCode::NotExclusive, std::string(what) + " wymaga otwarcia tabeli na wyłączność", file_->path());
}

uint32_t Table::recordCount() {
    uint8_t b[4];
    if (file_->readAt(4, b, 4) != 4) corrupt(*file_, "nie można odczytać liczby rekordów");
    return le32(b);
}

Record Table::read(uint32_t recno) {
    if (recno == 0 || recno > recordCount())
        throw Error(ErrorCode::NoRecord, "Nie ma rekordu " + std::to_string(recno), file_->path());
    std::string bytes(header_.recordLength, '\0');
    if (file_->readAt(recordOffset(recno), bytes.data(), bytes.size()) != bytes.size())
        corrupt(*file_, "rekord " + std::to_string(recno) + " obcięty");
    if (cipher_) cipher_->decrypt(recno, bytes.data(), bytes.size());
    return Record(schema_, std::move(bytes));
}

bool Table::tryLock(uint32_t recno) {
    if (options_.exclusive || locks_.count(recno)) return true;
    if (!file_->tryLock(recordLockOffset(recno), 1, LockKind::Exclusive)) return false;
    locks_.insert(recno);
    return true;
}

void Table::lock(uint32_t recno) {
    if (!tryLock(recno))
        throw Error(ErrorCode::RecordLocked, "Rekord " + std::to_string(recno) + " jest zablokowany przez innego użytkownika",
                    file_->path());
}

void Table::unlock(uint32_t recno) {
    if (!locks_.erase(recno)) return;
    file_->unlock(recordLockOffset(recno), 1);
}

void Table::unlockAll() {
    for (uint32_t recno : locks_) file_->unlock(recordLockOffset(recno), 1);
    locks_.clear();
}

void Table::lockHeader() {
    if (options_.exclusive) return;
    auto deadline = std::chrono::steady_clock::now() + kHeaderLockWait;
    auto pause = std::chrono::microseconds(20);
    while (!file_->tryLock(headerLockOffset(), 1, LockKind::Exclusive)) {
        if (std::chrono::steady_clock::now() > deadline)
            throw Error(ErrorCode::RecordLocked, "Nagłówek tabeli jest zablokowany przez innego użytkownika", file_->path());
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(2000));
    }
}

void Table::unlockHeader() {
    if (!options_.exclusive) file_->unlock(headerLockOffset(), 1);
}

void Table::writeCount(uint32_t count) {
    uint8_t b[7];
    todayBytes(b);
    put32(b + 3, count);
    file_->writeAt(1, b, sizeof b);
}

void Table::write(uint32_t recno, const Record& record) {
    requireWritable();
    if (!holdsLock(recno))
        throw Error(ErrorCode::NotLocked, "Zapis rekordu " + std::to_string(recno) + " bez blokady", file_->path());
    if (record.bytes().size() != header_.recordLength)
        throw Error(ErrorCode::BadValue, "Rekord innej tabeli", file_->path());
    if (recno == 0 || recno > recordCount())
        throw Error(ErrorCode::NoRecord, "Nie ma rekordu " + std::to_string(recno), file_->path());
    changeIndexed([&] {
        if (indexes_) indexes_->changed(recno, read(recno).bytes(), record.bytes());
        std::string stored = record.bytes();
        if (cipher_) cipher_->encrypt(recno, stored.data(), stored.size());
        file_->writeAt(recordOffset(recno), stored.data(), stored.size());
    });
}

uint32_t Table::append(const Record& record) { return appendMany({record}); }

uint32_t Table::appendMany(const std::vector<Record>& records) {
    requireWritable();
    for (const auto& r : records)
        if (r.bytes().size() != header_.recordLength) throw Error(ErrorCode::BadValue, "Rekord innej tabeli", file_->path());
    if (records.empty()) return recordCount() + 1;
    std::string buffer;
    buffer.reserve(records.size() * header_.recordLength + 1);
    for (const auto& r : records) buffer += r.bytes();
    buffer += '\x1A';
    uint32_t first = 0;
    changeIndexed([&] {
        lockHeader();
        try {
            uint32_t count = recordCount();
            first = count + 1;
            if (indexes_) indexes_->appended(first, records);
            if (cipher_)
                for (size_t i = 0; i < records.size(); ++i)
                    cipher_->encrypt(first + static_cast<uint32_t>(i), buffer.data() + i * header_.recordLength,
                                     header_.recordLength);
            // Data first, count last: a reader or a crash never sees a count past written data.
            file_->writeAt(recordOffset(count + 1), buffer.data(), buffer.size());
            writeCount(count + static_cast<uint32_t>(records.size()));
            unlockHeader();
        } catch (...) {
            unlockHeader();
            throw;
        }
    });
    return first;
}

void Table::setDeleted(uint32_t recno, bool deleted) {
    requireWritable();
    if (!holdsLock(recno))
        throw Error(ErrorCode::NotLocked, "Zmiana rekordu " + std::to_string(recno) + " bez blokady", file_->path());
    if (recno == 0 || recno > recordCount())
        throw Error(ErrorCode::NoRecord, "Nie ma rekordu " + std::to_string(recno), file_->path());
    char flag = deleted ? '*' : ' ';
    changeIndexed([&] {
        if (indexes_) {
            std::string before = read(recno).bytes();
            std::string after = before;
            after[0] = flag;
            indexes_->changed(recno, before, after);
        }
        file_->writeAt(recordOffset(recno), &flag, 1);
    });
}

template <class Change> void Table::changeIndexed(Change&& change) {
    // The index files stay locked from before the record changes until its keys are written,
    // so another process never finds a record without its keys. Key changes are worked out
    // first and their pages written last: a damaged index page stops the change before the
    // record is touched.
    if (!indexes_) return change();
    indexes_->beginWrite();
    try {
        change();
    } catch (...) {
        indexes_->endWrite(false);
        throw;
    }
    indexes_->endWrite(true);
}

IndexSet& Table::indexSet() {
    if (!indexes_) indexes_ = std::make_unique<IndexSet>(schema_, file_->path(), options_.readOnly);
    return *indexes_;
}

void Table::createTag(const std::string& tag, const std::string& expression, const std::string& condition) {
    requireWritable();
    requireExclusive("Tworzenie indeksu");
    indexSet().createTag(*this, tag, expression, condition);
    if (!hasStructuralIndex()) setStructuralIndexFlag(true);
}

bool Table::deleteTag(const std::string& tag) {
    requireWritable();
    requireExclusive("Usunięcie indeksu");
    return indexes_ && indexes_->deleteTag(tag);
}

void Table::createNtx(const std::string& path, const std::string& expression, const std::string& condition) {
    requireWritable();
    requireExclusive("Tworzenie indeksu");
    indexSet().createNtx(*this, path, expression, condition);
}

void Table::openNtx(const std::string& path) { indexSet().openNtx(path); }

void Table::reindex() {
    requireWritable();
    requireExclusive("Odbudowa indeksów");
    if (indexes_) indexes_->rebuild(*this);
}

void Table::dropStructuralIndex() {
    requireWritable();
    requireExclusive("Usunięcie indeksu");
    indexSet().dropStructural();
    if (hasStructuralIndex()) setStructuralIndexFlag(false);
}

void Table::scan(const std::function<bool(uint32_t, const char*)>& visit) {
    scanRange(1, recordCount(), visit);
}

void Table::scanRange(uint32_t first, uint32_t last, const std::function<bool(uint32_t, const char*)>& visit) {
    if (first == 0) first = 1;
    last = std::min(last, recordCount());
    if (first > last) return;
    size_t perBlock = std::max<size_t>(1, kScanBlock / header_.recordLength);
    std::vector<char> buffer(perBlock * header_.recordLength);
    for (uint32_t recno = first; recno <= last;) {
        uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(perBlock, static_cast<uint64_t>(last) - recno + 1));
        size_t want = static_cast<size_t>(n) * header_.recordLength;
        size_t got = file_->readAt(recordOffset(recno), buffer.data(), want);
        if (got != want) corrupt(*file_, "plik obcięty przy rekordzie " + std::to_string(recno + got / header_.recordLength));
        char* p = buffer.data();
        for (uint32_t i = 0; i < n; ++i, p += header_.recordLength) {
            if (cipher_) cipher_->decrypt(recno + i, p, header_.recordLength);
            if (!visit(recno + i, p)) return;
        }
        recno += n;
    }
}

void Table::readRecords(const std::vector<uint32_t>& recnos, const std::function<bool(uint32_t, const char*)>& visit) {
    const uint32_t count = recordCount();
    const size_t length = header_.recordLength;
    // Gaps up to this many records are read through rather than starting a new read.
    const uint32_t gap = static_cast<uint32_t>(std::max<size_t>(1, 16384 / length));
    const size_t perBlock = std::max<size_t>(1, kScanBlock / length);
    std::vector<char> buffer;
    for (size_t i = 0; i < recnos.size();) {
        uint32_t first = recnos[i];
        if (first == 0 || first > count) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j + 1 < recnos.size() && recnos[j + 1] <= count && recnos[j + 1] >= recnos[j] &&
               recnos[j + 1] - recnos[j] <= gap && recnos[j + 1] - first < perBlock)
            ++j;
        uint32_t last = recnos[j];
        size_t want = static_cast<size_t>(last - first + 1) * length;
        buffer.resize(want);
        if (file_->readAt(recordOffset(first), buffer.data(), want) != want)
            corrupt(*file_, "plik obcięty przy rekordzie " + std::to_string(last));
        for (size_t k = i; k <= j; ++k) {
            if (k > i && recnos[k] == recnos[k - 1]) continue;
            char* p = buffer.data() + static_cast<size_t>(recnos[k] - first) * length;
            if (cipher_) cipher_->decrypt(recnos[k], p, length);
            if (!visit(recnos[k], p)) return;
        }
        i = j + 1;
    }
}

void Table::rewriteAll(const std::vector<FieldDef>& fields, const std::function<void(Table& target)>& fill) {
    requireExclusive("Przebudowa tabeli");
    // The new contents go to a temporary file that replaces the table in one rename,
    // so a crash leaves either the old table or the new one, never a mixture.
    std::string temp = tempPathFor(file_->path());
    removeFile(temp);
    try {
        std::string bytes = buildHeader(fields, 0x03, header_.flags & 0x01, header_.languageDriver, 0) + '\x1A';
        if (cipher_) {
            // The new file keeps the salt and check value: the same password opens it.
            char marks[RecordCipher::kHeaderBytes];
            file_->readAt(RecordCipher::kHeaderOffset, marks, sizeof marks);
            bytes.replace(RecordCipher::kHeaderOffset, sizeof marks, marks, sizeof marks);
        }
        auto tempFile = openFile(temp, OpenMode::CreateNew);
        tempFile->writeAt(0, bytes.data(), bytes.size());
        OpenOptions options;
        options.exclusive = true;
        options.codePage = schema_->codePage().number();
        options.password = options_.password;
        auto target = open(std::move(tempFile), options);  // holds the exclusive open lock of the new file
        fill(*target);
        target->file().sync();
        replaceFile(temp, file_->path());
        unlockAll();
        file_ = std::move(target->file_);
        header_ = target->header_;
        schema_ = target->schema_;
        target->openLockHeld_ = false;
    } catch (...) {
        removeFile(temp);
        throw;
    }
}

void Table::pack() {
    requireWritable();
    requireExclusive("Pakowanie tabeli");
    std::vector<FieldDef> fields(schema_->fields().begin(), schema_->fields().end());
    rewriteAll(fields, [this](Table& target) {
        std::vector<Record> batch;
        scan([&](uint32_t, const char* bytes) {
            if (bytes[0] != '*') batch.emplace_back(schema_, std::string(bytes, header_.recordLength));
            if (batch.size() >= 4096) {
                target.appendMany(batch);
                batch.clear();
            }
            return true;
        });
        target.appendMany(batch);
    });
    if (indexes_) indexes_->rebuild(*this);
}

void Table::zap() {
    requireWritable();
    requireExclusive("Usunięcie wszystkich rekordów");
    writeCount(0);
    char eof = 0x1A;
    file_->writeAt(header_.headerLength, &eof, 1);
    file_->truncate(header_.headerLength + 1u);
    if (indexes_) indexes_->rebuild(*this);
}

uint32_t copyRecords(Table& from, Table& to) {
    const Schema& src = from.schema();
    const Schema& dst = to.schema();
    std::vector<std::pair<int, int>> pairs;
    for (int i = 0; i < dst.fieldCount(); ++i) {
        int j = src.indexOf(dst.field(i).name);
        if (j >= 0 && !dst.field(i).system) pairs.emplace_back(j, i);
    }
    uint32_t copied = 0;
    std::vector<Record> batch;
    auto srcSchema = from.schemaPtr();
    from.scan([&](uint32_t, const char* bytes) {
        if (bytes[0] == '*') return true;
        Record in(srcSchema, std::string(bytes, static_cast<size_t>(src.recordLength())));
        Record out = to.blankRecord();
        for (auto [j, i] : pairs) {
            const FieldDef& sf = src.field(j);
            const FieldDef& df = dst.field(i);
            bool sameBytes = sf.type == df.type && sf.length == df.length && sf.decimals == df.decimals &&
                             src.codePage().number() == dst.codePage().number();
            if (sameBytes) out.setRaw(i, in.raw(j));
            else out.set(i, in.value(j));
        }
        batch.push_back(std::move(out));
        ++copied;
        if (batch.size() >= 4096) {
            to.appendMany(batch);
            batch.clear();
        }
        return true;
    });
    to.appendMany(batch);
    return copied;
}

} // namespace xb
