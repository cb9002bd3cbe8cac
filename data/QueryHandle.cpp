#include "QueryHandle.h"

namespace ewidor {

QueryHandle::QueryHandle(std::string name, std::string sql)
    : name_(std::move(name)), sql_(std::move(sql)) {}

void QueryHandle::setSql(std::string sql) {
    close();
    prepared_ = false;
    sql_ = std::move(sql);
}

bool QueryHandle::setDirectory(const std::string& dir) {
    if (dir == directory_) return false;
    close();
    prepared_ = false;
    directory_ = dir;
    return true;
}

} // namespace ewidor
