// The shared error handlers and the closed-month guard, with their exact texts.
#include "ClosedMonthGuard.h"
#include "DataErrors.h"
#include "Fixture.h"

#include <gtest/gtest.h>

using namespace ewidor;

TEST(DataErrors, LockedRecordAndOtherErrors) {
    xb::Error locked(xb::ErrorCode::RecordLocked, "Rekord zablokowany");
    EXPECT_EQ(EditErrorMessage(locked),
              (Message{"Konflikt sieciowy !", "     Operacja chwilowo niemożliwa !!\n"
                                              "Ta karta jest edytowana przez innego użytkownika !\n\n"
                                              "    Proszę spróbować za chwilę ..."}));
    xb::Error io(xb::ErrorCode::Io, "Błąd zapisu pliku");
    EXPECT_EQ(EditErrorMessage(io), (Message{"Błąd edycji !", "Błąd zapisu pliku\n  Błąd numer 6002"}));
    EXPECT_EQ(PostErrorMessage(locked), (Message{"Błąd zapisu !", "Rekord zablokowany\n  Błąd numer 5035"}));
}

TEST(ClosedMonthGuard, RefusesAClosedOrArchivedMonthUnlessSwitchedOff) {
    test::Fixture f;
    std::string year = f.yearDir(2006);
    f.table("NAG_PACZ", year, {{{"NUMER", 102.0}, {"STAN", std::string("Z")}},
                               {{"NUMER", 103.0}, {"STAN", std::string("A")}},
                               {{"NUMER", 104.0}, {"STAN", std::string("O")}}});
    ClosedMonthGuard guard;
    auto refused = guard.Check(year, 102, "Luty 2006");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->state, 'Z');
    EXPECT_EQ(refused->message, (Message{"Uwaga !", "Zapisanie zmian jest niemożliwe !\n\n"
                                                    "Inny użytkownik już zamknął Luty 2006 r. !"}));
    EXPECT_EQ(guard.Check(year, 103, "Marzec 2006")->state, 'A');
    EXPECT_FALSE(guard.Check(year, 104, "Kwiecień 2006"));
    EXPECT_FALSE(guard.Check(year, 105, "Maj 2006"));  // no header: open
    guard.setEnabled(false);
    EXPECT_FALSE(guard.Check(year, 102, "Luty 2006"));
}
