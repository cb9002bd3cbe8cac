#include "Dataset.h"

#include "Error.h"

namespace xb {

Dataset::Dataset(std::string path, OpenOptions options) : path_(std::move(path)), options_(options) {}

Dataset::~Dataset() {
    try {
        close();
    } catch (...) {
    }
}

void Dataset::setPath(std::string path) {
    if (active()) throw Error(ErrorCode::WrongState, "Zmiana ścieżki otwartej tabeli", path_);
    path_ = std::move(path);
}

void Dataset::open() {
    if (active()) return;
    table_ = Table::open(path_, options_);
    state_ = DatasetState::Browse;
    first();
}

void Dataset::close() {
    if (!active()) return;
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert) cancel();
    table_.reset();
    record_.reset();
    state_ = DatasetState::Inactive;
    recno_ = 0;
    eof_ = bof_ = true;
}

Table& Dataset::table() {
    requireActive();
    return *table_;
}

void Dataset::requireActive() const {
    if (!table_) throw Error(ErrorCode::WrongState, "Tabela nie jest otwarta", path_);
}

void Dataset::requireBrowse(const char* what) const {
    requireActive();
    if (state_ != DatasetState::Browse)
        throw Error(ErrorCode::WrongState, std::string(what) + " w trakcie edycji rekordu", path_);
}

bool Dataset::visible(const Record& r) const {
    if (!showDeleted_ && r.deleted()) return false;
    return !filter_ || filter_(r);
}

bool Dataset::moveFrom(uint32_t start, int step) {
    requireBrowse("Przejście do innego rekordu");
    uint32_t count = table_->recordCount();
    for (int64_t n = start; n >= 1 && n <= count; n += step) {
        Record r = table_->read(static_cast<uint32_t>(n));
        if (visible(r)) {
            record_ = std::move(r);
            recno_ = static_cast<uint32_t>(n);
            eof_ = bof_ = false;
            return true;
        }
    }
    if (step > 0) eof_ = true;
    else bof_ = true;
    return false;
}

bool Dataset::first() {
    bool found = moveFrom(1, 1);
    bof_ = true;
    if (!found) {
        eof_ = true;
        record_.reset();
        recno_ = 0;
    }
    return found;
}

bool Dataset::last() {
    bool found = moveFrom(table_ ? table_->recordCount() : 0, -1);
    eof_ = true;
    bof_ = !found;
    if (!found) {
        record_.reset();
        recno_ = 0;
    }
    return found;
}

bool Dataset::next() {
    if (recno_ == 0) return false;
    return moveFrom(recno_ + 1, 1);
}

bool Dataset::prior() {
    if (recno_ <= 1) {
        bof_ = true;
        return false;
    }
    return moveFrom(recno_ - 1, -1);
}

bool Dataset::go(uint32_t recno) {
    requireBrowse("Przejście do innego rekordu");
    if (recno == 0 || recno > table_->recordCount()) return false;
    Record r = table_->read(recno);
    if (!visible(r)) return false;
    record_ = std::move(r);
    recno_ = recno;
    eof_ = bof_ = false;
    return true;
}

bool Dataset::empty() {
    requireActive();
    bool any = false;
    table_->scan([&](uint32_t, const char* bytes) {
        if (!filter_ && (showDeleted_ || bytes[0] != '*')) any = true;
        else if (filter_ || showDeleted_) any = visible(Record(table_->schemaPtr(), std::string(bytes, table_->schema().recordLength())));
        return !any;
    });
    return !any;
}

uint32_t Dataset::count() {
    requireActive();
    uint32_t n = 0;
    auto schema = table_->schemaPtr();
    table_->scan([&](uint32_t, const char* bytes) {
        if (!filter_) n += (showDeleted_ || bytes[0] != '*') ? 1 : 0;
        else n += visible(Record(schema, std::string(bytes, schema->recordLength()))) ? 1 : 0;
        return true;
    });
    return n;
}

const Record& Dataset::current() const {
    requireActive();
    if (!record_) throw Error(ErrorCode::NoRecord, "Brak bieżącego rekordu", path_);
    return *record_;
}

void Dataset::set(std::string_view field, const Value& v) {
    if (state_ != DatasetState::Edit && state_ != DatasetState::Insert)
        throw Error(ErrorCode::WrongState, "Zmiana pola '" + std::string(field) + "' poza edycją", path_);
    record_->set(field, v);
}

void Dataset::edit() {
    requireActive();
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert) return;
    if (!record_) throw Error(ErrorCode::NoRecord, "Brak rekordu do edycji", path_);
    table_->lock(recno_);
    try {
        record_ = table_->read(recno_);  // what another desktop posted a moment ago
    } catch (...) {
        table_->unlock(recno_);
        throw;
    }
    state_ = DatasetState::Edit;
}

void Dataset::append() {
    requireBrowse("Dopisanie rekordu");
    record_ = table_->blankRecord();
    state_ = DatasetState::Insert;
}

void Dataset::post() {
    requireActive();
    if (state_ == DatasetState::Edit) {
        table_->write(recno_, *record_);
        table_->unlock(recno_);
    } else if (state_ == DatasetState::Insert) {
        record_->setDeleted(false);
        recno_ = table_->append(*record_);
        eof_ = bof_ = false;
    } else {
        return;
    }
    state_ = DatasetState::Browse;
}

void Dataset::cancel() {
    requireActive();
    DatasetState was = state_;
    state_ = DatasetState::Browse;
    if (was == DatasetState::Edit) {
        table_->unlock(recno_);
        refresh();
    } else if (was == DatasetState::Insert) {
        if (recno_ == 0 || !go(recno_)) first();
    }
}

void Dataset::remove() {
    requireBrowse("Usunięcie rekordu");
    if (!record_) throw Error(ErrorCode::NoRecord, "Brak rekordu do usunięcia", path_);
    bool held = table_->holdsLock(recno_);
    table_->lock(recno_);
    try {
        table_->setDeleted(recno_, true);
    } catch (...) {
        if (!held) table_->unlock(recno_);
        throw;
    }
    if (!held) table_->unlock(recno_);
    if (!moveFrom(recno_ + 1, 1)) last();
}

void Dataset::refresh() {
    requireActive();
    if (recno_ == 0) return;
    record_ = table_->read(recno_);
}

bool valueMatches(const Value& have, const Value& want, const LocateOptions& options) {
    if (isNull(want)) return isNull(have);
    if (const auto* w = std::get_if<std::string>(&want)) {
        std::string h;
        if (const auto* hs = std::get_if<std::string>(&have)) h = *hs;
        else if (!isNull(have)) return false;
        std::string wt = *w;
        while (!wt.empty() && wt.back() == ' ') wt.pop_back();
        if (options.caseInsensitive) {
            h = upperUtf8(h);
            wt = upperUtf8(wt);
        }
        return options.partialKey ? h.compare(0, wt.size(), wt) == 0 : h == wt;
    }
    return have == want;
}

bool Dataset::locate(const std::vector<std::pair<std::string, Value>>& keys, const LocateOptions& options) {
    requireBrowse("Wyszukiwanie");
    std::vector<std::pair<int, Value>> wanted;
    for (const auto& [name, value] : keys) wanted.emplace_back(table_->schema().require(name), value);
    auto schema = table_->schemaPtr();
    uint32_t found = 0;
    table_->scan([&](uint32_t recno, const char* bytes) {
        if (!showDeleted_ && bytes[0] == '*') return true;
        Record r(schema, std::string(bytes, schema->recordLength()));
        for (const auto& [index, value] : wanted)
            if (!valueMatches(r.value(index), value, options)) return true;
        if (!visible(r)) return true;
        found = recno;
        return false;
    });
    return found != 0 && go(found);
}

} // namespace xb
