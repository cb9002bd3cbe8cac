#pragma once
// What the log window TLogAdmF decides: its query QLog with the criteria, the list
// of users for the criteria panel, which actions are enabled, and archiving the
// shown events into "ArchLog.dbf" through "ArchTmp.dbf". No widgets.
//
// Archiving removes from the log exactly the records that were shown and copied:
// events another workstation appends meanwhile stay in the log even when they match
// the criteria.
#include "LogFilter.h"
#include "Prompter.h"
#include "sql/Query.h"

#include <string>
#include <vector>

namespace ewidor {

class LogAdmin {
public:
    LogAdmin(std::string dataRoot, Prompter& prompter);

    // Opens QLog with the current criteria (engine errors reach the caller).
    void Open();
    void Close() { query_.close(); }
    xb::Query& QLog() { return query_; }
    const LogCriteria& Criteria() const { return criteria_; }
    // "zastosuj &Filtr" and "w&Yłącz filtr": new criteria, the query reopened.
    void Apply(const LogCriteria& criteria);
    void ClearFilter() { Apply({}); }

    // "Zmi&eń kryteria" is shown when the log has any event at all.
    bool LogHasEvents();
    // "Dr&ukuj" and "&Archiwizuj LOG" need a shown event.
    bool ShownEvents() const { return query_.active() && query_.rowCount() > 0; }
    // The distinct user texts of the log, for "&Zdarzenia użytkownika :".
    std::vector<std::string> Users();

    // "&Archiwizuj LOG": asks, archives the shown events, says how it went and reopens
    // the query. True when the events were archived.
    bool Archive();

    std::string ArchivePath() const { return dataRoot_ + "ArchLog.dbf"; }
    std::string WorkPath() const { return dataRoot_ + "ArchTmp.dbf"; }

private:
    std::vector<uint32_t> copyShown();
    void appendToArchive();
    void deleteFromLog(const std::vector<uint32_t>& recnos);
    void removeWorkFiles();

    std::string dataRoot_;
    Prompter& prompter_;
    LogCriteria criteria_;
    xb::Query query_;
};

} // namespace ewidor
