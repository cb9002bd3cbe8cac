// Feeds arbitrary bytes to the users file decoder, record by record, and to the
// loader through a real file. Must never crash or hang.
#include "UsersFile.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using ewidor::UsersFile;
    const std::chrono::year_month_day today{std::chrono::year{2026}, std::chrono::month{12}, std::chrono::day{11}};
    for (size_t at = 0; at + UsersFile::kRecordSize <= size; at += UsersFile::kRecordSize)
        (void)UsersFile::Decode(UsersFile::FromBytes(reinterpret_cast<const char*>(data + at)), today);
    char path[] = "/tmp/fuzz-haskaru-XXXXXX";
    int fd = mkstemp(path);
    if (fd < 0) return 0;
    if (write(fd, data, size) == static_cast<ssize_t>(size)) {
        std::vector<ewidor::UserRecord> users;
        (void)UsersFile::LoadUsers(path, users, today);
    }
    close(fd);
    unlink(path);
    return 0;
}
