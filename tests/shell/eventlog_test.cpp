// The event log: creation with its password, what independent readers see, the
// filters of the log window, archiving, and two processes appending at once.
#include "Error.h"
#include "LogAdmin.h"
#include "ScriptedPrompter.h"
#include "SignIn.h"
#include "Table.h"
#include "UsersSite.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

using namespace ewidor;
using namespace userstest;
using namespace std::chrono;
using testsupport::runCommand;
using testsupport::shellQuote;

namespace {

struct LogTest : ::testing::Test {
    UsersSite site;
    EventLog log{site.dataRoot()};
    void write(const std::string& user, int kind, year_month_day day, int hour = 10) {
        log.WriteEvent(user, static_cast<EventKind>(kind), at(day, hour, 0));
    }
    // Kowalski: 3 events, Nowak: 2, an intruder: 1, over October to December.
    void fill() {
        write("Jan Kowalski", 1, year{2026} / October / 2);
        write("Jan Kowalski", 2, year{2026} / October / 2, 15);
        write("Anna Nowak", 1, year{2026} / November / 20);
        write("Intruz jako Q'X", 3, year{2026} / December / 1);
        write("Anna Nowak", 2, year{2026} / December / 10);
        write("Jan Kowalski", 1, year{2026} / December / 11);
    }
    // Kind 0 and an empty user stand for "every".
    static LogCriteria criteria(int kind, const std::string& user,
                                std::optional<year_month_day> from = {},
                                std::optional<year_month_day> to = {}) {
        LogCriteria c;
        if (kind) c.kind = kind;
        if (!user.empty()) c.user = user;
        c.from = from;
        c.to = to;
        return c;
    }
    static std::vector<std::string> shownUsers(LogAdmin& admin) {
        std::vector<std::string> out;
        for (bool more = admin.QLog().first(); more; more = admin.QLog().next())
            out.push_back(admin.QLog().text("CZAS") + " " + admin.QLog().text("UZYTKOWNIK"));
        return out;
    }
    static std::string python(const std::string& script) {
        std::string out;
        runCommand("/usr/bin/python3 -c " + shellQuote(script) + " 2>&1", &out);
        return out;
    }
};

} // namespace

TEST_F(LogTest, FirstSignInCreatesTheLogThatOnlyThePasswordOpens) {
    site.setUsers({makeUser("AA", "HASLO1")});
    site.session().Users[0].Surname = "Szczebrzeszyński";
    ScriptedPrompter prompter;
    SignIn signIn(site.session(), prompter);
    ASSERT_FALSE(log.Exists());
    signIn.Open();
    ASSERT_EQ(signIn.Confirm("AA", "HASLO1", at(kToday), {}), SignIn::Outcome::SignedIn);
    ASSERT_TRUE(log.Exists());
    EXPECT_EQ(site.events().size(), 1u);
    std::string path = log.Path();
    EXPECT_THROW(xb::Table::open(path), xb::Error);
    // Independent readers see the structure but not the names.
    std::string dbfread =
        python("import dbfread\nfor r in dbfread.DBF('" + path + "', raw=True): print(dict(r))");
    EXPECT_NE(dbfread.find("'UZYTKOWNIK': b'"), std::string::npos) << dbfread;
    EXPECT_EQ(dbfread.find("Szczebrzeszy"), std::string::npos) << dbfread;
    EXPECT_EQ(dbfread.find("Imi"), std::string::npos) << dbfread;
    std::string bytes = testsupport::readFile(path);
    EXPECT_EQ(bytes.find("Szczebrzeszy"), std::string::npos);
    EXPECT_NE(bytes.find("UZYTKOWNIK"), std::string::npos);
}

TEST_F(LogTest, SecondLineAndCriteriaTexts) {
    LogCriteria all;
    LogCriteria some =
        criteria(3, "Intruz jako Q'X", year{2026} / August / 11, year{2026} / December / 11);
    EXPECT_EQ(LogFilter::SecondLine(all), "where (ID_ZD>0)");
    EXPECT_EQ(LogFilter::SecondLine(some),
              "where (ID_ZD=3) AND (Uzytkownik='Intruz jako Q''X') AND "
              "((DNIA>='2026-08-11') AND (DNIA<='2026-12-11'))");
    EXPECT_EQ(LogFilter::Sql(all),
              "SELECT * FROM \"Log.vq\"\nwhere (ID_ZD>0)\nORDER BY DNIA DESC, CZAS DESC");
    EXPECT_EQ(LogFilter::Texts(all),
              (std::array<std::string, 3>{"Wszystkie zdarzenia", "Wszyscy użytkownicy",
                                          "Zapisane w okresie dowolnym"}));
    EXPECT_EQ(LogFilter::Texts(some),
              (std::array<std::string, 3>{"Tylko zdarzenia: Próba włamania",
                                          "Użytkownik: Intruz jako Q'X",
                                          "Zapisane w okresie od 11.08.2026 r. do 11.12.2026 r."}));
}

TEST_F(LogTest, FiltersMatchTheStoredUserTextNewestFirst) {
    fill();
    ScriptedPrompter prompter;
    LogAdmin admin(site.dataRoot(), prompter);
    admin.Open();
    EXPECT_TRUE(admin.LogHasEvents());
    EXPECT_EQ(admin.QLog().rowCount(), 6u);
    EXPECT_EQ(admin.QLog().first() ? admin.QLog().text("UZYTKOWNIK") : "", "Jan Kowalski");
    auto users = admin.Users();
    EXPECT_EQ(std::set<std::string>(users.begin(), users.end()),
              (std::set<std::string>{"Jan Kowalski", "Anna Nowak", "Intruz jako Q'X"}));
    struct Case {
        LogCriteria criteria;
        std::vector<std::string> shown;
    };
    const std::vector<Case> cases = {
        {criteria(0, "Anna Nowak"), {"10:00 Anna Nowak", "10:00 Anna Nowak"}},
        {criteria(0, "Anna Nowa"), {}},
        {criteria(3, "Intruz jako Q'X"), {"10:00 Intruz jako Q'X"}},
        {criteria(1, "Jan Kowalski", year{2026} / October / 3, year{2026} / December / 11),
         {"10:00 Jan Kowalski"}},
        {criteria(2, "", year{2026} / October / 2, year{2026} / October / 2),
         {"15:00 Jan Kowalski"}},
    };
    for (const Case& c : cases) {
        admin.Apply(c.criteria);
        EXPECT_EQ(shownUsers(admin), c.shown) << LogFilter::SecondLine(c.criteria);
        EXPECT_EQ(admin.ShownEvents(), !c.shown.empty());
    }
    admin.ClearFilter();
    EXPECT_EQ(admin.QLog().rowCount(), 6u);
}

TEST_F(LogTest, ArchivingTwiceAppendsToTheReadableArchive) {
    fill();
    ScriptedPrompter prompter;
    LogAdmin admin(site.dataRoot(), prompter);
    admin.Apply(criteria(0, "Jan Kowalski"));
    prompter.AnswerAsk(false);
    EXPECT_FALSE(admin.Archive());
    EXPECT_FALSE(std::filesystem::exists(admin.ArchivePath()));
    prompter.AnswerAsk(true);
    ASSERT_TRUE(admin.Archive());
    EXPECT_EQ(admin.QLog().rowCount(), 0u);
    admin.Apply(criteria(1, ""));
    prompter.AnswerAsk(true);
    ASSERT_TRUE(admin.Archive());
    EXPECT_FALSE(std::filesystem::exists(admin.WorkPath()));
    EXPECT_EQ(prompter.messages().size(), 2u);
    EXPECT_EQ(prompter.messages()[1].title, "Sukces !");
    EXPECT_EQ(prompter.messages()[1].text, "Pomyślnie zarchiwowano wybrane zdarzenia !");
    EXPECT_EQ(prompter.entries()[0].title, "Proszę zdecydować !");
    // Left in the log: Kowalski's none, Nowak's sign-out, the intruder.
    auto left = site.events();
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].user, "Intruz jako Q'X");
    EXPECT_EQ(left[1], (LoggedEvent{"2026-12-10", "10:00", "Anna Nowak", 2}));
    // The archive is a plain table that independent readers read.
    std::string rows = python("import dbfread\nfor r in dbfread.DBF('" + admin.ArchivePath() +
                              "', encoding='cp852'): print(r['DNIA'], r['CZAS'], r['UZYTKOWNIK'], "
                              "int(r['ID_ZD']), r['ZDARZENIE'])");
    EXPECT_EQ(rows, "2026-12-11 10:00 Jan Kowalski 1 Wejście do systemu\n"
                    "2026-10-02 15:00 Jan Kowalski 2 Wyjście z systemu\n"
                    "2026-10-02 10:00 Jan Kowalski 1 Wejście do systemu\n"
                    "2026-11-20 10:00 Anna Nowak 1 Wejście do systemu\n");
    std::string perl;
    runCommand("perl -MXBase -e " +
                   shellQuote("my $t = XBase->new(shift) or die; print $t->last_record + 1, ' ', "
                              "join(',', $t->field_names), \"\\n\"") +
                   " " + shellQuote(admin.ArchivePath()) + " 2>&1",
               &perl);
    EXPECT_EQ(perl, "4 DNIA,CZAS,UZYTKOWNIK,ID_ZD,ZDARZENIE\n");
}

TEST_F(LogTest, ArchivingReportsAFailureAndLeavesTheLogWhole) {
    fill();
    ScriptedPrompter prompter;
    LogAdmin admin(site.dataRoot(), prompter);
    admin.Open();
    testsupport::writeFile(admin.ArchivePath(), "not a table");
    prompter.AnswerAsk(true);
    EXPECT_FALSE(admin.Archive());
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_EQ(prompter.messages()[0].title, "Błąd !");
    EXPECT_EQ(prompter.messages()[0].text,
              "Nie udało się zarchiwizować LOG-u - prawdopodobnie pracują inni użytkownicy !");
    EXPECT_EQ(site.events().size(), 6u);
    EXPECT_FALSE(std::filesystem::exists(admin.WorkPath()));
    EXPECT_EQ(admin.QLog().rowCount(), 6u);
}

TEST_F(LogTest, TwoProcessesAppendingAtOnceLoseNoEvent) {
    const int each = 150;
    std::string helper = shellQuote(EVENTLOG_HELPER);
    std::string root = shellQuote(site.dataRoot());
    std::string command = "(" + helper + " " + root + " " + std::to_string(each) + " A & " +
                          helper + " " + root + " " + std::to_string(each) +
                          " B & wait %1 || exit 1; wait %2)";
    ASSERT_EQ(runCommand(command), 0);
    auto events = site.events();
    std::set<std::string> users;
    for (const auto& e : events)
        users.insert(e.user);
    EXPECT_EQ(events.size(), 2u * each);
    EXPECT_EQ(users.size(), 2u * each);
    EXPECT_TRUE(users.count("A-1") && users.count("B-150"));
}
