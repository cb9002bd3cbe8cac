#pragma once
// A SQL statement run in a directory, as the windows use it: parameters, a result
// to move through, and for a SELECT of one table without grouping a live result
// whose rows are the table's records (Edit/Post, Delete and Append go to the table
// under its record locks). Other results are read-only. A result is read when the
// query is opened and read again at every opening.
#include "../Dataset.h"
#include "Executor.h"

#include <memory>
#include <optional>

namespace xb {

class Query {
public:
    Query() = default;
    Query(std::string directory, std::string sql);
    ~Query();

    void setDirectory(std::string directory);  // closes the query
    const std::string& directory() const { return directory_; }
    void setSql(std::string sql);              // closes the query
    const std::string& sql() const { return sql_; }
    void setParam(const std::string& name, Value value);
    void setPassword(std::string password) { password_ = std::move(password); }

    // Runs a SELECT and keeps its result.
    void open();
    void close();
    bool active() const { return result_ != nullptr; }
    // Runs UPDATE or DELETE; returns the number of records changed.
    size_t execute();

    bool live() const;
    DatasetState state() const { return state_; }
    const std::vector<sql::ResultColumn>& columns() const;
    int columnIndex(std::string_view name) const;  // -1 when none
    size_t rowCount() const;
    size_t recordsExamined() const { return result().recordsExamined; }

    bool first();
    bool last();
    bool next();
    bool prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    size_t row() const { return row_; }
    uint32_t recno() const;  // record of the current row of a live result

    Value value(std::string_view column) const;
    Value value(size_t column) const;
    std::string text(std::string_view column) const;
    double number(std::string_view column) const;
    Date date(std::string_view column) const;

    // Live results only.
    void edit();
    void set(std::string_view field, const Value& v);
    void post();
    void cancel();
    void remove();
    void append();

    // Writes the result into a new table (fields named and typed as the columns).
    void saveAs(const std::string& path, int codePage = 852) const;

private:
    const sql::ResultSet& result() const;
    Table& liveTable();
    void refreshRow(size_t row, const Record& record);
    std::vector<Value>& currentValues();

    std::string directory_;
    std::string sql_;
    std::string password_;
    sql::Parameters parameters_;
    std::shared_ptr<sql::Statement> statement_;
    std::unique_ptr<sql::ResultSet> result_;
    std::unique_ptr<Table> table_;  // the live result's table
    std::optional<Record> buffer_;  // record being edited or inserted
    DatasetState state_ = DatasetState::Inactive;
    size_t row_ = 0;
    bool eof_ = true, bof_ = true;
};

// Runs one statement: the number of changed records for UPDATE/DELETE, of rows for SELECT.
size_t executeSql(const std::string& directory, const std::string& sql, const sql::Parameters& parameters = {},
                  const std::string& password = {});

} // namespace xb
