#pragma once
// What the configuration dialog TKonfig decides: the working copy of the settings
// with its change marks, the directory questions, the automatic changes of the
// e-mail and FTP pages, the checks of saving with their messages and the field to
// focus, and the writing of Konfig in SystemDir with the in-memory update.
//
// Numbers are held as the text typed into their fields, so that "4a" can be refused;
// every other control edits its member of `Values()` directly.
#include "IniFile.h"
#include "Prompter.h"
#include "Session.h"
#include "WaitIndicator.h"

#include <optional>
#include <string>
#include <vector>

namespace ewidor {

enum class KonfigPage { Katalogi, Lokalne, Poczta, Ftp, Aktualizacja };
enum class KonfigDir { BazyK, BazyCt, ExportCt };

// Controls and the settings members they edit, named as the dialog names them.
struct KonfigBool {
    const char* control;
    bool Settings::*member;
};
struct KonfigText {
    const char* control;
    std::string Settings::*member;
};
struct KonfigNumber {
    const char* control;
    KonfigPage page;
    int Settings::*member;
};

// A refused save: the message shown and the field to focus.
struct KonfigFailure {
    std::string title, text;
    KonfigPage page;
    std::string control;
};

class KonfigRules {
public:
    enum class Outcome { Refused, Saved, NotWritten };

    // The e-mail domains of the enterprise itself, whose servers are named "smtp." and
    // "pop3." + the domain; an address elsewhere names its server by the bare domain.
    static const std::vector<std::string>& OwnMailDomains();

    static const std::vector<KonfigBool>& BoolControls();
    static const std::vector<KonfigText>& TextControls();
    static const std::vector<KonfigNumber>& NumberControls();
    // The proxy keys of [FTP] or [Aktualizacja], written only while the proxy is on.
    static const std::vector<const char*>& ProxyKeys(KonfigPage page);

    // Open to a user holding the right Konfig, and to anybody while the site cannot be
    // signed in to (not configured, or a data root without Grupy.dbf).
    static bool MayOpen(const Session& session);

    KonfigRules(Session& session, Prompter& prompter) : session_(session), prompter_(prompter) {}

    // OpenConfiguration: the copy of the settings, the number texts, marks cleared.
    void Open();
    Settings& Values() { return values_; }
    const Settings& Values() const { return values_; }
    std::string& Number(const std::string& control);
    const std::string& Number(const std::string& control) const;
    // The update page is shown only when the updater lies in SystemDir.
    bool UpdatePagePresent() const;

    void MarkChanged() { settingsChanged_ = true; }
    bool DirsChanged() const { return dirsChanged_; }
    bool SettingsChanged() const { return settingsChanged_; }
    bool RootDefined() const { return rootDefined_; }
    // "za&Pisz" is enabled while something changed and the data root is defined.
    bool SaveEnabled() const { return (dirsChanged_ || settingsChanged_) && rootDefined_; }

    // The directory label: the path, or the red text of an undefined one.
    std::string DirText(KonfigDir kind) const;
    bool DirDefined(KonfigDir kind) const;
    // The folder question for `kind`, repeated until a fitting folder or a cancel.
    void ChooseDirectory(KonfigDir kind);
    // "&Niedostępny" / "nie&Dostępny" for a headquarters path.
    void ClearHqPath(KonfigDir kind);
    // Whether `path` is a fitting folder for `kind` (the dialog's test of each kind).
    static bool FitsKind(KonfigDir kind, const std::string& path);

    // The automatic changes of the pages.
    void AddressLeft();
    void SetSmtpSsl(bool on);
    void SetPop3Ssl(bool on);
    void MailStandard();
    void FtpStandard(KonfigPage page);

    // The field checks of saving, in order; the first failure. Clears the password
    // validity to "0" when the change is not forced.
    std::optional<KonfigFailure> Check();
    // SaveConfiguration: checks, writes Konfig, updates the session and tells the
    // user. After Refused, `LastFailure()` names the field to focus; the dialog
    // closes after Saved and NotWritten.
    Outcome Save(WaitIndicator* wait);
    const std::optional<KonfigFailure>& LastFailure() const { return failure_; }
    // "&Anuluj": the warning when something changed.
    void Cancel();

    // The directory that receives Konfig: SystemDir, or the one holding the chosen
    // data root while start-up found none.
    std::string KonfigDirectory() const;

private:
    std::string& dirOf(KonfigDir kind);
    const std::string& dirOf(KonfigDir kind) const;
    Settings settingsToWrite() const;
    IniFile writeKonfig(const Settings& next) const;
    void updateSession(const Settings& next, const IniFile& written);
    Outcome refuse(KonfigFailure failure, WaitIndicator* wait);

    Session& session_;
    Prompter& prompter_;
    Settings values_;
    std::vector<std::pair<std::string, std::string>> numbers_;
    bool dirsChanged_ = false, settingsChanged_ = false, rootDefined_ = false;
    std::optional<KonfigFailure> failure_;
};

} // namespace ewidor
