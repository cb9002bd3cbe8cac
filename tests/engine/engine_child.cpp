// A separate process for the engine's multi-process tests. Modes:
//   append TABLE PROC COUNT     append COUNT records (PROC, SEQ), one append call each
//   increment TABLE COUNT SEED  add 1 to LICZNIK of random records under record locks
//   hold-lock TABLE RECNO       lock a record, print "locked", wait for end of input
//   hold-open TABLE excl|shared open the table, print "open", wait for end of input
//   append-forever TABLE        append until killed, printing each returned record number
#include "Error.h"
#include "Table.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <random>
#include <string>
#include <thread>

using namespace xb;

namespace {

void waitForEndOfInput() {
    std::string line;
    while (std::getline(std::cin, line)) {
    }
}

int append(const std::string& path, int proc, int count) {
    auto t = Table::open(path);
    for (int seq = 1; seq <= count; ++seq) {
        Record r = t->blankRecord();
        r.set("PROC", static_cast<double>(proc));
        r.set("SEQ", static_cast<double>(seq));
        t->append(r);
    }
    return 0;
}

int increment(const std::string& path, int count, unsigned seed) {
    auto t = Table::open(path);
    std::mt19937 random(seed);
    uint32_t records = 10;  // the seeded records carry the counters
    for (int done = 0; done < count;) {
        uint32_t recno = 1 + random() % records;
        if (!t->tryLock(recno)) {
            std::this_thread::yield();
            continue;  // another editor holds it: try another record
        }
        Record r = t->read(recno);
        r.set("LICZNIK", r.number("LICZNIK") + 1);
        t->write(recno, r);
        t->unlock(recno);
        ++done;
    }
    return 0;
}

int holdLock(const std::string& path, uint32_t recno) {
    auto t = Table::open(path);
    t->lock(recno);
    std::cout << "locked" << std::endl;
    waitForEndOfInput();
    return 0;
}

int holdOpen(const std::string& path, bool exclusive) {
    OpenOptions o;
    o.exclusive = exclusive;
    auto t = Table::open(path, o);
    std::cout << "open" << std::endl;
    waitForEndOfInput();
    return 0;
}

int appendForever(const std::string& path) {
    auto t = Table::open(path);
    for (int seq = 1;; ++seq) {
        Record r = t->blankRecord();
        r.set("PROC", 1.0);
        r.set("SEQ", static_cast<double>(seq));
        uint32_t recno = t->append(r);
        std::printf("%u %d\n", recno, seq);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::string mode = argv[1], path = argv[2];
    try {
        if (mode == "append" && argc == 5) return append(path, std::atoi(argv[3]), std::atoi(argv[4]));
        if (mode == "increment" && argc == 5) return increment(path, std::atoi(argv[3]), static_cast<unsigned>(std::atoi(argv[4])));
        if (mode == "hold-lock" && argc == 4) return holdLock(path, static_cast<uint32_t>(std::atoi(argv[3])));
        if (mode == "hold-open" && argc == 4) return holdOpen(path, std::strcmp(argv[3], "excl") == 0);
        if (mode == "append-forever") return appendForever(path);
    } catch (const Error& e) {
        std::cerr << "engine_child: " << e.what() << " [" << e.number() << "]\n";
        return 3;
    }
    return 2;
}
