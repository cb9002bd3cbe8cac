// Several real processes on one table: appends never overwrite each other,
// edits under record locks lose no update, locks and exclusive opens are seen
// across processes, and a process killed while appending loses nothing it was told.
#include "Error.h"
#include "Table.h"
#include "TableCheck.h"
#include "EngineErrors.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

using namespace xb;
using testsupport::errorOf;
using testsupport::TempDir;

namespace {

// A child process running engine_child with pipes to its standard input and output.
class Child {
public:
    explicit Child(std::vector<std::string> args) {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0) throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(in[0], 0);
            dup2(out[1], 1);
            close(in[1]);
            close(out[0]);
            std::vector<char*> argv;
            std::string exe = ENGINE_CHILD;
            argv.push_back(exe.data());
            for (auto& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(exe.c_str(), argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        toChild_ = in[1];
        fromChild_ = fdopen(out[0], "r");
    }
    ~Child() {
        closeInput();
        if (pid_ > 0) wait();
        if (fromChild_) fclose(fromChild_);
    }
    // Reads one line of the child's output ("" at end).
    std::string readLine() {
        char buf[256];
        if (!fgets(buf, sizeof buf, fromChild_)) return "";
        std::string s(buf);
        if (!s.empty() && s.back() == '\n') s.pop_back();
        return s;
    }
    void closeInput() {
        if (toChild_ >= 0) close(toChild_);
        toChild_ = -1;
    }
    void kill() { ::kill(pid_, SIGKILL); }
    int wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

private:
    pid_t pid_ = -1;
    int toChild_ = -1;
    FILE* fromChild_ = nullptr;
};

std::string makeTable(const TempDir& dir, bool structuralIndex) {
    std::string path = dir.file("KARTY.DBF");
    CreateOptions o;
    o.structuralIndex = structuralIndex;
    Table::create(path, parseFieldList("PROC,Numeric,3,0;SEQ,Numeric,8,0;LICZNIK,Numeric,8,0;OPIS,Character,40;"), o);
    return path;
}

} // namespace

class ConcurrentWriters : public ::testing::TestWithParam<bool> {};

TEST_P(ConcurrentWriters, AppendsAndLockedEditsLoseNothing) {
    TempDir dir;
    std::string path = makeTable(dir, GetParam());
    {
        auto t = Table::open(path);
        for (int i = 0; i < 10; ++i) t->append(t->blankRecord());  // the edited records
    }
    const int appenders = 4, perAppender = 2000, editors = 2, perEditor = 1500;
    std::vector<std::unique_ptr<Child>> children;
    for (int p = 1; p <= appenders; ++p)
        children.push_back(std::make_unique<Child>(std::vector<std::string>{"append", path, std::to_string(p), std::to_string(perAppender)}));
    for (int e = 0; e < editors; ++e)
        children.push_back(std::make_unique<Child>(std::vector<std::string>{"increment", path, std::to_string(perEditor), std::to_string(e + 7)}));
    for (auto& c : children) EXPECT_EQ(c->wait(), 0);

    auto t = Table::open(path);
    ASSERT_EQ(t->recordCount(), 10u + appenders * perAppender);
    EXPECT_EQ(t->file().size(), 32u + 4 * 32 + 1 + (10u + appenders * perAppender) * t->schema().recordLength() + 1);
    std::map<int, std::set<int>> seen;
    double increments = 0;
    t->scan([&](uint32_t, const char* bytes) {
        Record r(t->schemaPtr(), std::string(bytes, t->schema().recordLength()));
        increments += r.number("LICZNIK");
        if (r.number("PROC") > 0) {
            bool fresh = seen[static_cast<int>(r.number("PROC"))].insert(static_cast<int>(r.number("SEQ"))).second;
            EXPECT_TRUE(fresh);
        }
        return true;
    });
    EXPECT_EQ(increments, editors * perEditor);
    for (int p = 1; p <= appenders; ++p) EXPECT_EQ(seen[p].size(), static_cast<size_t>(perAppender)) << p;
    EXPECT_TRUE(checkTable(path).ok());
}

INSTANTIATE_TEST_SUITE_P(BothLockSchemes, ConcurrentWriters, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "FoxPro" : "Clipper"; });

TEST(ProcessLocks, RecordLocksAndExclusiveOpensAreSeenAcrossProcesses) {
    TempDir dir;
    std::string path = makeTable(dir, true);
    Table::open(path)->append(Table::open(path)->blankRecord());
    {
        Child holder({"hold-lock", path, "1"});
        ASSERT_EQ(holder.readLine(), "locked");
        auto t = Table::open(path);
        EXPECT_EQ(errorOf([&] { t->lock(1); }), ErrorCode::RecordLocked);
        holder.closeInput();
        EXPECT_EQ(holder.wait(), 0);
        t->lock(1);  // free again once the holder is gone
    }
    {
        Child shared({"hold-open", path, "shared"});
        ASSERT_EQ(shared.readLine(), "open");
        OpenOptions excl;
        excl.exclusive = true;
        EXPECT_EQ(errorOf([&] { Table::open(path, excl); }), ErrorCode::TableInUse);
    }
    {
        Child exclusive({"hold-open", path, "excl"});
        ASSERT_EQ(exclusive.readLine(), "open");
        EXPECT_EQ(errorOf([&] { Table::open(path); }), ErrorCode::TableInUse);
    }
    EXPECT_NO_THROW(Table::open(path));
}

TEST(CrashSafety, KilledAppenderLeavesEveryReturnedRecord) {
    TempDir dir;
    std::string path = makeTable(dir, false);
    for (int round = 0; round < 5; ++round) {
        Child writer({"append-forever", path});
        std::string last;
        int lines = 0;
        // Kill it at a different moment each round.
        for (int wanted = 200 + round * 377; lines < wanted; ++lines) last = writer.readLine();
        writer.kill();
        EXPECT_EQ(writer.wait(), -SIGKILL);
        uint32_t lastRecno = static_cast<uint32_t>(std::stoul(last.substr(0, last.find(' '))));
        int lastSeq = std::stoi(last.substr(last.find(' ') + 1));

        CheckReport report = checkTable(path);
        EXPECT_TRUE(report.ok()) << (report.problems.empty() ? "" : report.problems[0]);
        auto t = Table::open(path);
        ASSERT_GE(t->recordCount(), lastRecno);
        EXPECT_EQ(t->read(lastRecno).number("SEQ"), lastSeq);
        EXPECT_EQ(t->read(lastRecno - lastSeq + 1).number("SEQ"), 1);
    }
}
