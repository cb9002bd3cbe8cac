#include "MainServices.h"

namespace ewidor {

bool MainServices::AskTableBusy(Prompter& prompter, const std::string& tableDescription) {
    return !prompter.Ask("Konflikt sieciowy !",
                         "Tabela \"" + tableDescription + "\" jest otwarta przez innego użytkownika !\n\n"
                                                          "        Czy próbować jeszcze raz  ?",
                         false);
}

namespace {
std::optional<std::string> mailProblem(const Settings& s, MailDirection direction) {
    const std::string& address = s.EMailSkrzynki;
    if (address.empty()) return "Nie określono adresu skrzynki pocztowej !";
    auto at = address.find('@');
    if (at == std::string::npos || at + 1 >= address.size()) return "Adres skrzynki pocztowej jest niepoprawny !";
    if (direction == MailDirection::Sending && s.SerwerPocztyWychodzacej.empty())
        return "Nie określono serwera poczty wychodzącej !";
    if (s.SerwerPocztyPrzychodzacej.empty()) return "Nie określono serwera poczty przychodzącej !";
    return std::nullopt;
}
} // namespace

bool MainServices::CheckMailSettings(const Settings& settings, MailDirection direction, Prompter& prompter) {
    auto problem = mailProblem(settings, direction);
    if (!problem) return true;
    prompter.ShowMessage(direction == MailDirection::Sending ? "Wysyłka przez Internet niemożliwa !"
                                                             : "Pobranie zbiorów przez Internet niemożliwe !",
                         *problem);
    return false;
}

std::optional<Message> MainServices::MonthStateRefusal(const Session& s) {
    switch (s.MonthStates.at(s.SelectedMonth)) {
    case MonthStates::kArchived:
        return Message{"Uwaga !", "Aby dokonać zmian w tym miesiącu, należy najpierw \"odarchiwować\" i otworzyć " +
                                      s.MonthLabel + " !"};
    case MonthStates::kClosed:
        return Message{"Uwaga !", "Aby dokonać zmian w tym miesiącu, należy najpierw otworzyć " + s.MonthLabel + " !"};
    default:
        return std::nullopt;
    }
}

} // namespace ewidor
