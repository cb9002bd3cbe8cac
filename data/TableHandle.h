#pragma once
// A named table handle of the data module: a dataset on one file, pointed at a
// directory. Re-pointing closes the handle first; it stays closed until a window opens it.
#include "Dataset.h"

#include <string>

namespace ewidor {

class TableHandle {
public:
    TableHandle(std::string name, std::string fileName, xb::OpenOptions options = {});

    const std::string& name() const { return name_; }
    const std::string& fileName() const { return fileName_; }
    const std::string& directory() const { return directory_; }
    // Closes the handle and points it at `dir`; false (and nothing done) when it points there already.
    bool setDirectory(const std::string& dir);

    xb::Dataset& dataset() { return dataset_; }
    void open() { dataset_.open(); }
    void close() { dataset_.close(); }
    bool active() const { return dataset_.active(); }

private:
    std::string name_;
    std::string fileName_;
    std::string directory_;
    xb::Dataset dataset_;
};

} // namespace ewidor
