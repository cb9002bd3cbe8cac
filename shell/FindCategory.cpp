#include "FindCategory.h"

namespace ewidor {

size_t FindCategory(const TDaneGrupy& categories, int categoryNumber, Prompter& prompter) {
    if (auto position = categories.find(categoryNumber)) return *position;
    prompter.ShowMessage("Informacja", "Nie znaleziono grupy !");
    return 0;
}

} // namespace ewidor
