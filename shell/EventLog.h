#pragma once
// The event log "Log.vq" in the data root: an encrypted table (password "kwiatek")
// of sign-ins, sign-outs, break-in attempts and headquarters loads.
//
// Contract: the log is opened only for the moment of one append, shared, and the
// append takes the table's header lock, so several workstations append in turn.
// A missing log is created first; two workstations creating it at once end with one
// log and both events in it. Engine errors reach the caller; the log is closed.
#include <chrono>
#include <string>

namespace ewidor {

enum class EventKind { SignIn = 1, SignOut = 2, BreakIn = 3, HqLoad = 4 };

struct EventTime {
    std::chrono::year_month_day day;
    int hour = 0, minute = 0;
};

class EventLog {
public:
    static constexpr const char* kFileName = "Log.vq";
    static constexpr const char* kPassword = "kwiatek";
    static constexpr const char* kFields =
        "Dnia,Date;Czas,Character,5;Uzytkownik,Character,25;ID_ZD,Numeric,3,0;";

    explicit EventLog(std::string dataRoot) : dataRoot_(std::move(dataRoot)) {}

    // Appends one event; `user` is cut to the field's 25 characters.
    void WriteEvent(const std::string& user, EventKind kind, const EventTime& when);
    bool Exists() const;
    // Creates an empty log when there is none.
    void EnsureExists() const {
        if (!Exists()) create();
    }
    std::string Path() const;
    // "Wejście do systemu", "Wyjście z systemu", "Próba włamania", "Wczytanie zbiorów centrali".
    static std::string KindName(int kind);
    // "hh:nn".
    static std::string TimeText(const EventTime& when);

private:
    void create() const;

    std::string dataRoot_;
};

} // namespace ewidor
