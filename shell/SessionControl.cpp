#include "SessionControl.h"

#include "Error.h"
#include "GroupNumberRule.h"
#include "PackageHeaders.h"
#include "Paths.h"
#include "StaffCheck.h"
#include "Startup.h"
#include "TDane.h"
#include "sql/Query.h"

namespace ewidor {

const char* const SessionControl::kMonths[12] = {"Styczeń",  "Luty",        "Marzec",   "Kwiecień",
                                                 "Maj",      "Czerwiec",    "Lipiec",   "Sierpień",
                                                 "Wrzesień", "Pażdziernik", "Listopad", "Grudzień"};

FlagState SessionControl::CheckFlagFile(FlagKind kind) {
    return FlagFile::Check(session_.dirs.DataRoot, kind, prompter_, beep_);
}

bool SessionControl::openStaff(int group) {
    data_.TabPrac.close();
    if (group != session_.GroupNumber) data_.QPracJed.close();
    try {
        xb::Query staff(session_.dirs.DataRoot, data_.QPracJed.sql());
        staff.setParam("JedNr", static_cast<double>(group));
        staff.open();
        return true;
    } catch (const xb::Error& e) {
        prompter_.ShowMessage("Błąd !", e.what());
        return false;
    }
}

bool SessionControl::SelectGroup(const GroupEntry& group) {
    if (auto refusal = GroupNumberRule::Check(group.number)) {
        prompter_.ShowMessage(refusal->title, refusal->text);
        return false;
    }
    if (CheckFlagFile(FlagKind::Renovation) == FlagState::Busy) {
        session_.GroupName.clear();
        return false;
    }
    if (!openStaff(group.number)) {
        // Not taken over: the menus follow as with no group selected.
        session_.GroupNumber = 0;
        session_.GroupName.clear();
        return false;
    }
    session_.GroupNumber = group.number;
    session_.GroupName = group.name;
    session_.GroupListId = group.listId;
    session_.GroupDepartment = group.department;
    runStaffCheck();
    wait_.Close();
    LoadMonthStates();
    SelectMonth(session_.SelectedMonth, false);
    return true;
}

bool SessionControl::SelectYear(int year, bool fromList) {
    if (year == lastYear_ || CheckFlagFile(FlagKind::Renovation) == FlagState::Busy) return false;
    session_.SelectedYear = year;
    session_.YearText = std::to_string(year);
    session_.YearDir = Startup::YearDirOf(session_.dirs.DataRoot, year);
    session_.MapaPresent = existsNoCase(session_.YearDir, "Mapa.DBF");
    wait_.Show();
    data_.PointToYear(session_.YearDir);
    try {
        session_.extraDays.Load(session_.YearDir, data_.QDniGS.sql());
    } catch (const xb::Error& e) {
        session_.extraDays.Clear();
        prompter_.ShowMessage("Błąd !", e.what());
    }
    session_.holidays.SetYear(year);
    LoadMonthStates();
    SelectMonth(session_.SelectedMonth, fromList);
    wait_.Close();
    lastYear_ = year;
    return true;
}

void SessionControl::SelectMonth(int month, bool fromList) {
    session_.SelectedMonth = month;
    session_.MonthLabel = std::string(kMonths[month - 1]) + " " + session_.YearText;
    session_.DaysOffOfMonth = session_.holidays.DaysOffOfMonth(session_.SelectedYear, month);
    if (fromList) runStaffCheck();
}

void SessionControl::LoadMonthStates() {
    if (CheckFlagFile(FlagKind::Renovation) == FlagState::Busy) return;
    session_.MonthStates = MonthStates{};
    if (session_.GroupNumber == 0 || !existsNoCase(session_.YearDir, "NAG_PACZ.DBF")) return;
    try {
        session_.MonthStates = PackageHeaders::Load(data_.QSprMce, session_.GroupNumber);
    } catch (const xb::Error& e) {
        prompter_.ShowMessage("Błąd !", e.what());
    }
}

std::string SessionControl::MonthStateLabel() const {
    return MonthStates::Label(session_.MonthStates.at(session_.SelectedMonth));
}

std::vector<GroupEntry> SessionControl::Groups() const {
    const UserRecord* user = session_.User();
    if (!user) return {};
    return session_.ServiceSignIn ? GroupList::Load(session_.dirs.DataRoot)
                                  : GroupList::Allowed(session_.dirs.DataRoot, *user);
}

void SessionControl::SignedOut() {
    session_.GroupNumber = 0;
    session_.GroupName.clear();
    session_.GroupListId.clear();
    session_.GroupDepartment.clear();
    session_.StaffCheckOk = false;
    session_.MonthStates = MonthStates{};
}

void SessionControl::runStaffCheck() {
    if (session_.GroupNumber == 0) return;
    try {
        StaffCheck(session_, data_, prompter_, wait_).Run();
    } catch (const xb::Error& e) {
        wait_.Close();
        session_.StaffCheckOk = false;
        prompter_.ShowMessage("Błąd !", e.what());
    }
}

} // namespace ewidor
