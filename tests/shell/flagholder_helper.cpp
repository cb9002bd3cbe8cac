// Holds a flag file as a renovation does: creates it, locks it, says "ready" and
// waits to be killed. Arguments: the data root, "renowacja" or "centrala".
#include "FlagFile.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    auto kind = std::strcmp(argv[2], "centrala") == 0 ? ewidor::FlagKind::HqLoad : ewidor::FlagKind::Renovation;
    auto flag = ewidor::FlagFile::Hold(argv[1], kind);
    std::puts("ready");
    std::fflush(stdout);
    for (;;) ::pause();
}
