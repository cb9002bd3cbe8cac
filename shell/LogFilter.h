#pragma once
// The criteria of the log window and the second line of its query QLog built from
// them, with the texts of the criteria panel.
#include <array>
#include <chrono>
#include <optional>
#include <string>

namespace ewidor {

struct LogCriteria {
    std::optional<int> kind;                             // 1 to 4; none: every kind
    std::optional<std::string> user;                     // the stored user text; none: every user
    std::optional<std::chrono::year_month_day> from, to; // both or neither
};

class LogFilter {
public:
    static constexpr const char* kFirstLine = "SELECT * FROM \"Log.vq\"";
    static constexpr const char* kLastLine = "ORDER BY DNIA DESC, CZAS DESC";
    static constexpr const char* kDefaultLine = "where (ID_ZD>0)";

    // "where (ID_ZD=k)" or "where (ID_ZD>0)", then the user and the period.
    static std::string SecondLine(const LogCriteria& criteria);
    // The three lines of QLog joined by line breaks.
    static std::string Sql(const LogCriteria& criteria);
    // The kind, user and period texts of the criteria panel.
    static std::array<std::string, 3> Texts(const LogCriteria& criteria);
    // A text as an SQL literal in single quotes, quotes inside doubled.
    static std::string Quoted(const std::string& text);
    // "d.mm.yyyy r."
    static std::string DateText(std::chrono::year_month_day day);
};

} // namespace ewidor
