#pragma once
// The main window's session changes without widgets: group choice, year and month
// selection and the month states. The window calls these on its lists and buttons,
// then re-evaluates its menus and shows the session values.
#include "FlagFile.h"
#include "GroupList.h"
#include "Prompter.h"
#include "Session.h"
#include "WaitIndicator.h"

#include <functional>
#include <string>

namespace ewidor {

class TDane;

class SessionControl {
public:
    SessionControl(Session& session, TDane& data, Prompter& prompter, WaitIndicator& wait,
                   std::function<void()> beep = {})
        : session_(session), data_(data), prompter_(prompter), wait_(wait), beep_(std::move(beep)) {}

    // SelectGroup: false when the group was not taken over (number refused, renovation
    // running, employees unreadable); the previous group stays unless it was unreadable.
    bool SelectGroup(const GroupEntry& group);
    // The groups the signed-in user may choose, in name order (all with the service sign).
    std::vector<GroupEntry> Groups() const;
    // SelectYear: false when the year is the last one selected or a renovation runs.
    // `fromList`: chosen in the year list, which re-runs the staff check.
    bool SelectYear(int year, bool fromList);
    // SelectMonth: month 1..12; `fromList` as above.
    void SelectMonth(int month, bool fromList);
    // LoadMonthStates: nothing changes while a renovation runs.
    void LoadMonthStates();
    // The state label of the selected month ("Otwarty", "Zamknięty", "Archiwowany").
    std::string MonthStateLabel() const;
    // Sign-out: back to no group; the year and month stay selected.
    void SignedOut();
    // CheckFlagFile for the session's data root.
    FlagState CheckFlagFile(FlagKind kind);

    static const char* const kMonths[12];

private:
    bool openStaff(int group);
    void runStaffCheck();

    Session& session_;
    TDane& data_;
    Prompter& prompter_;
    WaitIndicator& wait_;
    std::function<void()> beep_;
    int lastYear_ = 0;
};

} // namespace ewidor
