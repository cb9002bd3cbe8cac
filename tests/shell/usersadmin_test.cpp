// The users and rights window's rules through the scripted prompter.
#include "ScriptedPrompter.h"
#include "UsersAdmin.h"
#include "UsersFile.h"
#include "UsersSite.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ewidor;
using namespace userstest;
using namespace std::chrono;

namespace {

struct UsersAdminTest : ::testing::Test {
    UsersSite site;
    ScriptedPrompter prompter;
    UsersAdmin admin{site.session(), prompter};
    void SetUp() override {
        UserRecord boss = makeUser("SZ", "SZEF01", "/001/017");
        boss.rights.Kontrup = true;
        site.setUsers({boss, makeUser("AB", "HASLO2", "/023")});
        ASSERT_TRUE(admin.Open(kToday));
    }
    UserDraft valid() const {
        UserDraft d = admin.NewDraft(kToday);
        d.user.FirstName = "ewa";
        d.user.Surname = "łęcka";
        d.user.Sign = "ew";
        d.user.Password = "tajne";
        d.allowed = {23, 1};
        d.passwordChanged = true;
        return d;
    }
    std::vector<UserRecord> stored() const {
        std::vector<UserRecord> users;
        EXPECT_TRUE(UsersFile::LoadUsers(site.usersPath(), users, kToday));
        return users;
    }
};

} // namespace

TEST_F(UsersAdminTest, SaveChecksInOrderWithTheirMessages) {
    struct Case {
        std::function<void(UserDraft&)> change;
        Msg message;
    } cases[] = {
        {[](UserDraft& d) { d.user.FirstName.clear(), d.user.Surname.clear(); },
         {"Błąd !", "Proszę wypełnić imię !"}},
        {[](UserDraft& d) { d.user.Surname.clear(), d.user.Sign.clear(); },
         {"Błąd !", "Proszę wypełnić nazwisko !"}},
        {[](UserDraft& d) { d.user.Sign.clear(), d.user.Password.clear(); },
         {"Błąd !", "Proszę wypełnić znak !"}},
        {[](UserDraft& d) { d.user.Sign = "ab", d.user.Password.clear(); },
         {"Uwaga !", "Znak \"AB\" posiada już inny użytkownik !\n\nProszę wpisać inny znak !"}},
        {[](UserDraft& d) { d.user.Password.clear(); }, {"Błąd !", "Proszę wypełnić hasło !"}},
        {[](UserDraft& d) { d.user.Password = "ABCD"; },
         {"Uwaga !", "Hasło musi zawierać conajmniej 5 znaków !"}},
        {[](UserDraft& d) {
             d.user.HasEndDate = true;
             d.user.ValidTo = year{2026} / December / 10;
             d.allowed.clear();
         },
         {"Uwaga !", "Data nabycia uprawnień nie może być póżniejsza niż data ich utraty !"}},
        {[](UserDraft& d) { d.allowed.clear(); },
         {"Uwaga !",
          "Należy użytkownikowi nadać uprawnienia\n co najmniej do jednej grupy, lub go usunąć !"}},
    };
    for (const Case& c : cases) {
        ScriptedPrompter p;
        UsersAdmin a(site.session(), p);
        ASSERT_TRUE(a.Open(kToday));
        UserDraft d = valid();
        c.change(d);
        EXPECT_EQ(a.Save(-1, d, kToday), -1) << c.message.second;
        EXPECT_EQ(messages(p), std::vector<Msg>{c.message});
    }
    EXPECT_EQ(stored().size(), 2u);
}

TEST_F(UsersAdminTest, NewUserIsAppendedAsTheRulesShapeIt) {
    int index = admin.Save(-1, valid(), kToday);
    ASSERT_EQ(index, 2);
    EXPECT_TRUE(messages(prompter).empty());
    UserRecord u = stored().at(2);
    EXPECT_EQ(u.FirstName, "Ewa");
    EXPECT_EQ(u.Surname, "łęcka"); // only a to z are capitalised
    EXPECT_EQ(u.Sign, "EW");
    EXPECT_EQ(u.Password, "TAJNE");
    EXPECT_EQ(u.Groups, "/023/001"); // in the group list's (name) order
    EXPECT_EQ(u.PasswordDate, kToday);
    EXPECT_EQ(u.ValidFrom, kToday);
    EXPECT_FALSE(u.HasEndDate);
    EXPECT_EQ(admin.Users(), stored());
}

TEST_F(UsersAdminTest, EditingKeepsThePasswordDateUnlessThePasswordChanged) {
    UserRecord before = stored().at(1);
    UserDraft d = admin.EditDraft(1);
    EXPECT_EQ(d.allowed, std::vector<int>{23});
    d.user.Surname = "Zmieniony";
    ASSERT_EQ(admin.Save(1, d, year{2027} / March / 1), 1);
    EXPECT_EQ(stored().at(1).PasswordDate, before.PasswordDate);
    EXPECT_EQ(stored().at(1).Surname, "Zmieniony");
    d = admin.EditDraft(1);
    d.user.Password = "NOWE77";
    d.passwordChanged = true;
    ASSERT_EQ(admin.Save(1, d, year{2027} / March / 1), 1);
    EXPECT_EQ(stored().at(1).PasswordDate, year{2027} / March / 1);
}

TEST_F(UsersAdminTest, LastHolderOfKontrupKeepsTheRightAndItsDates) {
    EXPECT_EQ(admin.KontrupHolders(), 1);
    EXPECT_TRUE(admin.KontrupLocked(0));
    EXPECT_FALSE(admin.KontrupLocked(1));
    UserRecord before = stored().at(0);
    UserDraft d = admin.EditDraft(0);
    d.user.rights.Kontrup = false;
    d.user.ValidFrom = year{2026} / December / 1;
    d.user.HasEndDate = true;
    d.user.ValidTo = year{2026} / December / 31;
    d.user.rights.Konfig = true;
    ASSERT_EQ(admin.Save(0, d, kToday), 0);
    UserRecord after = stored().at(0);
    EXPECT_TRUE(after.rights.Kontrup);
    EXPECT_TRUE(after.rights.Konfig);
    EXPECT_EQ(after.ValidFrom, before.ValidFrom);
    EXPECT_EQ(after.ValidTo, before.ValidTo);
    EXPECT_FALSE(admin.Delete(0, kToday));
    EXPECT_EQ(messages(prompter),
              (std::vector<Msg>{{"Uwaga !", "ImięSZ NazwiskoSZ posiada prawo do kontroli uprawnień "
                                            "użytkowników!\n\nNie można usunąć ostatniego "
                                            "użytkownika z takim uprawnieniem !"}}));
}

TEST_F(UsersAdminTest, GroupsSplitIntoAllowedAndUnavailable) {
    auto names = [](const std::vector<GroupEntry>& groups) {
        std::string out;
        for (const auto& g : groups)
            out += g.Three() + " " + g.name + ";";
        return out;
    };
    auto [allowed, others] = admin.Split(admin.Users()[0].Groups);
    EXPECT_EQ(names(allowed), "017 Elektrycy;001 Mechanicy;");
    EXPECT_EQ(names(others), "023 Biuro;");
    EXPECT_EQ(names(admin.Split("").second), "023 Biuro;017 Elektrycy;001 Mechanicy;");
}

TEST_F(UsersAdminTest, DeletingAsksThenRemovesTheUser) {
    prompter.AnswerAsk(false);
    EXPECT_FALSE(admin.Delete(1, kToday));
    prompter.AnswerAsk(true);
    EXPECT_TRUE(admin.Delete(1, kToday));
    EXPECT_EQ(prompter.entries()[0].title, "Usuwanie użytkownika !");
    EXPECT_EQ(prompter.entries()[0].text, "Czy na pewno usunąć użytkownika ImięAB NazwiskoAB  ?");
    EXPECT_TRUE(prompter.entries()[0].defaultNo);
    EXPECT_EQ(messages(prompter),
              (std::vector<Msg>{{"Uwaga !", "Usunięto użytkownika ImięAB NazwiskoAB  !"}}));
    EXPECT_EQ(stored().size(), 1u);
    EXPECT_EQ(admin.Users().size(), 1u);
}

TEST_F(UsersAdminTest, ChangesByAnotherDesktopAreNotOverwritten) {
    ASSERT_TRUE(UsersFile::DeleteUser(site.usersPath(), 0)); // the list on screen is now stale
    UserDraft d = admin.EditDraft(1);
    d.user.Surname = "Zmieniony";
    EXPECT_EQ(admin.Save(1, d, kToday), -1);
    prompter.AnswerAsk(true);
    EXPECT_FALSE(admin.Delete(1, kToday));
    EXPECT_EQ(messages(prompter),
              (std::vector<Msg>{{"Błąd !", "Nie zapisano zmian !"},
                                {"Uwaga !", "Nie usunięto użytkownika ImięAB NazwiskoAB  !\n"
                                            "Proszę powiadomić administratora systemu !"}}));
    ASSERT_EQ(stored().size(), 1u);
    EXPECT_EQ(stored()[0].Surname, "NazwiskoAB");
}

TEST_F(UsersAdminTest, DamagedFileClosesTheWindow) {
    testsupport::writeFile(site.usersPath(), std::string(100, 'x'));
    ScriptedPrompter p;
    UsersAdmin a(site.session(), p);
    EXPECT_FALSE(a.Open(kToday));
    EXPECT_EQ(
        messages(p),
        (std::vector<Msg>{
            {"Uwaga !", "Operacja chwilowo niemożliwa - Ktoś inny modyfikuje użytkowników !"}}));
}
