#pragma once
// Small services of the main window that every subsystem uses: the table-busy
// question, the e-mail settings test before an Internet transfer and the refusal
// of changes by the selected month's state.
#include "Message.h"
#include "Prompter.h"
#include "Session.h"

#include <optional>
#include <string>

namespace ewidor {

enum class MailDirection { Sending, Fetching };

class MainServices {
public:
    // AskTableBusy: true when the caller gives up (anything but Yes).
    static bool AskTableBusy(Prompter& prompter, const std::string& tableDescription);
    // CheckMailSettings: true when the settings allow the transfer; else the first
    // failing check's message is shown.
    static bool CheckMailSettings(const Settings& settings, MailDirection direction, Prompter& prompter);
    // The refusal of changes in the selected month when it is archived or closed.
    static std::optional<Message> MonthStateRefusal(const Session& session);
};

} // namespace ewidor
