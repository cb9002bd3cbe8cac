#pragma once
// A small site for the users and event-log tests: SystemDir with HasKarU, the data
// root BAZY_K with Jedn.dbf, and readers of the event log.
#include "EventLog.h"
#include "ScriptedPrompter.h"
#include "Session.h"
#include "TempDir.h"
#include "UserRecord.h"

#include <chrono>
#include <string>
#include <vector>

namespace userstest {

constexpr std::chrono::year_month_day kToday{std::chrono::year{2026} / std::chrono::December / 11};

struct LoggedEvent {
    std::string day, time, user;
    int kind = 0;
    bool operator==(const LoggedEvent&) const = default;
};

class UsersSite {
public:
    // Groups 1 "Mechanicy", 17 "Elektrycy", 23 "Biuro".
    UsersSite();
    std::string systemDir() const { return dir_.path().string() + "/"; }
    std::string dataRoot() const { return systemDir() + "BAZY_K/"; }
    std::string usersPath() const { return systemDir() + "HasKarU"; }
    // Writes the users file and fills a session pointing at this site with the list.
    void setUsers(const std::vector<ewidor::UserRecord>& users);
    ewidor::Session& session() { return session_; }
    // Every live record of Log.vq, in file order.
    std::vector<LoggedEvent> events() const;

private:
    testsupport::TempDir dir_;
    ewidor::Session session_;
};

// A user with a password, allowed groups and rights valid around kToday.
ewidor::UserRecord makeUser(const std::string& sign, const std::string& password,
                            const std::string& groups = "/001");
ewidor::EventTime at(std::chrono::year_month_day day, int hour = 8, int minute = 5);

// The messages a prompter was shown, as (title, text).
using Msg = std::pair<std::string, std::string>;
std::vector<Msg> messages(const ewidor::ScriptedPrompter& prompter);

} // namespace userstest
