#include "LogFilter.h"

#include "EventLog.h"

#include <cstdio>

namespace ewidor {

namespace {
std::string iso(std::chrono::year_month_day d) {
    char s[16];
    std::snprintf(s, sizeof s, "%04d-%02u-%02u", static_cast<int>(d.year()), unsigned(d.month()),
                  unsigned(d.day()));
    return s;
}
} // namespace

std::string LogFilter::Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

std::string LogFilter::DateText(std::chrono::year_month_day d) {
    char s[24];
    std::snprintf(s, sizeof s, "%u.%02u.%04d r.", unsigned(d.day()), unsigned(d.month()),
                  static_cast<int>(d.year()));
    return s;
}

std::string LogFilter::SecondLine(const LogCriteria& c) {
    std::string line = c.kind ? "where (ID_ZD=" + std::to_string(*c.kind) + ")" : kDefaultLine;
    if (c.user) line += " AND (Uzytkownik=" + Quoted(*c.user) + ")";
    if (c.from && c.to)
        line += " AND ((DNIA>='" + iso(*c.from) + "') AND (DNIA<='" + iso(*c.to) + "'))";
    return line;
}

std::string LogFilter::Sql(const LogCriteria& c) {
    return std::string(kFirstLine) + "\n" + SecondLine(c) + "\n" + kLastLine;
}

std::array<std::string, 3> LogFilter::Texts(const LogCriteria& c) {
    return {c.kind ? "Tylko zdarzenia: " + EventLog::KindName(*c.kind) : "Wszystkie zdarzenia",
            c.user ? "Użytkownik: " + *c.user : "Wszyscy użytkownicy",
            c.from && c.to ? "Zapisane w okresie od " + DateText(*c.from) + " do " + DateText(*c.to)
                           : "Zapisane w okresie dowolnym"};
}

} // namespace ewidor
