#pragma once
// File names on a share written by Windows programs come in any case: "KOS.DBF",
// "Kos.dbf", "..\kos.dbf". These helpers find the file whatever its case and
// whichever delimiter the name was written with.
#include <optional>
#include <string>

namespace xb {

// Replaces '\' by '/'.
std::string normalizeDelimiters(std::string path);
// Resolves `name` (relative to `directory`, or absolute) matching each component
// without regard to case; nullopt when no such file exists.
std::optional<std::string> findPathNoCase(const std::string& directory, const std::string& name);
// Resolves a table name as SQL and the data module write it: with or without
// extension (".dbf" is tried first when none is given). Throws SqlUnknown naming it.
std::string resolveTablePath(const std::string& directory, const std::string& name);

} // namespace xb
