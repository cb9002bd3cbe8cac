// Which commands a signed-in user may choose.
#include "UserMenuRules.h"
#include "UsersSite.h"

#include <gtest/gtest.h>

using namespace ewidor;
using namespace userstest;

namespace {

struct Probe {
    MenuState m;
    bool on(const char* name) const { return !m.disabled.count(name) && !m.hidden.count(name); }
};

Session signedIn(const UserRecord& user, bool rightsValid, int groupCount, int group) {
    Session s;
    s.State = InstallState::Configured;
    s.Users = {user};
    s.CurrentUser = 0;
    s.RightsValid = rightsValid;
    s.GroupCount = groupCount;
    s.GroupNumber = group;
    s.EventLogKept = true;
    s.StaffCheckOk = true;  // the staff check passed; its own cases are in the window's menu test
    return s;
}

} // namespace

TEST(UserMenuRules, NobodySignedInLeavesTheSystemMenuAndRenovation) {
    Session s;
    s.State = InstallState::Configured;
    Probe p{UserMenuRules::Evaluate(s)};
    for (const char* name : {"Edycja", "Miesiac", "Przeglad", "ZmianaHasla", "Uzytkownicy",
                             "WyborGrupy", "Konfiguracja"})
        EXPECT_FALSE(p.on(name)) << name;
    for (const char* name : {"System", "Renowacja", "Wejscie", "KoniecPracy"})
        EXPECT_TRUE(p.on(name)) << name;
    s.State = InstallState::NotConfigured;
    EXPECT_TRUE(Probe{UserMenuRules::Evaluate(s)}.on("Konfiguracja"));
}

TEST(UserMenuRules, RightsValidityAndGroupsDecide) {
    UserRecord clerk = makeUser("AA", "HASLO1");
    clerk.rights.MozeUrlopy = true;
    UserRecord admin = makeUser("AD", "HASLO1");
    admin.rights =
        Rights{true, false, true, true, true, false, false, false, false, false, false, false};
    struct Case {
        const char* what;
        Session session;
        std::vector<const char*> on, off;
    } cases[] = {
        {"clerk with one group",
         signedIn(clerk, true, 1, 17),
         {"Edycja", "EdycjaKart", "Miesiac", "Katalog", "EdycjaUrlopow", "Przeglad", "ZmianaHasla",
          "System"},
         {"Uzytkownicy", "LogAdministracja", "Konfiguracja", "WyborGrupy", "OtwarcieRoku",
          "Renowacja", "Premie"}},
        {"clerk whose rights ended",
         signedIn(clerk, false, 1, 17),
         {"Przeglad", "Wydruki", "ZmianaHasla"},
         {"Edycja", "Miesiac", "Katalog", "EdycjaUrlopow"}},
        {"clerk before choosing among two groups",
         signedIn(clerk, true, 2, 0),
         {"WyborGrupy", "PrzegladUrlopow"},
         {"Edycja", "Przeglad", "Wydruki", "Miesiac"}},
        {"administrator without groups",
         signedIn(admin, true, 0, 0),
         {"Uzytkownicy", "LogAdministracja", "Konfiguracja", "OtwarcieRoku", "System"},
         {"WyborGrupy", "Edycja", "Przeglad", "KopiowanieZbiorow", "Renowacja"}},
    };
    for (const Case& c : cases) {
        Probe p{UserMenuRules::Evaluate(c.session)};
        for (const char* name : c.on)
            EXPECT_TRUE(p.on(name)) << c.what << ": " << name;
        for (const char* name : c.off)
            EXPECT_FALSE(p.on(name)) << c.what << ": " << name;
    }
}

TEST(UserMenuRules, ServiceSignOpensUsersGroupsAndSystem) {
    Session s = signedIn(makeUser("AA", "HASLO1"), true, 3, 0);
    s.ServiceSignIn = true;
    Probe p{UserMenuRules::Evaluate(s)};
    for (const char* name : {"Uzytkownicy", "WyborGrupy", "System"})
        EXPECT_TRUE(p.on(name)) << name;
}
