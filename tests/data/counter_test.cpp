// NextCounter from four real processes at once: every number handed out is distinct,
// a refused open is reported as 7008, and the counter ends past every number given.
#include "Dataset.h"
#include "Fixture.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace ewidor;

TEST(NextCounter, FourProcessesNeverGetTheSameNumber) {
    test::Fixture f;
    std::string year = f.yearDir(2026);
    f.table("Licznik", year, {{{"ZLECENIA", 1.0}, {"URLOPY", 100.0}, {"ZWOLNIENIA", 1.0}}});
    std::string go = f.root() + "start";
    constexpr int kProcesses = 4, kAttempts = 60;

    std::vector<pid_t> pids;
    std::vector<std::string> outputs;
    for (int p = 0; p < kProcesses; ++p) {
        outputs.push_back(f.root() + "out" + std::to_string(p));
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outputs.back().c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::string attempts = std::to_string(kAttempts);
        char* args[] = {const_cast<char*>(COUNTER_HELPER), year.data(), const_cast<char*>("URLOPY"),
                        attempts.data(), go.data(), nullptr};
        pid_t pid;
        ASSERT_EQ(posix_spawn(&pid, COUNTER_HELPER, &actions, nullptr, args, environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        pids.push_back(pid);
    }
    std::ofstream(go) << "start";
    for (pid_t pid : pids) {
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    std::set<int> numbers;
    int given = 0, refused = 0;
    for (const auto& out : outputs) {
        std::ifstream in(out);
        std::string word;
        int value;
        while (in >> word >> value) {
            if (word == "OK") {
                ++given;
                EXPECT_TRUE(numbers.insert(value).second) << "number " << value << " handed out twice";
            } else {
                ++refused;
                EXPECT_EQ(value, 7008);
            }
        }
    }
    EXPECT_EQ(given + refused, kProcesses * kAttempts);
    EXPECT_GT(given, 0);
    xb::Dataset counters(year + "Licznik.dbf");
    counters.open();
    ASSERT_TRUE(counters.first());
    EXPECT_EQ(static_cast<int>(counters.number("URLOPY")), 100 + given);
    EXPECT_EQ(*numbers.begin(), 100);
    EXPECT_EQ(*numbers.rbegin(), 99 + given);  // no gaps: every number taken was handed out
}
