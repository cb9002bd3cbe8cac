#include "TableHandle.h"

#include "Paths.h"

namespace ewidor {

TableHandle::TableHandle(std::string name, std::string fileName, xb::OpenOptions options)
    : name_(std::move(name)), fileName_(std::move(fileName)) {
    dataset_.options() = options;
}

bool TableHandle::setDirectory(const std::string& dir) {
    if (dir == directory_) return false;
    dataset_.close();
    directory_ = dir;
    dataset_.setPath(dir.empty() ? std::string() : pathNoCase(dir, fileName_));
    return true;
}

} // namespace ewidor
