// The users file HasKarU: layout, scrambling, checksum, dates, positional writes and deletes.
#include "TempDir.h"
#include "UsersFile.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ewidor;
using namespace std::chrono;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

constexpr year_month_day kToday{year{2026} / December / 11};

UserRecord user(const std::string& sign, const std::string& first, const std::string& surname) {
    UserRecord u;
    u.Sign = sign;
    u.FirstName = first;
    u.Surname = surname;
    u.Password = "TAJNE1";
    u.Groups = "/001/017";
    u.rights.Kontrup = u.rights.MozeUrlopy = u.rights.EdycjaKwotBox = true;
    u.ValidFrom = year{2025} / March / 4;
    u.ValidTo = year{2027} / June / 30;
    u.HasEndDate = true;
    u.PasswordDate = year{2026} / November / 2;
    return u;
}

uint16_t wordAt(const std::string& bytes, size_t record, size_t k) {
    size_t at = record * UsersFile::kRecordSize + 2 * k;
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// Plain word k of record 0 from the raw bytes, undoing the scrambling by hand.
unsigned plainAt(const std::string& bytes, size_t k) {
    return static_cast<uint16_t>(wordAt(bytes, 0, k) -
                                 static_cast<unsigned char>(UsersFile::KeyBytes()[k]) - (k + 1));
}

} // namespace

TEST(UsersFile, KeyIsAThousandCharactersOfLowerCaseText) {
    const std::string& key = UsersFile::KeyBytes();
    ASSERT_EQ(key.size(), 1000u);
    for (char c : key)
        EXPECT_FALSE(c >= 'A' && c <= 'Z');
}

TEST(UsersFile, RecordWrittenAndReadBackIsEqual) {
    TempDir dir;
    std::string path = dir.file("HasKarU");
    UserRecord full = user("ABC", "Żaneta", "Źdźbło-Wąsowicz");
    full.rights = Rights{true, true, true, true, true, true, true, true, true, true, true, true};
    UserRecord open = user("KO", "Jan", "Kowalski");
    open.HasEndDate = false;
    open.ValidTo = year{2027} / December / 11; // no end date reads as today + 1 year
    ASSERT_TRUE(UsersFile::WriteUser(path, 0, full));
    ASSERT_TRUE(UsersFile::WriteUser(path, 1, open));
    EXPECT_EQ(std::filesystem::file_size(path), 2 * UsersFile::kRecordSize);
    std::vector<UserRecord> read;
    ASSERT_TRUE(UsersFile::LoadUsers(path, read, kToday));
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0], full);
    EXPECT_EQ(read[1], open);
}

TEST(UsersFile, WordsLieWhereTheLayoutPutsThem) {
    TempDir dir;
    std::string path = dir.file("HasKarU");
    ASSERT_TRUE(UsersFile::WriteUser(path, 0, user("AB", "Ola", "Nowak")));
    std::string bytes = readFile(path);
    EXPECT_EQ(plainAt(bytes, 0), unsigned('A'));
    EXPECT_EQ(plainAt(bytes, 1), unsigned('B'));
    EXPECT_EQ(plainAt(bytes, 2), 0u);
    EXPECT_EQ(plainAt(bytes, 3), 0u); // EdycjaZbior
    EXPECT_EQ(plainAt(bytes, 4), unsigned('O'));
    EXPECT_EQ(plainAt(bytes, 19), unsigned('T'));
    EXPECT_EQ(plainAt(bytes, 28), unsigned('N'));
    EXPECT_EQ(plainAt(bytes, 59), 1u); // Kontrup
    EXPECT_EQ(plainAt(bytes, 63), unsigned('/'));
    EXPECT_EQ(plainAt(bytes, 865), 1u); // MozeUrlopy
    EXPECT_EQ(plainAt(bytes, 868), 1u); // EdycjaKwotBox
    std::string from, to, pass;
    for (size_t k = 0; k < 7; ++k) {
        if (plainAt(bytes, 912 + k)) from += static_cast<char>(plainAt(bytes, 912 + k));
        if (plainAt(bytes, 919 + k)) to += static_cast<char>(plainAt(bytes, 919 + k));
        if (plainAt(bytes, 926 + k)) pass += static_cast<char>(plainAt(bytes, 926 + k));
    }
    EXPECT_EQ(from, "250304");
    EXPECT_EQ(to, "270630");
    EXPECT_EQ(pass, "261102");
    unsigned sum = 0;
    for (size_t k = 0; k < UsersFile::kWords; ++k)
        if (k != 871 && k != 911) sum += plainAt(bytes, k);
    EXPECT_EQ(plainAt(bytes, 871) * 62155 + plainAt(bytes, 911), sum);
    EXPECT_LT(plainAt(bytes, 911), 62155u);
}

TEST(UsersFile, ChangedChecksumWordMarksTheRecordDamagedButKeepsIt) {
    TempDir dir;
    std::string path = dir.file("HasKarU");
    UserRecord u = user("AB", "Ola", "Nowak");
    ASSERT_TRUE(UsersFile::WriteUser(path, 0, u));
    for (size_t word : {size_t{871}, size_t{911}}) {
        std::string bytes = readFile(path);
        std::string changed = bytes;
        changed[2 * word] = static_cast<char>(changed[2 * word] + 1);
        writeFile(path, changed);
        std::vector<UserRecord> read;
        ASSERT_TRUE(UsersFile::LoadUsers(path, read, kToday));
        ASSERT_EQ(read.size(), 1u);
        EXPECT_TRUE(read[0].Damaged) << word;
        read[0].Damaged = false;
        EXPECT_EQ(read[0], u);
        writeFile(path, bytes);
    }
}

TEST(UsersFile, ShortDateTextsReadAsTheDefaults) {
    TempDir dir;
    std::string path = dir.file("HasKarU");
    UsersFile::Words plain = UsersFile::PlainWords(user("AB", "Ola", "Nowak"));
    for (size_t k = 912; k < 933; ++k)
        plain[k] = 0;
    plain[912] = '2';
    plain[913] = '6'; // "26": too short to be a date
    plain[871] = plain[911] = 0;
    writeFile(path, UsersFile::ToBytes(UsersFile::Scramble(plain)));
    std::vector<UserRecord> read;
    ASSERT_TRUE(UsersFile::LoadUsers(path, read, year{2028} / February / 29));
    EXPECT_EQ(read[0].ValidFrom, year{2005} / January / 1);
    EXPECT_EQ(read[0].PasswordDate, year{2005} / January / 1);
    EXPECT_FALSE(read[0].HasEndDate);
    EXPECT_EQ(read[0].ValidTo, year{2029} / February / 28);
    EXPECT_TRUE(read[0].Damaged); // the checksum was left at 0
}

TEST(UsersFile, DeletingTheLastOfThreeShortensTheFileByOneRecord) {
    TempDir dir;
    std::string path = dir.file("HasKarU");
    std::vector<UserRecord> users = {user("AA", "Anna", "Adamska"), user("BB", "Bogdan", "Bielski"),
                                     user("CC", "Cezary", "Cichy")};
    for (size_t i = 0; i < users.size(); ++i)
        ASSERT_TRUE(UsersFile::WriteUser(path, i, users[i]));
    std::string before = readFile(path);
    ASSERT_TRUE(UsersFile::DeleteUser(path, 2));
    EXPECT_EQ(readFile(path), before.substr(0, 2 * UsersFile::kRecordSize));
    ASSERT_TRUE(UsersFile::WriteUser(path, 2, users[2]));
    ASSERT_TRUE(UsersFile::DeleteUser(path, 0));
    std::vector<UserRecord> read;
    ASSERT_TRUE(UsersFile::LoadUsers(path, read, kToday));
    EXPECT_EQ(read, std::vector<UserRecord>({users[1], users[2]}));
    EXPECT_FALSE(UsersFile::DeleteUser(path, 2));
}

TEST(UsersFile, FileOfAPartialRecordIsReportedAndNeverWritten) {
    TempDir dir;
    std::string path = dir.file("HasKarU");
    std::string bytes(UsersFile::kRecordSize - 1, '\x5a');
    writeFile(path, bytes);
    std::vector<UserRecord> read{user("XX", "X", "Y")};
    EXPECT_FALSE(UsersFile::LoadUsers(path, read, kToday));
    EXPECT_TRUE(read.empty());
    EXPECT_FALSE(UsersFile::WriteUser(path, 0, user("AB", "Ola", "Nowak")));
    EXPECT_FALSE(UsersFile::DeleteUser(path, 0));
    EXPECT_EQ(readFile(path), bytes);
    EXPECT_FALSE(UsersFile::LoadUsers(dir.file("missing"), read, kToday));
}

TEST(UsersFile, PositionalWriteRefusesWhenAnotherUserNowHoldsThePlace) {
    TempDir dir;
    std::string path = dir.file("HasKarU");
    ASSERT_TRUE(UsersFile::WriteUser(path, 0, user("AA", "Anna", "Adamska")));
    ASSERT_TRUE(UsersFile::WriteUser(path, 1, user("BB", "Bogdan", "Bielski")));
    EXPECT_FALSE(UsersFile::WriteUser(path, 3, user("DD", "Dawid", "Dudek"))); // beyond the end
    EXPECT_FALSE(UsersFile::WriteUser(path, 0, user("AA", "Anna", "Nowa"), "BB"));
    EXPECT_TRUE(UsersFile::WriteUser(path, 1, user("BB", "Bogdan", "Nowy"), "BB"));
    std::vector<UserRecord> read;
    ASSERT_TRUE(UsersFile::LoadUsers(path, read, kToday));
    EXPECT_EQ(read[0].Surname, "Adamska");
    EXPECT_EQ(read[1].Surname, "Nowy");
}

TEST(UsersFile, GarbageOfWholeRecordsReadsAsDamagedUsers) {
    TempDir dir;
    std::string path = dir.file("HasKarU");
    std::string bytes(3 * UsersFile::kRecordSize, '\0');
    uint32_t state = 12345;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    writeFile(path, bytes);
    std::vector<UserRecord> read;
    ASSERT_TRUE(UsersFile::LoadUsers(path, read, kToday));
    ASSERT_EQ(read.size(), 3u);
    for (const UserRecord& u : read) {
        EXPECT_TRUE(u.Damaged);
        EXPECT_LE(u.Sign.size(), 3u * 3); // three characters at most, each up to three UTF-8 bytes
        EXPECT_TRUE(u.ValidFrom.ok());
        EXPECT_TRUE(u.ValidTo.ok());
    }
}
