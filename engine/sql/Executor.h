#pragma once
// Runs parsed statements over the tables of a directory.
//
// A SELECT reads each table once in large blocks, applying the conditions that
// concern that table alone; joins on equal columns use hash look-ups; grouping,
// DISTINCT, UNION and ORDER BY work on the rows that remain. UPDATE and DELETE lock
// every affected record first: when another handle holds one, nothing is changed
// and the statement fails with 5035.
#include "../Field.h"
#include "Ast.h"

#include <map>
#include <string>
#include <vector>

namespace xb::sql {

struct ResultColumn {
    std::string name;
    FieldType type = FieldType::Character;
    int length = 0;     // 0 when only the data can tell (text from parameters)
    int decimals = 0;
    int field = -1;     // field of the single table of a live result, -1 for computed columns
};

struct ResultSet {
    std::vector<ResultColumn> columns;
    std::vector<std::vector<Value>> rows;
    // A live result: rows are records of one table, recnos[i] is the record of rows[i].
    bool live = false;
    std::string tablePath;
    std::vector<uint32_t> recnos;
    // Records read from the tables of the FROM clauses (how much an index saved).
    size_t recordsExamined = 0;
};

using Parameters = std::map<std::string, Value>;  // names in upper case

class Executor {
public:
    Executor(std::string directory, const Parameters& parameters, std::string password = {});

    ResultSet select(const Select& select);
    // Returns the number of records changed.
    size_t update(const Statement& statement);
    size_t remove(const Statement& statement);

    // Recomputes one row of a live result from a record's bytes.
    std::vector<Value> liveRow(const Select& select, const std::string& path, const char* record, uint32_t recno);

private:
    std::string directory_;
    const Parameters& parameters_;
    std::string password_;
};

// Upper-cases a parameter name for look-up.
std::string parameterKey(const std::string& name);

} // namespace xb::sql
