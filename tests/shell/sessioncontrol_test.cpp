// Group, year and month selection, the month states and the small shared services.
#include "MainServices.h"
#include "SessionControl.h"
#include "SessionSite.h"

#include <gtest/gtest.h>

using namespace ewidor;
using namespace sessiontest;
using namespace std::chrono;

TEST(SessionControl, YearGroupAndMonthFillTheSession) {
    SessionSite site;
    site.fx.table("Dni_GS", site.year, {{{"DZIEN", xb::Date{2026, 11, 10}}, {"RODZAJ", std::string("DW")}}});
    site.session.settings.Barborka = true;
    site.session.holidays.SetBarborka(true);
    site.session.SelectedMonth = 2;
    SessionControl control(site.session, site.data, site.prompter, site.wait);
    ASSERT_TRUE(control.SelectYear(2026, false));
    const Session& s = site.session;
    EXPECT_EQ(s.YearText, "2026");
    EXPECT_EQ(s.YearDir, site.year);
    EXPECT_TRUE(s.MapaPresent);
    EXPECT_EQ(site.data.TabStakosz.directory(), site.year);
    EXPECT_EQ(s.MonthLabel, "Luty 2026");
    EXPECT_TRUE(s.holidays.IsHoliday(2026y / April / 6d));  // Easter Monday 2026
    EXPECT_TRUE(s.extraDays.IsExtraDayOff(2026y / November / 10d));
    EXPECT_EQ(s.DaysOffOfMonth, (std::vector<int>{1, 7, 8, 14, 15, 21, 22, 28}));
    EXPECT_EQ(s.MonthStates.text(), "OOOOOOOOOOOO");  // no group yet

    // Month states of group 7 come with the group: March closed, October archived.
    site.session.StaffCheckOk = true;
    site.session.LastYear = 2027;  // keeps the staff check out of this test
    ASSERT_TRUE(control.SelectGroup({7, "Wydział siódmy", "L07", "01"}));
    EXPECT_EQ(s.MonthStates.text(), "OOZOOOOOOAOO");
    EXPECT_EQ(s.GroupLow(), 7);
    EXPECT_EQ(s.GroupListId, "L07");
    control.SelectMonth(3, true);
    EXPECT_EQ(s.MonthLabel, "Marzec 2026");
    EXPECT_EQ(control.MonthStateLabel(), "Zamknięty");
    EXPECT_EQ(*MainServices::MonthStateRefusal(s),
              (Message{"Uwaga !", "Aby dokonać zmian w tym miesiącu, należy najpierw otworzyć Marzec 2026 !"}));
    control.SelectMonth(10, true);
    EXPECT_EQ(control.MonthStateLabel(), "Archiwowany");
    EXPECT_EQ(MainServices::MonthStateRefusal(s)->text,
              "Aby dokonać zmian w tym miesiącu, należy najpierw \"odarchiwować\" i otworzyć Pażdziernik 2026 !");
    control.SelectMonth(12, true);
    EXPECT_EQ(control.MonthStateLabel(), "Otwarty");
    EXPECT_FALSE(MainServices::MonthStateRefusal(s));
    EXPECT_EQ(s.DaysOffOfMonth.front(), 4);  // Barborka
    EXPECT_TRUE(site.prompter.messages().empty());
}

TEST(SessionControl, GroupNumberFromFiveHundredIsRefused) {
    SessionSite site;
    SessionControl control(site.session, site.data, site.prompter, site.wait);
    control.SelectYear(2026, false);
    EXPECT_FALSE(control.SelectGroup({512, "Za duża", "L", "01"}));
    EXPECT_EQ(site.session.GroupNumber, 0);
    ASSERT_EQ(site.prompter.messages().size(), 1u);
    EXPECT_NE(site.prompter.messages()[0].text.find("512"), std::string::npos);
}

TEST(SessionControl, SignOutDropsTheGroupAndKeepsThePeriod) {
    SessionSite site;
    SessionControl control(site.session, site.data, site.prompter, site.wait);
    site.session.LastYear = 2027;
    control.SelectYear(2026, false);
    control.SelectGroup({7, "Wydział siódmy", "L07", "01"});
    control.SignedOut();
    EXPECT_EQ(site.session.GroupNumber, 0);
    EXPECT_EQ(site.session.GroupName, "");
    EXPECT_EQ(site.session.SelectedYear, 2026);
    EXPECT_EQ(site.session.SelectedMonth, 4);
}

TEST(MainServices, AskTableBusy) {
    ScriptedPrompter p;
    p.AnswerAsk(true);
    p.AnswerAsk(false);
    EXPECT_FALSE(MainServices::AskTableBusy(p, "Karty dzienne"));
    EXPECT_TRUE(MainServices::AskTableBusy(p, "Karty dzienne"));
    EXPECT_EQ(p.entries()[0].title, "Konflikt sieciowy !");
    EXPECT_EQ(p.entries()[0].text, "Tabela \"Karty dzienne\" jest otwarta przez innego użytkownika !\n\n"
                                   "        Czy próbować jeszcze raz  ?");
}

TEST(MainServices, CheckMailSettings) {
    struct Case {
        std::string address, out, in;
        MailDirection direction;
        const char* problem;  // nullptr: allowed
    } cases[] = {
        {"", "smtp.x.pl", "pop3.x.pl", MailDirection::Sending, "Nie określono adresu skrzynki pocztowej !"},
        {"biuro@", "smtp.x.pl", "pop3.x.pl", MailDirection::Fetching, "Adres skrzynki pocztowej jest niepoprawny !"},
        {"biuro@x.pl", "", "pop3.x.pl", MailDirection::Sending, "Nie określono serwera poczty wychodzącej !"},
        {"biuro@x.pl", "", "pop3.x.pl", MailDirection::Fetching, nullptr},
        {"biuro@x.pl", "smtp.x.pl", "", MailDirection::Fetching, "Nie określono serwera poczty przychodzącej !"},
        {"biuro@x.pl", "smtp.x.pl", "pop3.x.pl", MailDirection::Sending, nullptr},
    };
    for (const Case& c : cases) {
        Settings settings;
        settings.EMailSkrzynki = c.address;
        settings.SerwerPocztyWychodzacej = c.out;
        settings.SerwerPocztyPrzychodzacej = c.in;
        ScriptedPrompter p;
        EXPECT_EQ(MainServices::CheckMailSettings(settings, c.direction, p), c.problem == nullptr) << c.address;
        if (!c.problem) continue;
        ASSERT_EQ(p.messages().size(), 1u);
        EXPECT_EQ(p.messages()[0].text, c.problem);
        EXPECT_EQ(p.messages()[0].title, c.direction == MailDirection::Sending
                                              ? "Wysyłka przez Internet niemożliwa !"
                                              : "Pobranie zbiorów przez Internet niemożliwe !");
    }
}
