#include "ExtraDays.h"

#include "Paths.h"
#include "sql/Query.h"

#include <algorithm>

namespace ewidor {

using namespace std::chrono;

namespace {
bool contains(const std::vector<year_month_day>& days, year_month_day date) {
    return std::find(days.begin(), days.end(), date) != days.end();
}
} // namespace

void ExtraDays::Clear() {
    ExtraDaysOff.clear();
    ExtraWorkDays.clear();
}

void ExtraDays::Load(const std::string& yearDir, const std::string& sql) {
    Clear();
    if (yearDir.empty() || !existsNoCase(yearDir, "Dni_GS.dbf")) return;
    xb::Query query(yearDir, sql);
    query.open();
    for (bool more = query.first(); more; more = query.next()) {
        xb::Date d = query.date("DZIEN");
        if (d.blank()) continue;
        year_month_day day{year{d.year}, month{static_cast<unsigned>(d.month)}, std::chrono::day{static_cast<unsigned>(d.day)}};
        (trim(query.text("RODZAJ")) == "SR" ? ExtraWorkDays : ExtraDaysOff).push_back(day);
    }
}

bool ExtraDays::IsExtraDayOff(year_month_day date) const { return contains(ExtraDaysOff, date); }

bool ExtraDays::IsExtraWorkDay(year_month_day date) const { return contains(ExtraWorkDays, date); }

} // namespace ewidor
