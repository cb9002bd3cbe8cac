// Flag files across real processes: a flag held by a running program refuses the
// group choice; the leftover of a program killed while holding it is removed.
#include "Error.h"
#include "FlagFile.h"
#include "SessionControl.h"
#include "SessionSite.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ewidor;
using namespace sessiontest;

namespace {

// The helper holding a flag, started and waited for until it holds it.
class Holder {
public:
    Holder(const std::string& root, const char* kind) {
        int fds[2];
        EXPECT_EQ(::pipe(fds), 0);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            ::execl(FLAGHOLDER_HELPER, FLAGHOLDER_HELPER, root.c_str(), kind, static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(fds[1]);
        char buffer[16] = {};
        ssize_t n = ::read(fds[0], buffer, sizeof buffer - 1);
        ::close(fds[0]);
        ready_ = n > 0 && std::string(buffer).rfind("ready", 0) == 0;
    }
    ~Holder() { kill(); }
    bool ready() const { return ready_; }
    // Killed without any chance to clean up.
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

const char* kRenovationBusy = "Chwilowy brak dostępu do zbiorów danych.\n"
                              "Inny użytkownik wykonuje renowację systemu !\n\n"
                              "  Można chwilę zaczekać i powtórzyć operację ...";

} // namespace

TEST(FlagFile, HeldByAnotherProcessRefusesTheGroupThenItsLeftoverIsRemoved) {
    SessionSite site;
    int beeps = 0;
    SessionControl control(site.session, site.data, site.prompter, site.wait, [&] { ++beeps; });
    ASSERT_TRUE(control.SelectYear(2026, false));
    const std::string flag = site.fx.root() + "FLAGA.!!!";
    Holder holder(site.fx.root(), "renowacja");
    ASSERT_TRUE(holder.ready());
    ASSERT_TRUE(std::filesystem::exists(flag));

    EXPECT_FALSE(control.SelectGroup({7, "Wydział siódmy", "L07", "01"}));
    ASSERT_EQ(site.prompter.messages().size(), 1u);
    EXPECT_EQ(site.prompter.messages()[0].title, "Konflikt sieciowy !");
    EXPECT_EQ(site.prompter.messages()[0].text, kRenovationBusy);
    EXPECT_EQ(beeps, 1);
    EXPECT_EQ(site.session.GroupNumber, 0);
    EXPECT_TRUE(std::filesystem::exists(flag));

    holder.kill();
    ASSERT_TRUE(std::filesystem::exists(flag));  // the dead program left it behind
    EXPECT_TRUE(control.SelectGroup({7, "Wydział siódmy", "L07", "01"}));
    EXPECT_EQ(site.session.GroupNumber, 7);
    EXPECT_FALSE(std::filesystem::exists(flag));
    for (size_t i = 1; i < site.prompter.messages().size(); ++i)
        EXPECT_NE(site.prompter.messages()[i].title, "Konflikt sieciowy !");
    EXPECT_EQ(beeps, 1);
}

TEST(FlagFile, LoadFlagAndTheYearSelection) {
    SessionSite site;
    SessionControl control(site.session, site.data, site.prompter, site.wait);
    Holder holder(site.fx.root(), "centrala");
    ASSERT_TRUE(holder.ready());
    EXPECT_EQ(control.CheckFlagFile(FlagKind::HqLoad), FlagState::Busy);
    EXPECT_EQ(site.prompter.messages().back().text,
              "       Brak dostępu do zbiorów danych.\nInny użytkownik wykonuje wczytanie zbiorów centrali !");
    EXPECT_EQ(control.CheckFlagFile(FlagKind::Renovation), FlagState::Free);
    // Holding the flag twice is refused, also within one process.
    EXPECT_THROW(FlagFile::Hold(site.fx.root(), FlagKind::HqLoad), xb::Error);
    {
        Holder renovation(site.fx.root(), "renowacja");
        ASSERT_TRUE(renovation.ready());
        EXPECT_FALSE(control.SelectYear(2026, true));
        EXPECT_EQ(site.session.SelectedYear, 0);
    }
    EXPECT_TRUE(control.SelectYear(2026, true));
    EXPECT_FALSE(control.SelectYear(2026, true));  // the same year again does nothing
}

TEST(FlagFile, HoldRemovesItsFlag) {
    SessionSite site;
    const std::string path = FlagFile::Path(site.fx.root(), FlagKind::Renovation);
    {
        auto flag = FlagFile::Hold(site.fx.root(), FlagKind::Renovation);
        EXPECT_TRUE(std::filesystem::exists(path));
        EXPECT_EQ(FlagFile::Test(site.fx.root(), FlagKind::Renovation), FlagState::Busy);
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}
