#pragma once
// The extra days of the selected year from Dni_GS: days off granted for the year and
// Saturdays worked ("SR"). Both lists are empty when the year has no Dni_GS.dbf.
#include <chrono>
#include <string>
#include <vector>

namespace ewidor {

class ExtraDays {
public:
    // Empties both lists and refills them from `yearDir` + "Dni_GS.dbf" in date order,
    // running `sql` (the data module's QDniGS). Engine errors reach the caller.
    void Load(const std::string& yearDir, const std::string& sql);
    void Clear();
    bool IsExtraDayOff(std::chrono::year_month_day date) const;
    bool IsExtraWorkDay(std::chrono::year_month_day date) const;

    std::vector<std::chrono::year_month_day> ExtraDaysOff, ExtraWorkDays;
};

} // namespace ewidor
