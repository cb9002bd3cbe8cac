#pragma once
// A named query handle of the data module: its SQL text exactly as the system uses
// it, the directory it runs in and its prepared state. Running a query belongs to
// the engine's SQL layer; until then the handle carries the text and the directory.
#include <string>

namespace ewidor {

class QueryHandle {
public:
    QueryHandle(std::string name, std::string sql);

    const std::string& name() const { return name_; }
    const std::string& sql() const { return sql_; }
    void setSql(std::string sql);
    const std::string& directory() const { return directory_; }
    // Closes and un-prepares the query and points it at `dir`; false when it points there already.
    bool setDirectory(const std::string& dir);
    bool prepared() const { return prepared_; }
    void prepare() { prepared_ = true; }
    bool active() const { return active_; }
    void close() { active_ = false; }

private:
    std::string name_;
    std::string sql_;
    std::string directory_;
    bool prepared_ = false;
    bool active_ = false;
};

} // namespace ewidor
