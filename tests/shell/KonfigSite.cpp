#include "KonfigSite.h"

#include "IniFile.h"
#include "Startup.h"

#include <filesystem>
#include <sstream>
#include <stdexcept>

namespace konfigtest {

namespace fs = std::filesystem;
using testsupport::writeFile;

const char* const kStartKonfig =
    "; konfiguracja stanowiska\r\n"
    "[Katalogi]\r\nBazySystemuEwidor={root}BAZY_K/\r\nBazyDocelowe={root}BAZY_CT/"
    "\r\nZbioryCentrali={root}EXPORTCT/\r\n"
    "KwiecienKoncemRoku=0\r\n\r\n"
    "[Instalacja]\r\nWlasciciel=Zakład Łączności\r\nDzienRozliczenia=5\r\n\r\n"
    "[Internet]\r\nInternet=1\r\nEMailSkrzynki=biuro@przyklad.pl\r\nSerwerPocztyWychodzacej=smtp."
    "przyklad.pl\r\n"
    "SerwerPocztyPrzychodzacej=pop3.przyklad.pl\r\n\r\n"
    "[FTP]\r\nFTP=1\r\nSerwer=ftp.centrala\r\nUser=zaklad\r\nPROXY=1\r\nSerwerPROXY=proxy."
    "lan\r\nPortPROXY=3128\r\n"
    "UserPROXY=posrednik\r\nHasPROXY=tajne\r\nTypPROXY=2\r\n\r\n"
    "[Lokalne]\r\nForsowanieHasla=1\r\nIleDniHasla=30\r\n";

KonfigSite::KonfigSite(bool updater, const std::string& konfig) {
    std::string root = systemDir();
    for (const char* dir : {"BAZY_K", "BAZY_CT", "EXPORTCT"})
        fs::create_directories(root + dir);
    for (const char* file : {"BAZY_K/Jedn.dbf", "BAZY_K/Kos.dbf", "BAZY_CT/Grupy.dbf"})
        writeFile(root + file, "");
    if (updater) writeFile(root + "UpdKarVQ.EXE", "");
    std::string text = konfig;
    const std::string mark = "{root}";
    for (size_t at = text.find(mark); at != std::string::npos;
         at = text.find(mark, at + root.size()))
        text.replace(at, mark.size(), root);
    ewidor::IniFile::Parse(text).Save(konfigPath());
    ewidor::Startup startup(session_, prompter_);
    if (!startup.CreateMainWindowState(root, std::chrono::year{2026} / std::chrono::December / 11))
        throw std::runtime_error("start-up failed");
    session_.State = ewidor::InstallState::Configured;
}

Sections KonfigSite::read() const {
    const char* script = "import configparser,sys\n"
                         "p=configparser.RawConfigParser()\n"
                         "p.optionxform=str\n"
                         "p.read(sys.argv[1],encoding='cp1250')\n"
                         "for s in p.sections():\n"
                         " print(s)\n"
                         " for k,v in p.items(s): print('\\t'+k+'\\t'+v)\n";
    std::string out;
    if (testsupport::runCommand("/usr/bin/python3 -c " + testsupport::shellQuote(script) + " " +
                                    testsupport::shellQuote(konfigPath()),
                                &out) != 0)
        throw std::runtime_error("python3 could not read Konfig");
    Sections sections;
    std::string section, line;
    std::istringstream lines(out);
    while (std::getline(lines, line)) {
        if (line.empty()) continue;
        if (line[0] != '\t') {
            section = line;
            sections[section];
            continue;
        }
        size_t tab = line.find('\t', 1);
        sections[section][line.substr(1, tab - 1)] = line.substr(tab + 1);
    }
    return sections;
}

} // namespace konfigtest
