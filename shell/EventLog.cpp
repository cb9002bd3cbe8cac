#include "EventLog.h"

#include "Error.h"
#include "Paths.h"
#include "Table.h"
#include "TextCut.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace ewidor {

namespace fs = std::filesystem;

std::string EventLog::Path() const {
    return pathNoCase(dataRoot_, kFileName);
}

bool EventLog::Exists() const {
    return existsNoCase(dataRoot_, kFileName);
}

std::string EventLog::KindName(int kind) {
    switch (kind) {
    case 1:
        return "Wejście do systemu";
    case 2:
        return "Wyjście z systemu";
    case 3:
        return "Próba włamania";
    case 4:
        return "Wczytanie zbiorów centrali";
    default:
        return {};
    }
}

std::string EventLog::TimeText(const EventTime& when) {
    char s[8];
    std::snprintf(s, sizeof s, "%02d:%02d", when.hour % 100, when.minute % 100);
    return s;
}

// The table is built under a private name and linked into place, so no other
// workstation ever opens a half-written header; a lost race leaves the other's log.
// Where the share cannot link, the log is created in place (create refuses an
// existing file, so the race still leaves one log).
void EventLog::create() const {
    std::string target = dataRoot_ + kFileName;
    std::string scratch = dataRoot_ + "Log." + std::to_string(::getpid()) + ".tmp";
    xb::CreateOptions options;
    options.password = kPassword;
    std::error_code ec;
    fs::remove(scratch, ec);
    xb::Table::create(scratch, xb::parseFieldList(kFields), options);
    fs::create_hard_link(scratch, target, ec);
    bool linked = !ec;
    fs::remove(scratch, ec);
    if (linked || fs::exists(target, ec)) return;
    try {
        xb::Table::create(target, xb::parseFieldList(kFields), options);
    } catch (const xb::Error& e) {
        if (e.code() != xb::ErrorCode::AlreadyExists) throw;
    }
}

void EventLog::WriteEvent(const std::string& user, EventKind kind, const EventTime& when) {
    EnsureExists();
    xb::OpenOptions options;
    options.password = kPassword;
    auto log = xb::Table::open(Path(), options);
    xb::Record r = log->blankRecord();
    r.set("DNIA",
          xb::Date{static_cast<int>(when.day.year()), static_cast<int>(unsigned(when.day.month())),
                   static_cast<int>(unsigned(when.day.day()))});
    r.set("CZAS", TimeText(when));
    r.set("UZYTKOWNIK", CutText(user, 25));
    r.set("ID_ZD", static_cast<double>(kind));
    log->append(r);
}

} // namespace ewidor
