#include "Fixture.h"

#include "Table.h"
#include "TableFactory.h"

#include <unistd.h>

namespace ewidor::test {

Fixture::Fixture() {
    static int serial = 0;
    root_ = std::filesystem::temp_directory_path() /
            ("ewidor-data-" + std::to_string(::getpid()) + "-" + std::to_string(serial++)) / "BAZY_K";
    std::filesystem::remove_all(root_.parent_path());
    std::filesystem::create_directories(root_);
}

Fixture::~Fixture() { std::filesystem::remove_all(root_.parent_path()); }

std::string Fixture::yearDir(int year) const {
    auto dir = root_ / ("Rok" + std::to_string(year));
    std::filesystem::create_directories(dir);
    return dir.string() + "/";
}

std::string Fixture::table(const std::string& name, const std::string& dir, const std::vector<Row>& rows) const {
    std::string path = TableFactory::Create(catalogue_.site(name), dir);
    auto t = xb::Table::open(path);
    for (const auto& row : rows) {
        xb::Record r = t->blankRecord();
        for (const auto& [field, value] : row) r.set(field, value);
        t->append(r);
    }
    return path;
}

} // namespace ewidor::test
