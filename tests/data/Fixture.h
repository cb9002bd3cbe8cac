#pragma once
// A small data root in a temporary directory, made from the table catalogue.
#include "Field.h"
#include "TableCatalogue.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace ewidor::test {

using Row = std::vector<std::pair<std::string, xb::Value>>;

class Fixture {
public:
    Fixture();
    ~Fixture();
    std::string root() const { return root_.string() + "/"; }
    std::string yearDir(int year) const;
    // Creates the catalogue's table `name` in `dir` with these rows; returns its path.
    std::string table(const std::string& name, const std::string& dir, const std::vector<Row>& rows = {}) const;

private:
    std::filesystem::path root_;
    TableCatalogue catalogue_;
};

} // namespace ewidor::test
