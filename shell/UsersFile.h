#pragma once
// The users file HasKarU: fixed records without a header, one per user, each 963
// little-endian 16-bit words (1926 bytes). Record n is user n of the list.
//
// Word layout before scrambling (index from 0): 0-2 sign; 3 EdycjaZbior; 4-18 first
// name; 19-26 password; 27 Konfig; 28-57 surname; 58 Centrala; 59 Kontrup; 60 DoCentr;
// 61 reserved (0); 62 OtworzRok; 63-862 allowed groups; 863 InterDost; 864 MozePremie;
// 865 MozeUrlopy; 866 FtpDost; 867 Aktualizacja; 868 EdycjaKwotBox; 869-870 reserved
// flags; 871 checksum high; 872-873 reserved (0); 874-910 reserved text; 911 checksum
// low; 912-918 valid from; 919-925 valid to (empty: no end date); 926-932 password
// date; 933-962 reserved text. Text fields hold one code-page-1250 character per word,
// zero words after the text. Dates are six digits: year - 2000, month, day.
//
// Scrambling: with words 871 and 911 at 0, N = the sum of all plain words; word 871 =
// N div 62155, word 911 = N mod 62155; stored word k = plain word k + key character k
// + (k + 1), the key being kScrambleKey (1000 characters of code page 1250, the first
// 963 used). The key can never change: installations hold files scrambled with it.
//
// Concurrency: the file is opened for each read or write and closed at once; writes
// are single-record positional writes. A file whose size is not a whole number of
// records is reported and never written.
#include "UserRecord.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace ewidor {

class UsersFile {
public:
    static constexpr size_t kWords = 963;
    static constexpr size_t kRecordSize = 2 * kWords;
    static constexpr unsigned kChecksumDivisor = 62155;
    using Words = std::array<uint16_t, kWords>;

    // The key text (UTF-8) and its code-page-1250 bytes (exactly 1000).
    static const char* const kScrambleKey;
    static const std::string& KeyBytes();

    // Plain words of a record, checksum included, and their scrambled form.
    static Words PlainWords(const UserRecord& user);
    static Words Scramble(const Words& plain);
    static Words Unscramble(const Words& stored);
    // Decodes a stored (scrambled) record; `today` gives the dates of an empty date text.
    static UserRecord Decode(const Words& stored, std::chrono::year_month_day today);
    static std::string ToBytes(const Words& words);
    static Words FromBytes(const char* bytes);
    // The day a year after `day` (28 February for 29 February): valid to without an end date.
    static std::chrono::year_month_day YearLater(std::chrono::year_month_day day);

    // Reads the whole file into `users`; false (and `users` empty) when it cannot be
    // read or its size is not a whole number of records.
    static bool LoadUsers(const std::string& path, std::vector<UserRecord>& users,
                          std::chrono::year_month_day today);
    // Writes `user` at `position`; the position just past the last record appends.
    // False when the file cannot be opened or written, is damaged, or the position
    // lies beyond its end. With `expectedSign`, also false unless the record now at
    // `position` carries that sign: another workstation may have deleted a user since
    // the list was read, and a positional write would then replace somebody else.
    static bool WriteUser(const std::string& path, size_t position, const UserRecord& user,
                          const std::string& expectedSign = {});
    // Writes `user` after the last record the file holds now.
    static bool AppendUser(const std::string& path, const UserRecord& user);
    // Moves every later record one place down and truncates the file by one record.
    // With `expectedSign`, false unless the record at `position` carries that sign.
    static bool DeleteUser(const std::string& path, size_t position,
                           const std::string& expectedSign = {});
};

} // namespace ewidor
