#pragma once
// The session: what start-up fixed (settings, installation parameters, directories,
// years) and what the main window selects later. One object, passed by reference
// to whoever needs it; nobody keeps a copy.
#include "ExtraDays.h"
#include "HolidayTable.h"
#include "InstallationParams.h"
#include "MonthStates.h"
#include "Settings.h"
#include "UserRecord.h"

#include <optional>
#include <string>
#include <vector>

namespace ewidor {

enum class InstallState { NotConfigured, Misconfigured, Configured };

// Directories as text ending in a delimiter; empty when not available.
struct Directories {
    std::string ExeDir, SystemDir, DataRoot, ImportDir, HqFilesDir, TargetDir, InterDir, HelpFile;
};

struct Session {
    std::string ProductVersion, FileVersion;
    Settings settings;
    InstallationParams params;
    Directories dirs;

    std::vector<int> Years;              // years with a directory, rising
    int LastYear = 0;                    // the highest of them
    std::optional<int> PreselectedYear;  // none: the year list has no selection
    bool YearListEnabled = false;        // more than one year
    int SelectedYear = 0;
    std::string YearDir;
    int SelectedMonth = 1;
    bool MapaPresent = false;
    std::string YearText;
    std::string MonthLabel;              // month name + " " + YearText
    std::vector<int> DaysOffOfMonth;     // Saturdays, Sundays and holidays, the first 15
    ewidor::MonthStates MonthStates;     // of the selected group and year
    bool StaffCheckOk = false;           // the staff check's verdict

    bool EventLogKept = false;
    bool HelpEnabled = false;
    bool UpdateVisible = false;
    bool LanSendEnabled = false;   // TargetDir set
    bool LanFetchEnabled = false;  // HqFilesDir set
    HolidayTable holidays;
    ExtraDays extraDays;  // ExtraDaysOff and ExtraWorkDays of the selected year
    std::string Caption = " Użytkownik nieznany.";

    // Users and sign-in: the list as read from HasKarU and what sign-in fixed.
    std::vector<UserRecord> Users;
    bool UsersLoadFailed = false;
    int CurrentUser = -2;  // index into Users; -2 while nobody is signed in
    bool RightsValid = false;
    bool PasswordValid = false;
    bool UserChanged = false;
    bool ServiceSignIn = false;  // the service sign: every group, users and system menus
    int GroupCount = 0;          // groups the user may choose
    int GroupNumber = 0;         // the selected group's NUMER; 0 when none
    std::string GroupName;
    std::string GroupListId, GroupDepartment;  // ID_LISTY and ODDZIAL of the group
    int GroupLow() const { return GroupNumber % 100; }
    int GroupHigh() const { return GroupNumber / 100; }
    bool SignedIn() const { return CurrentUser >= 0 && CurrentUser < static_cast<int>(Users.size()); }
    const UserRecord* User() const { return SignedIn() ? &Users[static_cast<size_t>(CurrentUser)] : nullptr; }
    InstallState State = InstallState::NotConfigured;
};

} // namespace ewidor
