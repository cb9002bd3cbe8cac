#pragma once
// A small site for the configuration tests: SystemDir with Konfig and the updater
// on request, BAZY_K with Jedn.dbf and Kos.dbf, BAZY_CT with Grupy.dbf, EXPORTCT;
// the session as start-up leaves it, and Konfig read back by Python's own INI
// reader in code page 1250.
#include "ScriptedPrompter.h"
#include "Session.h"
#include "TempDir.h"

#include <map>
#include <string>

namespace konfigtest {

using Sections = std::map<std::string, std::map<std::string, std::string>>;

// A Konfig as an older desktop left it: a comment, the installation parameters, and
// every optional section including the FTP proxy; "{root}" stands for the site.
extern const char* const kStartKonfig;

class KonfigSite {
public:
    explicit KonfigSite(bool updater = false, const std::string& konfig = kStartKonfig);
    std::string systemDir() const { return dir_.path().string() + "/"; }
    std::string dataRoot() const { return systemDir() + "BAZY_K/"; }
    std::string konfigPath() const { return systemDir() + "Konfig"; }
    ewidor::Session& session() { return session_; }
    ewidor::ScriptedPrompter& prompter() { return prompter_; }
    // Konfig as Python's configparser reads it with the cp1250 codec.
    Sections read() const;

private:
    testsupport::TempDir dir_;
    ewidor::Session session_;
    ewidor::ScriptedPrompter prompter_;
};

} // namespace konfigtest
