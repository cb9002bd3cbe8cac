// A worker process for the index concurrency test: appends cards, edits their keys
// and deletes them in a shared table with a structural index, as a desktop does.
// Usage: index_child TABLE SEED OPERATIONS; prints the number of records it appended.
#include "Error.h"
#include "Table.h"

#include <cstdio>
#include <cstdlib>
#include <random>

using namespace xb;

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    std::mt19937 rng(static_cast<unsigned>(std::atoi(argv[2])));
    int operations = std::atoi(argv[3]);
    int appended = 0;
    try {
        auto t = Table::open(argv[1]);
        for (int i = 0; i < operations; ++i) {
            unsigned what = rng() % 10;
            uint32_t count = t->recordCount();
            if (what < 4 || count == 0) {
                Record r = t->blankRecord();
                r.set("NR_EW", static_cast<double>(rng() % 500));
                r.set("Z_DNIA", Date{2026, static_cast<int>(rng() % 12 + 1), static_cast<int>(rng() % 28 + 1)});
                r.set("NAZWISKO", "Pracownik " + std::to_string(rng() % 100));
                t->append(r);
                ++appended;
                continue;
            }
            uint32_t recno = rng() % count + 1;
            if (!t->tryLock(recno)) continue;  // another desktop edits it now
            if (what < 8) {
                Record r = t->read(recno);
                r.set("NR_EW", static_cast<double>(rng() % 500));
                r.set("NAZWISKO", "Zmieniony " + std::to_string(rng() % 100));
                t->write(recno, r);
            } else {
                t->setDeleted(recno, what == 8);
            }
            t->unlock(recno);
        }
    } catch (const Error& e) {
        std::fprintf(stderr, "index_child: %s [%d]\n", e.what(), e.number());
        return 1;
    }
    std::printf("%d\n", appended);
    return 0;
}
