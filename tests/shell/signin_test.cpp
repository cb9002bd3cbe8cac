// Sign-in, sign-out and the password change through the scripted prompter, with the
// exact messages, on a small site with a real users file and event log.
#include "PasswordChange.h"
#include "ScriptedPrompter.h"
#include "SignIn.h"
#include "UsersFile.h"
#include "UsersSite.h"
#include "UsersStart.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ewidor;
using namespace userstest;
using namespace std::chrono;

namespace {

year_month_day daysBefore(int n) {
    return year_month_day{sys_days{kToday} - days{n}};
}

struct SignInTest : ::testing::Test {
    UsersSite site;
    ScriptedPrompter prompter;
    SignIn signIn{site.session(), prompter};
    SignIn::Outcome enter(const std::string& sign, const std::string& password,
                          bool changes = false) {
        signIn.Open();
        return signIn.Confirm(sign, password, at(kToday), [&] { return changes; });
    }
};

} // namespace

TEST_F(SignInTest, SameHasloDifferentSignsEachSignsInAsHimself) {
    site.setUsers({makeUser("AA", "WSPOLNE"), makeUser("BB", "WSPOLNE"), makeUser("CC", "INNE1")});
    struct Case {
        std::string sign, password;
        int user;
    } cases[] = {
        {"AA", "WSPOLNE", 0}, {"bb", "WSPOLNE", 1}, {"Bb", "WSPOLNE", 1}, {"CC", "INNE1", 2}};
    for (const Case& c : cases) {
        EXPECT_EQ(enter(c.sign, c.password), SignIn::Outcome::SignedIn) << c.sign;
        EXPECT_EQ(site.session().CurrentUser, c.user) << c.sign;
        EXPECT_TRUE(site.session().RightsValid);
        EXPECT_TRUE(site.session().PasswordValid);
    }
    EXPECT_TRUE(messages(prompter).empty());
    // Each change of user is logged once; signing in again as the same user is not.
    auto events = site.events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], (LoggedEvent{"2026-12-11", "08:05", "ImięAA NazwiskoAA", 1}));
    EXPECT_EQ(events[2].user, "ImięCC NazwiskoCC");
}

TEST_F(SignInTest, EmptyFieldsAreRefusedWithoutCountingAnAttempt) {
    site.setUsers({makeUser("AA", "HASLO1")});
    EXPECT_EQ(enter("", "HASLO1"), SignIn::Outcome::Stay);
    EXPECT_EQ(enter("AA", ""), SignIn::Outcome::Stay);
    EXPECT_EQ(messages(prompter), (std::vector<Msg>{{"Błąd !", "Proszę wpisać znak !"},
                                                    {"Błąd !", "Proszę wpisać hasło !"}}));
    EXPECT_EQ(signIn.AttemptsLeft(), 3);
}

TEST_F(SignInTest, ExpiredRightsSignInWithTheWarning) {
    UserRecord u = makeUser("AA", "HASLO1");
    u.ValidTo = daysBefore(1);
    UserRecord later = makeUser("BB", "HASLO2");
    later.ValidFrom = year_month_day{sys_days{kToday} + days{1}};
    site.setUsers({u, later});
    for (const char* sign : {"AA", "BB"}) {
        EXPECT_EQ(enter(sign, sign == std::string("AA") ? "HASLO1" : "HASLO2"),
                  SignIn::Outcome::SignedIn);
        EXPECT_FALSE(site.session().RightsValid) << sign;
    }
    EXPECT_EQ(messages(prompter),
              std::vector<Msg>(2, {"Uwaga !", "Minął okres Twoich uprawnień !"}));
}

TEST_F(SignInTest, PasswordAgesOnItsThirtiethDay) {
    site.session().settings.ForsowanieHasla = true;
    site.session().settings.IleDniHasla = 30;
    const Msg expired{"Uwaga !", "Twoje hasło utraciło ważność !\n      Musisz je zmienić !"};
    const Msg refused{"Uwaga !", "W takim razie nie możesz pracować z systemem !"};
    struct Case {
        int age;
        bool changes;
        SignIn::Outcome outcome;
        std::vector<Msg> messages;
    } cases[] = {
        {29, false, SignIn::Outcome::SignedIn, {}},
        {30, true, SignIn::Outcome::SignedIn, {expired}},
        {30, false, SignIn::Outcome::Stop, {expired, refused}},
    };
    for (const Case& c : cases) {
        UserRecord u = makeUser("AA", "HASLO1");
        u.PasswordDate = daysBefore(c.age);
        site.setUsers({u});
        ScriptedPrompter p;
        SignIn s(site.session(), p);
        s.Open();
        EXPECT_EQ(s.Confirm("AA", "HASLO1", at(kToday), [&] { return c.changes; }), c.outcome)
            << c.age;
        EXPECT_EQ(messages(p), c.messages) << c.age;
    }
}

TEST_F(SignInTest, ThreeFailuresStopTheProgramAfterLoggingTheIntruder) {
    site.setUsers({makeUser("AA", "HASLO1")});
    EXPECT_EQ(enter("AA", "ZLE"), SignIn::Outcome::Retry);
    EXPECT_EQ(enter("AA", "HASLO1"),
              SignIn::Outcome::SignedIn); // a success does not reset the counter
    EXPECT_EQ(enter("XY", "HASLO1"), SignIn::Outcome::Retry);
    EXPECT_EQ(enter("xy", "NIC"), SignIn::Outcome::Stop);
    std::vector<Msg> expected{{"Błędne hasło!", "Masz jeszcze 2 szanse !"},
                              {"Błędne hasło!", "Masz jeszcze 1 szanse !"},
                              {"Błędne hasło !", "Przykro mi - nie znasz hasła !"}};
    EXPECT_EQ(messages(prompter), expected);
    auto events = site.events();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1], (LoggedEvent{"2026-12-11", "08:05", "Intruz jako xy", 3}));
}

TEST_F(SignInTest, AllowedGroupsDecideTheGroupCountAndTheSelection) {
    site.setUsers({makeUser("NO", "HASLO1", ""), makeUser("ONE", "HASLO1", "/017"),
                   makeUser("TWO", "HASLO1", "/001/023/500"),
                   makeUser("ALL", "HASLO1", "/023/017/001")});
    struct Case {
        std::string sign;
        int count, selected;
    } cases[] = {{"ONE", 1, 17}, {"NO", 0, 0}, {"TWO", 2, 0}, {"ALL", 3, 0}};
    for (const Case& c : cases) {
        ASSERT_EQ(enter(c.sign, "HASLO1"), SignIn::Outcome::SignedIn);
        EXPECT_EQ(site.session().GroupCount, c.count) << c.sign;
        EXPECT_EQ(site.session().GroupNumber, c.selected) << c.sign;
    }
    EXPECT_EQ(enter("ONE", "HASLO1"), SignIn::Outcome::SignedIn);
    EXPECT_EQ(site.session().GroupName, "Elektrycy");
}

TEST_F(SignInTest, ServiceSignTakesTheFirstUserWithEveryGroup) {
    UserRecord first = makeUser("AA", "HASLO1", "");
    first.ValidTo = daysBefore(1);
    site.setUsers({first});
    EXPECT_EQ(enter("ZVK", "KORMORANY"), SignIn::Outcome::Retry); // compared as typed
    EXPECT_EQ(enter("zvk", "KORMORANY"), SignIn::Outcome::SignedIn);
    EXPECT_EQ(site.session().CurrentUser, 0);
    EXPECT_TRUE(site.session().ServiceSignIn);
    EXPECT_TRUE(site.session().RightsValid);
    EXPECT_EQ(site.session().GroupCount, 3);
}

TEST(SignInTexts, CaptionAndUserTextAreCut) {
    UserRecord u;
    u.FirstName = "Maksymilianaaaaa"; // longer than the file holds, to show both cuts
    u.Surname = "Wielkopolska-Żółkiewska-Brzęczyszczykiewicz";
    // " Użytkownik : " and the first name cut to 29 characters, the whole to 60.
    EXPECT_EQ(SignIn::CaptionFor(u),
              " Użytkownik : Maksymilianaaaa Wielkopolska-Żółkiewska-Brzęcz");
    // The first name and its blank cut to 16 characters, the whole to 46.
    EXPECT_EQ(SignIn::UserText(u), "MaksymilianaaaaaWielkopolska-Żółkiewska-Brzęcz");
}

TEST_F(SignInTest, LongestNamesSignInAndOut) {
    UserRecord u = makeUser("AA", "HASLO1");
    u.FirstName = "Maksymilianaaaa";              // 15 characters, the most the file holds
    u.Surname = "Wielkopolska-Żółkiewska-Brzęcz"; // 30
    site.setUsers({u});
    signIn.Open();
    EXPECT_EQ(site.session().Caption, " Użytkownik nieznany.");
    EXPECT_EQ(site.session().EventLogKept, false);
    ASSERT_EQ(signIn.Confirm("AA", "HASLO1", at(kToday), {}), SignIn::Outcome::SignedIn);
    EXPECT_EQ(site.session().Caption,
              " Użytkownik : Maksymilianaaaa Wielkopolska-Żółkiewska-Brzęcz");
    signIn.SignOut(at(kToday, 16, 30));
    EXPECT_EQ(site.session().CurrentUser, -2);
    EXPECT_EQ(site.session().GroupCount, 0);
    signIn.SignOut(at(kToday, 16, 31)); // nobody signed in: nothing logged
    // The first sign-in created the log; the log window is offered from the next one.
    EXPECT_EQ(enter("AA", "HASLO1"), SignIn::Outcome::SignedIn);
    EXPECT_TRUE(site.session().EventLogKept);
    auto events = site.events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].user, "Maksymilianaaaa Wielkopol"); // the field's 25 characters
    EXPECT_EQ(events[1], (LoggedEvent{"2026-12-11", "16:30", "Maksymilianaaaa Wielkopol", 2}));
}

TEST_F(SignInTest, DamagedRecordAndDamagedFileAreReported) {
    site.setUsers({makeUser("AA", "HASLO1")});
    site.session().Users[0].Damaged = true;
    site.session().UsersLoadFailed = true;
    EXPECT_EQ(enter("AA", "HASLO1"), SignIn::Outcome::SignedIn);
    EXPECT_EQ(messages(prompter), std::vector<Msg>(2, {"Uwaga !", "Uszkodzony plik z hasłami !"}));
}

struct PasswordChangeTest : SignInTest {
    PasswordChange change{site.session(), prompter};
    void SetUp() override {
        site.setUsers({makeUser("AA", "STARE1"), makeUser("BB", "HASLO2")});
        ASSERT_EQ(enter("BB", "HASLO2"), SignIn::Outcome::SignedIn);
    }
    UserRecord stored(size_t i) {
        std::vector<UserRecord> users;
        EXPECT_TRUE(UsersFile::LoadUsers(site.usersPath(), users, kToday));
        return users.at(i);
    }
};

TEST_F(PasswordChangeTest, RulesInOrderThenTheChangeIsWritten) {
    using O = PasswordChange::Outcome;
    struct Case {
        std::string old, new1, new2;
        bool forced;
        O outcome;
        Msg message;
    } cases[] = {
        {"HASLO2", "ABCD", "ABCD", false, O::Stay, {"Za krótkie hasło !", "Minimum 5 znaków !"}},
        {"HASLO2",
         "ABCDE",
         "ABCDF",
         false,
         O::Stay,
         {"Błąd !", "Druga wersja różna od pierwszej !"}},
        {"HASLO2",
         "HASLO2",
         "HASLO2",
         true,
         O::Stay,
         {"Błąd !", "Nowe hasło musi być inne od poprzedniego !"}},
        {"GRUSZA", "NOWE22", "NOWE22", true, O::Changed, {"Sukces !", "Hasło zostało zmienione !"}},
    };
    for (const Case& c : cases) {
        ScriptedPrompter p;
        PasswordChange pc(site.session(), p);
        EXPECT_EQ(pc.Confirm(c.old, c.new1, c.new2, c.forced, year{2027} / January / 5), c.outcome)
            << c.new1;
        EXPECT_EQ(messages(p), std::vector<Msg>{c.message}) << c.new1;
    }
    UserRecord written = stored(1);
    EXPECT_EQ(written.Password, "NOWE22");
    EXPECT_EQ(written.PasswordDate, year{2027} / January / 5);
    EXPECT_EQ(written, site.session().Users[1]);
    EXPECT_EQ(stored(0).Password, "STARE1");
}

TEST_F(PasswordChangeTest, WrongOldPasswordThreeTimesClosesTheWindow) {
    using O = PasswordChange::Outcome;
    EXPECT_EQ(change.Confirm("STARE1", "NOWE22", "NOWE22", false, kToday), O::WrongOld);
    EXPECT_EQ(change.Confirm("XXXXX", "NOWE22", "NOWE22", false, kToday), O::WrongOld);
    EXPECT_EQ(change.Confirm("YYYYY", "NOWE22", "NOWE22", false, kToday), O::Closed);
    EXPECT_EQ(messages(prompter),
              (std::vector<Msg>{{"Błędne hasło !", "Masz jeszcze 2 szanse !"},
                                {"Błędne hasło !", "Masz jeszcze 1 szanse !"},
                                {"Błędne hasło !", "Nie znasz dotychczasowego hasła !"}}));
    EXPECT_EQ(stored(1).Password, "HASLO2");
}

TEST_F(PasswordChangeTest, FailedWriteKeepsTheOldPasswordAndSays) {
    UsersFile::DeleteUser(site.usersPath(), 0); // another desktop removed the first user
    EXPECT_EQ(change.Confirm("HASLO2", "NOWE22", "NOWE22", false, kToday),
              PasswordChange::Outcome::Stay);
    EXPECT_EQ(messages(prompter),
              (std::vector<Msg>{{"Nie zapisano zmian !",
                                 "Prawdopodobnie inny użytkownik zmieniał hasło\n\n"
                                 "Proszę spróbować powtórzyć operację."}}));
    EXPECT_EQ(site.session().Users[1].Password, "HASLO2");
    EXPECT_EQ(stored(0).Password, "HASLO2");
}

TEST_F(PasswordChangeTest, ForcedFormAsksBeforeClosing) {
    prompter.AnswerAsk(false);
    EXPECT_TRUE(change.MayClose(false));
    EXPECT_FALSE(change.MayClose(true));
    ASSERT_EQ(prompter.entries().size(), 1u);
    EXPECT_EQ(prompter.entries()[0].text,
              "Jeśli nie zmienisz hasła - dalsza praca z systemem będzie niemożliwa !\n\n"
              "      Czy na pewno rezygnujesz ze zmiany hasła  ?");
    EXPECT_TRUE(prompter.entries()[0].defaultNo);
}

TEST(FirstUsersFile, MissingFileStopsOrIsCreatedWithTheParameters) {
    EXPECT_TRUE(UsersStart::FirstUsersParameters({"trawa", "Plama"}));
    EXPECT_FALSE(UsersStart::FirstUsersParameters({"TRAWA"}));
    EXPECT_FALSE(UsersStart::FirstUsersParameters({"PLAMA", "TRAWA"}));
    UsersSite site;
    std::string dir = site.systemDir();
    ScriptedPrompter prompter;
    EXPECT_FALSE(UsersStart::Load(site.session(), prompter, false, kToday));
    EXPECT_FALSE(std::filesystem::exists(site.usersPath()));
    EXPECT_FALSE(UsersStart::Load(site.session(), prompter, true, kToday));
    EXPECT_EQ(messages(prompter),
              (std::vector<Msg>{
                  {"Proszę powiadomić serwis.",
                   "Dalsza praca z systemem jest niemożliwa !\n\nBrak pliku " + dir + "HasKarU  !"},
                  {"Uwaga !",
                   "Zapisano plik " + dir +
                       "HasKarU  !\n\n"
                       "Po zakończeniu programu należy go powtórnie uruchomić (bez parametrów)\n"
                       "Można wtedy przedstawić się wpisując ZNAK: as oraz HASŁO: ew\n\n"
                       "Następnie należy skonfigurować pozostałych użytkowników ."}}));
    // The next start reads it, and "as" signs in with no group.
    ASSERT_TRUE(UsersStart::Load(site.session(), prompter, false, kToday));
    ASSERT_EQ(site.session().Users.size(), 1u);
    const UserRecord& u = site.session().Users[0];
    EXPECT_EQ(u.FullName(), "Administrator Systemu");
    EXPECT_FALSE(u.HasEndDate);
    EXPECT_EQ(u.ValidFrom, year{2026} / December / 10);
    EXPECT_EQ(u.PasswordDate, kToday);
    Rights expected{true, false, true, true, true, false, false, true, true, true, true, true};
    EXPECT_EQ(u.rights, expected);
    SignIn signIn(site.session(), prompter);
    signIn.Open();
    EXPECT_EQ(signIn.Confirm("as", "EW", at(kToday), {}), SignIn::Outcome::SignedIn);
    EXPECT_EQ(site.session().GroupCount, 0);
    EXPECT_EQ(site.session().GroupNumber, 0);
}

TEST(FirstUsersFile, UnwritableDirectoryIsReported) {
    UsersSite site;
    site.session().dirs.SystemDir = site.systemDir() + "brak/";
    ScriptedPrompter prompter;
    EXPECT_FALSE(UsersStart::Load(site.session(), prompter, true, kToday));
    EXPECT_EQ(messages(prompter),
              (std::vector<Msg>{{"Błąd !", "Nie masz uprawnień do zapisu pliku z hasłami !"}}));
}
