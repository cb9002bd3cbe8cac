#include "ClosedMonthGuard.h"

#include "Dataset.h"
#include "Paths.h"

namespace ewidor {

char ClosedMonthGuard::PackageState(const std::string& yearDir, int packageNumber) {
    auto path = findNoCase(yearDir, "NAG_PACZ.DBF");
    if (!path) return 'O';
    xb::OpenOptions options;
    options.readOnly = true;
    xb::Dataset headers(*path, options);
    headers.open();
    if (!headers.locate({{"NUMER", static_cast<double>(packageNumber)}})) return 'O';
    std::string stan = headers.text("STAN");
    return stan.empty() ? 'O' : stan[0];
}

std::optional<GuardRefusal> ClosedMonthGuard::Check(char packageState,
                                                    const std::string& monthLabel) const {
    if (!enabled_ || (packageState != 'Z' && packageState != 'A')) return std::nullopt;
    return GuardRefusal{packageState,
                        {"Uwaga !", "Zapisanie zmian jest niemożliwe !\n\nInny użytkownik już "
                                    "zamknął " + monthLabel + " r. !"}};
}

std::optional<GuardRefusal> ClosedMonthGuard::Check(const std::string& yearDir, int packageNumber,
                                                    const std::string& monthLabel) const {
    if (!enabled_) return std::nullopt;
    return Check(PackageState(yearDir, packageNumber), monthLabel);
}

} // namespace ewidor
