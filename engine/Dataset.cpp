#include "Dataset.h"

#include "Error.h"
#include "index/IndexSet.h"

#include <cstring>

namespace xb {

namespace {
constexpr size_t kReadAhead = 48;
constexpr size_t kSeekAhead = 4;  // a seek mostly wants one record; walking on reads more
}

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
    bool found = activeTag_.empty() ? moveFrom(1, 1) : moveInOrder(ranged_ ? low_ : std::string(), 0, true, 1);
    bof_ = true;
    if (!found) {
        eof_ = true;
        record_.reset();
        recno_ = 0;
    }
    return found;
}

bool Dataset::last() {
    bool found = activeTag_.empty() ? moveFrom(table_ ? table_->recordCount() : 0, -1)
                                    : moveInOrder(ranged_ ? high_ : std::string(), 0, true, -1);
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
    if (!activeTag_.empty()) return moveInOrder(key_, recno_, false, 1);
    return moveFrom(recno_ + 1, 1);
}

bool Dataset::prior() {
    if (!activeTag_.empty() && recno_ != 0) return moveInOrder(key_, recno_, false, -1);
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
    key_ = keyOfCurrent();
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
    key_ = keyOfCurrent();
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
    bool moved = activeTag_.empty() ? moveFrom(recno_ + 1, 1) : moveInOrder(key_, recno_, false, 1);
    if (!moved) last();
}

void Dataset::refresh() {
    requireActive();
    if (recno_ == 0) return;
    record_ = table_->read(recno_);
    key_ = keyOfCurrent();
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
    if (!wanted.empty() && !options.caseInsensitive && table_->indexes()) {
        std::vector<IndexedOrder*> candidates = table_->indexes()->orders();
        if (!activeTag_.empty()) candidates.insert(candidates.begin(), &order());
        for (IndexedOrder* o : candidates) {
            bool found = false;
            if (locateByOrder(*o, wanted, options, found)) return found;
        }
    }
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

IndexedOrder& Dataset::order() const {
    IndexedOrder* o = table_ && table_->indexes() ? table_->indexes()->find(activeTag_) : nullptr;
    if (!o) throw Error(ErrorCode::NotFound, "Nie ma indeksu '" + activeTag_ + "'", path_);
    return *o;
}

std::string Dataset::keyOfCurrent() const {
    if (activeTag_.empty() || !record_) return {};
    auto key = order().keyOf({record_->bytes().data(), recno_});
    return key ? *key : std::string();
}

void Dataset::setActiveTag(const std::string& name) {
    requireBrowse("Zmiana indeksu");
    ahead_.clear();
    ranged_ = false;
    if (name.empty()) {
        activeTag_.clear();
        key_.clear();
        return;
    }
    IndexedOrder* o = table_->indexes() ? table_->indexes()->find(name) : nullptr;
    if (!o) throw Error(ErrorCode::NotFound, "Nie ma indeksu '" + name + "'", path_);
    if (!o->key) throw Error(ErrorCode::Unsupported, "Indeks " + o->name + ": " + o->problem, path_);
    activeTag_ = o->name;
    key_ = keyOfCurrent();
}

bool Dataset::inRange(const std::string& key) const {
    if (!ranged_) return true;
    auto cmp = [&](const std::string& bound) {
        size_t n = std::min(bound.size(), key.size());
        int c = std::memcmp(key.data(), bound.data(), n);
        return c != 0 ? c : (key.size() < bound.size() ? -1 : 0);
    };
    return cmp(low_) >= 0 && cmp(high_) <= 0;
}

void Dataset::setRange(const Value& low, const Value& high) {
    requireBrowse("Zakres indeksu");
    IndexedOrder& o = order();
    low_ = o.seekKey(low, table_->schema().codePage(), true);
    high_ = o.seekKey(high, table_->schema().codePage(), true);
    ranged_ = true;
    ahead_.clear();
    first();
}

void Dataset::clearRange() {
    ranged_ = false;
    ahead_.clear();
}

bool Dataset::nextEntry(const std::string& key, uint32_t recno, bool inclusive, int step, IndexEntry& out) {
    size_t batchSize = inclusive ? kSeekAhead : kReadAhead;
    IndexOrder& o = *order().order;
    bool continues = !inclusive && aheadStep_ == step && !ahead_.empty() && recno == aheadRecno_ && key == aheadKey_ &&
                     o.changeCounter() == aheadCounter_;
    if (!continues) {
        ahead_.clear();
        OrderLock lock(o, false);
        aheadCounter_ = o.changeCounter();
        aheadStep_ = step;
        Bound bound{key, recno, inclusive};
        auto batch = step > 0 ? o.forward(bound, batchSize) : o.backward(bound, batchSize);
        for (auto& e : batch) ahead_.emplace_back(std::move(e.key), e.recno);
    }
    if (ahead_.empty()) return false;
    out.key = std::move(ahead_.front().first);
    out.recno = ahead_.front().second;
    ahead_.pop_front();
    aheadKey_ = out.key;
    aheadRecno_ = out.recno;
    return true;
}

void Dataset::settle(uint32_t recno, Record record, const std::string& key) {
    record_ = std::move(record);
    recno_ = recno;
    key_ = key;
    eof_ = bof_ = false;
}

bool Dataset::moveInOrder(const std::string& key, uint32_t recno, bool inclusive, int step) {
    requireBrowse("Przejście do innego rekordu");
    IndexEntry e;
    std::string from = key;
    uint32_t at = recno;
    bool first = true;
    while (nextEntry(from, at, first && inclusive, step, e)) {
        first = false;
        from = e.key;
        at = e.recno;
        if (!inRange(e.key)) break;
        if (e.recno == 0 || e.recno > table_->recordCount()) continue;
        Record r = table_->read(e.recno);
        if (!visible(r)) continue;
        settle(e.recno, std::move(r), e.key);
        return true;
    }
    ahead_.clear();
    if (step > 0) eof_ = true;
    else bof_ = true;
    return false;
}

bool Dataset::seek(const Value& key) {
    requireBrowse("Wyszukiwanie");
    IndexedOrder& o = order();
    std::string k = o.seekKey(key, table_->schema().codePage(), true);
    IndexEntry e;
    std::string from = k;
    uint32_t at = 0;
    bool inclusive = true;
    while (nextEntry(from, at, inclusive, 1, e)) {
        inclusive = false;
        from = e.key;
        at = e.recno;
        if (e.key.compare(0, k.size(), k) != 0 || !inRange(e.key)) break;
        if (e.recno == 0 || e.recno > table_->recordCount()) continue;
        Record r = table_->read(e.recno);
        if (!visible(r)) continue;
        settle(e.recno, std::move(r), e.key);
        return true;
    }
    ahead_.clear();
    return false;
}

bool Dataset::seekNearest(const Value& key) {
    requireBrowse("Wyszukiwanie");
    std::string k = order().seekKey(key, table_->schema().codePage(), true);
    if (ranged_ && k < low_) k = low_;
    return moveInOrder(k, 0, true, 1);
}

bool Dataset::locateByOrder(IndexedOrder& o, const std::vector<std::pair<int, Value>>& wanted,
                            const LocateOptions& options, bool& found) {
    if (!o.key || o.condition || o.key->singleField() != wanted[0].first || isNull(wanted[0].second)) return false;
    std::string k;
    try {
        k = o.seekKey(wanted[0].second, table_->schema().codePage(), options.partialKey);
    } catch (const Error& e) {
        if (e.code() == ErrorCode::Unmappable) return found = false, true;
        return false;  // a value of another type: the scan decides
    }
    if (o.type == ExprType::Character && !options.partialKey) {
        // Locate compares text without trailing blanks: every key equal up to its padding matches.
        while (!k.empty() && k.back() == ' ') k.pop_back();
    }
    IndexOrder& order = *o.order;
    Bound bound{k, 0, true};
    for (;;) {
        std::vector<IndexEntry> batch;
        {
            OrderLock lock(order, false);
            batch = order.forward(bound, kReadAhead);
        }
        for (const auto& e : batch) {
            if (e.key.compare(0, k.size(), k) != 0) return found = false, true;
            if (e.recno == 0 || e.recno > table_->recordCount()) continue;
            Record r = table_->read(e.recno);
            bool all = true;
            for (const auto& [index, value] : wanted) all = all && valueMatches(r.value(index), value, options);
            if (all && visible(r)) return found = go(e.recno), true;
        }
        if (batch.size() < kReadAhead) return found = false, true;
        bound = Bound{batch.back().key, batch.back().recno, false};
    }
}

} // namespace xb
