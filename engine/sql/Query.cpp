#include "Query.h"

#include "../Error.h"
#include "Parser.h"

#include <algorithm>
#include <cmath>

namespace xb {

Query::Query(std::string directory, std::string sql) : directory_(std::move(directory)), sql_(std::move(sql)) {}

Query::~Query() {
    try {
        close();
    } catch (...) {
    }
}

void Query::setDirectory(std::string directory) {
    close();
    directory_ = std::move(directory);
}

void Query::setSql(std::string sql) {
    close();
    statement_.reset();
    sql_ = std::move(sql);
}

void Query::setParam(const std::string& name, Value value) { parameters_[sql::parameterKey(name)] = std::move(value); }

void Query::open() {
    close();
    if (!statement_) statement_ = std::make_shared<sql::Statement>(sql::parse(sql_));
    if (statement_->kind != sql::StatementKind::Select)
        throw Error(ErrorCode::WrongState, "Otwarcie zapytania, które nie jest SELECT: użyj wykonania");
    sql::Executor executor(directory_, parameters_, password_);
    auto result = std::make_unique<sql::ResultSet>(executor.select(*statement_->select));
    if (result->live) {
        OpenOptions o;
        o.password = password_;
        try {
            table_ = Table::open(result->tablePath, o);
        } catch (const Error& e) {
            if (e.code() != ErrorCode::ReadOnly && e.code() != ErrorCode::Io) throw;
            result->live = false;  // a file we cannot write gives a read-only result
        }
    }
    result_ = std::move(result);
    state_ = DatasetState::Browse;
    first();
}

void Query::close() {
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert) cancel();
    table_.reset();
    result_.reset();
    buffer_.reset();
    state_ = DatasetState::Inactive;
    row_ = 0;
    eof_ = bof_ = true;
}

size_t Query::execute() {
    close();
    if (!statement_) statement_ = std::make_shared<sql::Statement>(sql::parse(sql_));
    sql::Executor executor(directory_, parameters_, password_);
    switch (statement_->kind) {
    case sql::StatementKind::Update: return executor.update(*statement_);
    case sql::StatementKind::Delete: return executor.remove(*statement_);
    case sql::StatementKind::Select: return executor.select(*statement_->select).rows.size();
    }
    return 0;
}

const sql::ResultSet& Query::result() const {
    if (!result_) throw Error(ErrorCode::WrongState, "Zapytanie nie jest otwarte");
    return *result_;
}

bool Query::live() const { return result_ && result_->live; }
const std::vector<sql::ResultColumn>& Query::columns() const { return result().columns; }
size_t Query::rowCount() const { return result().rows.size(); }

int Query::columnIndex(std::string_view name) const {
    const auto& cols = result().columns;
    for (size_t i = 0; i < cols.size(); ++i)
        if (equalsIgnoreCase(cols[i].name, name)) return static_cast<int>(i);
    return -1;
}

bool Query::first() {
    bof_ = true;
    row_ = 0;
    eof_ = rowCount() == 0;
    return !eof_;
}

bool Query::last() {
    eof_ = true;
    if (rowCount() == 0) return false;
    row_ = rowCount() - 1;
    bof_ = false;
    return true;
}

bool Query::next() {
    if (eof_) return false;
    if (row_ + 1 >= rowCount()) {
        eof_ = true;
        return false;
    }
    ++row_;
    bof_ = false;
    return true;
}

bool Query::prior() {
    if (row_ == 0 || rowCount() == 0) {
        bof_ = true;
        return false;
    }
    --row_;
    eof_ = false;
    return true;
}

uint32_t Query::recno() const {
    if (!live()) throw Error(ErrorCode::WrongState, "Wynik zapytania nie jest związany z tabelą");
    if (row_ >= result_->recnos.size()) return 0;
    return result_->recnos[row_];
}

Value Query::value(size_t column) const {
    const auto& r = result();
    if (state_ == DatasetState::Edit || state_ == DatasetState::Insert) {
        int field = r.columns.at(column).field;
        if (field >= 0 && buffer_) return buffer_->value(field);
    }
    if (r.rows.empty() || row_ >= r.rows.size()) throw Error(ErrorCode::NoRecord, "Brak bieżącego wiersza zapytania");
    return r.rows[row_].at(column);
}

Value Query::value(std::string_view column) const {
    int i = columnIndex(column);
    if (i < 0) throw Error(ErrorCode::NoSuchField, "Nie ma kolumny '" + std::string(column) + "' w wyniku zapytania");
    return value(static_cast<size_t>(i));
}

std::string Query::text(std::string_view column) const {
    Value v = value(column);
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (const auto* d = std::get_if<double>(&v)) {
        char buf[40];
        std::snprintf(buf, sizeof buf, *d == std::floor(*d) ? "%.0f" : "%.10g", *d);
        return buf;
    }
    if (const auto* d = std::get_if<Date>(&v)) return d->iso();
    if (const auto* b = std::get_if<bool>(&v)) return *b ? "T" : "F";
    return {};
}

double Query::number(std::string_view column) const {
    Value v = value(column);
    if (const auto* d = std::get_if<double>(&v)) return *d;
    return 0;
}

Date Query::date(std::string_view column) const {
    Value v = value(column);
    if (const auto* d = std::get_if<Date>(&v)) return *d;
    return {};
}

Table& Query::liveTable() {
    if (!live() || !table_) throw Error(ErrorCode::ReadOnly, "Wynik zapytania jest tylko do odczytu");
    return *table_;
}

void Query::edit() {
    Table& t = liveTable();
    if (state_ != DatasetState::Browse) return;
    if (eof_ && rowCount() == 0) throw Error(ErrorCode::NoRecord, "Brak rekordu do edycji");
    uint32_t r = recno();
    t.lock(r);
    try {
        buffer_ = t.read(r);  // what another desktop posted a moment ago
    } catch (...) {
        t.unlock(r);
        throw;
    }
    state_ = DatasetState::Edit;
}

void Query::set(std::string_view field, const Value& v) {
    if (state_ != DatasetState::Edit && state_ != DatasetState::Insert)
        throw Error(ErrorCode::WrongState, "Zmiana pola '" + std::string(field) + "' poza edycją");
    buffer_->set(field, v);
}

void Query::refreshRow(size_t row, const Record& record) {
    sql::Executor executor(directory_, parameters_, password_);
    result_->rows[row] = executor.liveRow(*statement_->select, result_->tablePath, record.bytes().data(), result_->recnos[row]);
}

void Query::post() {
    Table& t = liveTable();
    if (state_ == DatasetState::Edit) {
        uint32_t r = recno();
        t.write(r, *buffer_);
        t.unlock(r);
        refreshRow(row_, *buffer_);
    } else if (state_ == DatasetState::Insert) {
        uint32_t r = t.append(*buffer_);
        result_->recnos.push_back(r);
        result_->rows.emplace_back();
        row_ = result_->rows.size() - 1;
        refreshRow(row_, *buffer_);
        eof_ = bof_ = false;
    } else {
        return;
    }
    buffer_.reset();
    state_ = DatasetState::Browse;
}

void Query::cancel() {
    if (state_ == DatasetState::Edit && table_) table_->unlock(recno());
    buffer_.reset();
    if (state_ != DatasetState::Inactive) state_ = DatasetState::Browse;
}

void Query::remove() {
    Table& t = liveTable();
    if (state_ != DatasetState::Browse) throw Error(ErrorCode::WrongState, "Usunięcie rekordu w trakcie edycji");
    if (rowCount() == 0) throw Error(ErrorCode::NoRecord, "Brak rekordu do usunięcia");
    uint32_t r = recno();
    t.lock(r);
    try {
        t.setDeleted(r, true);
    } catch (...) {
        t.unlock(r);
        throw;
    }
    t.unlock(r);
    result_->rows.erase(result_->rows.begin() + static_cast<long>(row_));
    result_->recnos.erase(result_->recnos.begin() + static_cast<long>(row_));
    if (row_ >= rowCount()) {
        if (rowCount() == 0) eof_ = bof_ = true;
        else row_ = rowCount() - 1;
    }
}

void Query::append() {
    Table& t = liveTable();
    if (state_ != DatasetState::Browse) throw Error(ErrorCode::WrongState, "Dopisanie rekordu w trakcie edycji");
    buffer_ = t.blankRecord();
    state_ = DatasetState::Insert;
}

void Query::saveAs(const std::string& path, int codePage) const {
    const auto& r = result();
    std::vector<FieldDef> fields;
    for (size_t c = 0; c < r.columns.size(); ++c) {
        const auto& col = r.columns[c];
        FieldDef f;
        f.name = upperAscii(col.name).substr(0, 10);
        f.type = writableType(col.type) ? col.type : FieldType::Numeric;
        f.length = col.length;
        f.decimals = col.decimals;
        if (f.type == FieldType::Character && f.length == 0) {
            // Width from the data when only the data can tell.
            const CodePage& cp = CodePage::get(codePage);
            for (const auto& row : r.rows)
                if (const auto* s = std::get_if<std::string>(&row[c]))
                    f.length = std::max<int>(f.length, static_cast<int>(cp.encode(*s).size()));
            f.length = std::max(f.length, 1);
        }
        if (f.type == FieldType::Numeric || f.type == FieldType::Float) {
            f.length = std::min(std::max(f.length, 1 + f.decimals + (f.decimals ? 1 : 0)), 20);
        }
        for (char& ch : f.name)
            if (!((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_')) ch = '_';
        // Joined tables may give two columns one name: later ones get a number.
        std::string base = f.name;
        for (int n = 1; std::any_of(fields.begin(), fields.end(), [&](const FieldDef& d) { return d.name == f.name; }); ++n) {
            std::string suffix = "_" + std::to_string(n);
            f.name = base.substr(0, 10 - suffix.size()) + suffix;
        }
        fields.push_back(f);
    }
    CreateOptions o;
    o.codePage = codePage;
    Table::create(path, fields, o);
    auto table = Table::open(path);
    std::vector<Record> records;
    for (const auto& row : r.rows) {
        Record rec = table->blankRecord();
        for (size_t c = 0; c < row.size(); ++c) rec.set(static_cast<int>(c), row[c]);
        records.push_back(std::move(rec));
    }
    table->appendMany(records);
}

size_t executeSql(const std::string& directory, const std::string& sql, const sql::Parameters& parameters,
                  const std::string& password) {
    Query q(directory, sql);
    for (const auto& [name, value] : parameters) q.setParam(name, value);
    q.setPassword(password);
    return q.execute();
}

} // namespace xb
