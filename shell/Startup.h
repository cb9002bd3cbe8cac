#pragma once
// Start-up up to the main window: locating Konfig or KonfLok, the data-root question,
// the settings, the directories, the year list and the preselected year, and the
// installation state with its message. No widgets: the program and the tests drive
// the same steps, the user is reached only through the prompter.
#include "Prompter.h"
#include "Session.h"
#include "TDane.h"

#include <chrono>
#include <optional>
#include <string>

namespace ewidor {

class Startup {
public:
    Startup(Session& session, Prompter& prompter) : session_(session), prompter_(prompter) {}

    // Main-window creation: every step from the settings' defaults to the caption.
    // False when the program must stop (the data-root question was cancelled).
    bool CreateMainWindowState(const std::string& exeDir, std::chrono::year_month_day today);
    // Data-module creation: the root tables and the categories. False when the
    // engine cannot open GRUPY.DBF (the message is shown) and the program must stop.
    bool CreateDataModule(TDane& data);
    // When the main window is first shown: the installation state and its message;
    // on a configured site the month and the preselected year are selected.
    void FirstShow(TDane& data, std::chrono::year_month_day today);

    // The steps, public for tests.
    bool LocateConfiguration(const std::string& exeDir);
    static bool IsDataRoot(const std::string& path);
    std::optional<std::string> AskForDataRoot();
    void ReadSettings();
    void DeriveDirectories();
    void BuildYearList();
    void PreselectYear(std::chrono::year_month_day today);
    // The year selection that start-up runs: year values, the data module, the calendar.
    void SelectYear(TDane& data, int year);

    static std::string YearDirOf(const std::string& dataRoot, int year);

private:
    bool writeKonfLok(const std::string& exeDir, const std::string& dataRoot);
    void takeChosenRoot(const std::string& exeDir, const std::optional<std::string>& chosen);

    Session& session_;
    Prompter& prompter_;
};

} // namespace ewidor
