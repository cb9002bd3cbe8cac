#pragma once
// FindCategory: the position of an employee's category in the category list; when
// none has that number the user is told and the first category stands in.
#include "Prompter.h"
#include "TDaneGrupy.h"

namespace ewidor {

size_t FindCategory(const TDaneGrupy& categories, int categoryNumber, Prompter& prompter);

} // namespace ewidor
