#include "TDaneGrupy.h"

#include <cstdio>

namespace ewidor {

void TDaneGrupy::load(xb::Dataset& grupy) {
    entries_.clear();
    for (bool ok = grupy.first(); ok; ok = grupy.next()) {
        const xb::Record& r = grupy.current();
        Category c;
        c.id = static_cast<int16_t>(r.number("ID_GRUPY"));
        c.name = r.text("NAZ_GRUPY");
        c.czySwiat = r.logical("CZY_SWIAT");
        c.czyNocne = r.logical("CZY_NOCNE");
        c.czy4Bryg = r.logical("CZY_4BRYG");
        c.jednoSk = r.logical("JEDNO_SK");
        c.dostJedn = r.text("DOST_JEDN");
        std::string kontrola = r.text("KONTROLA");
        c.kontrola = kontrola.empty() ? ' ' : kontrola[0];
        c.czyKilka = r.logical("CZY_KILKA");
        c.czyCiagly = r.logical("CZY_CIAGLY");
        c.czyAwarie = r.logical("CZY_AWARIE");
        c.ileMcy = static_cast<int>(r.number("ILE_MCY"));
        entries_.push_back(std::move(c));
    }
}

std::optional<size_t> TDaneGrupy::find(int id) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].id == id) return i;
    return std::nullopt;
}

std::string TDaneGrupy::nameOf(int id) const {
    auto pos = find(id);
    return pos ? entries_[*pos].name : std::string();
}

namespace {
bool listed(const Category& category, const char* format, int groupNumber) {
    char text[16];
    std::snprintf(text, sizeof text, format, groupNumber);
    return category.dostJedn.find(text) != std::string::npos;
}
} // namespace

bool CategoryAllowedInGroup(const Category& category, int groupNumber) {
    return listed(category, "%.3d", groupNumber);
}

bool CategoryListedTwoDigits(const Category& category, int groupNumber) {
    return listed(category, "%.2d", groupNumber);
}

} // namespace ewidor
