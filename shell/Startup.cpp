#include "Startup.h"

#include "CodePage.h"
#include "Dataset.h"
#include "Error.h"
#include "IniFile.h"
#include "Paths.h"

#include <algorithm>

namespace ewidor {

using namespace std::chrono;

namespace {
const char* const kKonfig = "Konfig";
const char* const kKonfLok = "KonfLok";

std::string withoutBazyK(const std::string& path) { return replaceFirstNoCase(path, "BAZY_K/", ""); }
} // namespace

std::string Startup::YearDirOf(const std::string& dataRoot, int year) {
    return pathNoCase(dataRoot, "Rok" + std::to_string(year)) + kDelimiter;
}

bool Startup::IsDataRoot(const std::string& path) {
    std::string dir = normalizePath(path);
    if (xb::upperUtf8(dir).find("/BAZY_K/") == std::string::npos) return false;
    return existsNoCase(dir, "Jedn.dbf") && existsNoCase(dir, "Kos.dbf");
}

std::optional<std::string> Startup::AskForDataRoot() {
    for (;;) {
        auto chosen = prompter_.ChooseFolder("Proszę wskazać położenie katalogu BAZY_K");
        if (!chosen) return std::nullopt;
        // No mapped drives here: the chosen path is taken as it is.
        std::string dir = asDirectory(*chosen);
        if (IsDataRoot(dir)) return dir;
        prompter_.ShowMessage("Błąd !", "    To nie jest ten katalog !\nProszę wybrać właściwy katalog !");
    }
}

bool Startup::writeKonfLok(const std::string& exeDir, const std::string& dataRoot) {
    try {
        std::string path = pathNoCase(exeDir, kKonfLok);
        IniFile ini = IniFile::Load(path);
        ini.Set("Katalogi", "BazySystemuEwidor", dataRoot);
        ini.Save(path);
        return true;
    } catch (const std::exception&) {
        prompter_.ShowMessage(" Konflikt sieciowy !",
                              "    Nie zapisano dokonanych zmian !\nInny użytkownik konfiguruje system !");
        return false;
    }
}

void Startup::takeChosenRoot(const std::string& exeDir, const std::optional<std::string>& chosen) {
    if (chosen && writeKonfLok(exeDir, *chosen)) session_.dirs.SystemDir = withoutBazyK(*chosen);
}

bool Startup::LocateConfiguration(const std::string& exeDir) {
    if (existsNoCase(exeDir, kKonfig)) {
        session_.dirs.SystemDir = exeDir;
        return true;
    }
    if (existsNoCase(exeDir, kKonfLok)) {
        IniFile lok = IniFile::Load(pathNoCase(exeDir, kKonfLok));
        std::string root = asDirectory(lok.GetString("Katalogi", "BazySystemuEwidor", ""));
        if (!root.empty() && existsNoCase(root, "Jedn.dbf")) {
            session_.dirs.SystemDir = withoutBazyK(root);
            return true;
        }
    }
    auto chosen = AskForDataRoot();
    if (!chosen) {
        prompter_.ShowMessage(" System nie zainicjowany !",
                              "Dalsza praca z systemem jest niemożliwa !\n\n"
                              "   Proszę powiadomić administratora systemu !");
        return false;
    }
    takeChosenRoot(exeDir, chosen);
    return true;
}

void Startup::ReadSettings() {
    std::string path = pathNoCase(session_.dirs.SystemDir, kKonfig);
    IniFile ini = IniFile::Load(path);
    session_.settings.Read(ini);
    session_.params.Read(ini);
    session_.dirs.DataRoot = asDirectory(session_.settings.BazySystemuEwidor);
}

void Startup::DeriveDirectories() {
    Directories& d = session_.dirs;
    const Settings& s = session_.settings;
    if (!d.DataRoot.empty()) {
        d.SystemDir = withoutBazyK(d.DataRoot);
        d.HelpFile = d.SystemDir + "Ewidor.hlp";
        session_.HelpEnabled = true;
    }
    session_.UpdateVisible = !d.SystemDir.empty() && existsNoCase(d.SystemDir, "UpdKarVQ.EXE");
    d.ImportDir = d.DataRoot.empty() ? "" : replaceFirstNoCase(d.DataRoot, "BAZY_K", "IMPORT");
    d.InterDir = d.DataRoot.empty() ? "" : replaceFirstNoCase(d.DataRoot, "BAZY_K", "INTER");
    d.HqFilesDir = asDirectory(s.ZbioryCentrali);
    d.TargetDir = asDirectory(s.BazyDocelowe);
    for (std::string* dir : {&d.ImportDir, &d.HqFilesDir, &d.TargetDir})
        if (!directoryExists(*dir)) dir->clear();
    session_.LanSendEnabled = !d.TargetDir.empty();
    session_.LanFetchEnabled = !d.HqFilesDir.empty();
}

void Startup::BuildYearList() {
    session_.Years.clear();
    session_.LastYear = 0;
    if (session_.dirs.DataRoot.empty()) return;
    for (int year = 2000; year <= 2030; ++year) {
        if (!directoryExists(session_.dirs.DataRoot + "Rok" + std::to_string(year))) continue;
        session_.Years.push_back(year);
        session_.LastYear = year;
    }
    session_.YearListEnabled = session_.Years.size() > 1;
}

void Startup::PreselectYear(year_month_day today) {
    const auto& years = session_.Years;
    auto listed = [&](int y) { return std::find(years.begin(), years.end(), y) != years.end(); };
    session_.PreselectedYear.reset();
    if (years.size() == 1) {
        session_.PreselectedYear = years.front();
        return;
    }
    year_month_day taken = today;
    if (static_cast<int>(unsigned(today.day())) <= session_.params.DzienRozliczenia) {
        year_month_day earlier = today - months{1};
        taken = earlier.ok() ? earlier : year_month_day{earlier.year() / earlier.month() / last};
    }
    int year = static_cast<int>(taken.year());
    if (taken.month() == January && !listed(year) && !years.empty()) year = session_.LastYear;
    if (listed(year)) session_.PreselectedYear = year;
}

bool Startup::CreateMainWindowState(const std::string& exeDir, year_month_day today) {
    session_.dirs = Directories{};
    session_.dirs.ExeDir = asDirectory(exeDir);
    session_.settings = Settings{};
    session_.params = InstallationParams{};
    if (!LocateConfiguration(session_.dirs.ExeDir)) return false;
    if (!session_.dirs.SystemDir.empty() && existsNoCase(session_.dirs.SystemDir, kKonfig)) ReadSettings();
    DeriveDirectories();
    BuildYearList();
    PreselectYear(today);
    session_.EventLogKept = !session_.dirs.DataRoot.empty() && existsNoCase(session_.dirs.DataRoot, "Log.vq");
    session_.holidays.SetBarborka(session_.settings.Barborka);
    session_.Caption = " Użytkownik nieznany.";
    return true;
}

bool Startup::CreateDataModule(TDane& data) {
    try {
        data.OpenRootTables(session_.dirs.DataRoot);
        return true;
    } catch (const xb::Error&) {
        prompter_.ShowMessage("Uwaga !", "Na tej stacji nie można uruchomić systemu !\n\n"
                                         " Niedostępny silnik bazy danych !\n"
                                         "       Proszę powiadomić serwis ...");
        return false;
    }
}

void Startup::SelectYear(TDane& data, int year) {
    session_.SelectedYear = year;
    session_.YearDir = YearDirOf(session_.dirs.DataRoot, year);
    session_.MapaPresent = existsNoCase(session_.YearDir, "Mapa.DBF");
    data.PointToYear(session_.YearDir);
    session_.holidays.SetYear(year);
}

void Startup::FirstShow(TDane& data, year_month_day today) {
    const std::string& root = session_.dirs.DataRoot;
    if (root.empty()) {
        session_.State = InstallState::NotConfigured;
        session_.HelpEnabled = false;
        prompter_.ShowMessage("System nieskonfigurowany !",
                              "Nie określono położenia katalogu z bazami systemu !\n\n"
                              "   Proszę skonfigurować system !");
        return;
    }
    if (!existsNoCase(root, "Grupy.dbf")) {
        session_.State = InstallState::Misconfigured;
        prompter_.ShowMessage("System źle skonfigurowany !",
                              "Błędnie określono położenie katalogu z bazami systemu !\n\n"
                              "   Proszę skonfigurować system !");
        return;
    }
    session_.State = InstallState::Configured;
    session_.SelectedMonth = static_cast<int>(unsigned(today.month()));
    if (session_.PreselectedYear) SelectYear(data, *session_.PreselectedYear);
}

} // namespace ewidor
