#include "TableFactory.h"

#include "TableCatalogue.h"
#include "Table.h"

namespace ewidor {

std::string TableFactory::Create(const TableDef& def, const std::string& dir, int year) {
    std::string path = dir + TableCatalogue::fileNameForYear(def, year);
    xb::CreateOptions options;
    options.codePage = def.codePage;
    xb::Table::create(path, def.fields, options);
    CreateIndexTags(def, path);
    return path;
}

void TableFactory::CreateIndexTags(const TableDef& def, const std::string& tablePath) {
    if (def.index != IndexKind::Compound || def.tags.empty()) return;
    xb::OpenOptions options;
    options.exclusive = true;  // building an index needs the table to itself
    options.codePage = def.codePage;
    auto table = xb::Table::open(tablePath, options);
    for (const auto& tag : def.tags) table->createTag(tag.name, tag.expression);
}

} // namespace ewidor
