#pragma once
// The session: what start-up fixed (settings, installation parameters, directories,
// years) and what the main window selects later. One object, passed by reference
// to whoever needs it; nobody keeps a copy.
#include "HolidayTable.h"
#include "InstallationParams.h"
#include "Settings.h"

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

    bool EventLogKept = false;
    bool HelpEnabled = false;
    bool UpdateVisible = false;
    bool LanSendEnabled = false;   // TargetDir set
    bool LanFetchEnabled = false;  // HqFilesDir set
    HolidayTable holidays;
    std::string Caption = " Użytkownik nieznany.";
    InstallState State = InstallState::NotConfigured;
};

} // namespace ewidor
