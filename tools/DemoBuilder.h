#pragma once
// Builds a complete installation in a directory: the system directory with Konfig,
// the data root BAZY_K with every root table, the previous and the current year's
// directories with every year table, IMPORT with the headquarters' reference files,
// INTER, and a headquarters side (BAZY_CT with its year directories and empty
// receiving tables, EXPORTCT with reference files). The demo site and the tests'
// fixtures are the same builder with different amounts of data.
#include <string>

namespace ewidor {

struct DemoOptions {
    int currentYear = 2026;
    int employees = 60;  // spread over the three groups; a few are dismissed
};

class DemoBuilder {
public:
    explicit DemoBuilder(DemoOptions options = {}) : options_(options) {}
    // Builds into `dir` (created when missing; must not hold an installation yet).
    // Throws xb::Error or std::runtime_error.
    void Build(const std::string& dir) const;

private:
    DemoOptions options_;
};

} // namespace ewidor
