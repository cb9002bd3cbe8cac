#include "UsersFile.h"

#include "CodePage.h"
#include "Error.h"

#include <cstdio>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace ewidor {

using namespace std::chrono;

const char* const UsersFile::kScrambleKey =
    "nad rzeką stał stary młyn, a przy młynie rosła wierzba; wiatr szumiał w gałęziach, woda "
    "płynęła powoli ku morzu. rano przychodził młynarz, otwierał wrota i patrzył na niebo: cz"
    "y będzie deszcz, czy słońce? w południe jadł chleb z serem, pił mleko i liczył worki mąk"
    "i. wieczorem siadał na ławce przed domem, słuchał żab w stawie i świerszczy w trawie, a "
    "kot mruczał mu u nóg. zimą rzeka zamarzała, koło stało cicho, śnieg leżał na dachu, dzie"
    "ci ślizgały się po lodzie, psy szczekały we wsi. wiosną lody pękały z hukiem, woda wzbie"
    "rała, młyn znowu ruszał, kamienie mełły ziarno na drobną mąkę. latem pachniało sianem i "
    "lipą, pszczoły brzęczały nad łąką, bociany klekotały na kominie. jesienią liście spadały"
    " do wody, mgła snuła się nad brzegiem, gęsi leciały na południe. tak mijały lata, jedno "
    "po drugim; młynarz siwiał, wierzba rosła, rzeka płynęła dalej, a stary młyn trwał, choć "
    "deski skrzypiały i dach przeciekał. ktoś kiedyś powiedział, że czas jest jak woda: nie d"
    "a się go zatrzymać, można najwyż";

namespace {

struct TextField {
    size_t first, count;
};
constexpr TextField kSign{0, 3}, kFirstName{4, 15}, kPassword{19, 8}, kSurname{28, 30},
    kGroups{63, 800}, kValidFrom{912, 7}, kValidTo{919, 7}, kPasswordDate{926, 7};
constexpr size_t kHigh = 871, kLow = 911;

// Word of each right, in the order of Rights' members.
struct RightWord {
    bool Rights::*flag;
    size_t word;
};
constexpr RightWord kRightWords[] = {
    {&Rights::EdycjaZbior, 3}, {&Rights::Konfig, 27},        {&Rights::Centrala, 58},
    {&Rights::Kontrup, 59},    {&Rights::DoCentr, 60},       {&Rights::OtworzRok, 62},
    {&Rights::InterDost, 863}, {&Rights::MozePremie, 864},   {&Rights::MozeUrlopy, 865},
    {&Rights::FtpDost, 866},   {&Rights::Aktualizacja, 867}, {&Rights::EdycjaKwotBox, 868},
};

const xb::CodePage& cp1250() {
    return xb::CodePage::get(1250);
}

void putText(UsersFile::Words& w, TextField f, const std::string& utf8) {
    std::string bytes = cp1250().encode(utf8);
    for (size_t i = 0; i < f.count && i < bytes.size(); ++i)
        w[f.first + i] = static_cast<unsigned char>(bytes[i]);
}

std::string getText(const UsersFile::Words& w, TextField f) {
    std::string bytes;
    for (size_t i = 0; i < f.count; ++i)
        if (w[f.first + i] != 0) bytes += static_cast<char>(w[f.first + i] & 0xFF);
    return cp1250().decode(bytes);
}

std::string dateText(year_month_day d) {
    char s[16];
    std::snprintf(s, sizeof s, "%02d%02u%02u", static_cast<int>(d.year()) - 2000,
                  unsigned(d.month()), unsigned(d.day()));
    return s;
}

// Six digits as year - 2000, month, day; none when shorter or not a date.
std::optional<year_month_day> parseDate(const std::string& text) {
    if (text.size() < 6) return std::nullopt;
    int v[3];
    for (int i = 0; i < 3; ++i) {
        char a = text[2 * i], b = text[2 * i + 1];
        if (a < '0' || a > '9' || b < '0' || b > '9') return std::nullopt;
        v[i] = (a - '0') * 10 + (b - '0');
    }
    year_month_day d{year{2000 + v[0]} / month{static_cast<unsigned>(v[1])} /
                     day{static_cast<unsigned>(v[2])}};
    if (!d.ok()) return std::nullopt;
    return d;
}

uint32_t sumOf(const UsersFile::Words& w) {
    uint32_t n = 0;
    for (uint16_t x : w)
        n += x;
    return n;
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool ok() const { return fd_ >= 0; }
    // Size in records; none when not a whole number of records.
    std::optional<size_t> records() const {
        struct stat st {};
        if (::fstat(fd_, &st) != 0 || st.st_size % UsersFile::kRecordSize != 0) return std::nullopt;
        return static_cast<size_t>(st.st_size) / UsersFile::kRecordSize;
    }

private:
    int fd_;
};

bool readAll(int fd, std::string& bytes, off_t offset) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done,
                            offset + static_cast<off_t>(done));
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool writeAll(int fd, const std::string& bytes, off_t offset) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                             offset + static_cast<off_t>(done));
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

bool signAt(int fd, size_t position, size_t count, const std::string& sign) {
    if (position >= count) return false;
    std::string bytes(UsersFile::kRecordSize, '\0');
    if (!readAll(fd, bytes, static_cast<off_t>(position * UsersFile::kRecordSize))) return false;
    auto today = year_month_day{floor<days>(system_clock::now())};
    return UsersFile::Decode(UsersFile::FromBytes(bytes.data()), today).Sign == sign;
}

} // namespace

bool UserRecord::AllowsGroup(int number) const {
    char three[8];
    std::snprintf(three, sizeof three, "%.3d", number);
    return Groups.find(three) != std::string::npos;
}

const std::string& UsersFile::KeyBytes() {
    static const std::string bytes = cp1250().encode(kScrambleKey);
    return bytes;
}

year_month_day UsersFile::YearLater(year_month_day d) {
    year_month_day next = d + years{1};
    return next.ok() ? next : year_month_day{next.year() / next.month() / last};
}

UsersFile::Words UsersFile::PlainWords(const UserRecord& u) {
    Words w{};
    putText(w, kSign, u.Sign);
    putText(w, kFirstName, u.FirstName);
    putText(w, kPassword, u.Password);
    putText(w, kSurname, u.Surname);
    putText(w, kGroups, u.Groups);
    for (const RightWord& r : kRightWords)
        w[r.word] = u.rights.*r.flag ? 1 : 0;
    putText(w, kValidFrom, dateText(u.ValidFrom));
    if (u.HasEndDate) putText(w, kValidTo, dateText(u.ValidTo));
    putText(w, kPasswordDate, dateText(u.PasswordDate));
    uint32_t n = sumOf(w);
    w[kHigh] = static_cast<uint16_t>(n / kChecksumDivisor);
    w[kLow] = static_cast<uint16_t>(n % kChecksumDivisor);
    return w;
}

UsersFile::Words UsersFile::Scramble(const Words& plain) {
    const std::string& key = KeyBytes();
    Words w{};
    for (size_t k = 0; k < kWords; ++k)
        w[k] = static_cast<uint16_t>(plain[k] + static_cast<unsigned char>(key[k]) + (k + 1));
    return w;
}

UsersFile::Words UsersFile::Unscramble(const Words& stored) {
    const std::string& key = KeyBytes();
    Words w{};
    for (size_t k = 0; k < kWords; ++k)
        w[k] = static_cast<uint16_t>(stored[k] - static_cast<unsigned char>(key[k]) - (k + 1));
    return w;
}

UserRecord UsersFile::Decode(const Words& stored, year_month_day today) {
    Words w = Unscramble(stored);
    UserRecord u;
    u.Sign = xb::upperUtf8(getText(w, kSign));
    u.FirstName = getText(w, kFirstName);
    u.Password = getText(w, kPassword);
    u.Surname = getText(w, kSurname);
    u.Groups = getText(w, kGroups);
    for (const RightWord& r : kRightWords)
        u.rights.*r.flag = w[r.word] != 0;
    constexpr year_month_day kDefault{year{2005} / January / 1};
    u.ValidFrom = parseDate(getText(w, kValidFrom)).value_or(kDefault);
    u.PasswordDate = parseDate(getText(w, kPasswordDate)).value_or(kDefault);
    auto to = parseDate(getText(w, kValidTo));
    u.HasEndDate = to.has_value();
    u.ValidTo = to.value_or(YearLater(today));
    uint32_t expected = uint32_t{w[kHigh]} * kChecksumDivisor + w[kLow];
    u.Damaged = expected != sumOf(w) - w[kHigh] - w[kLow];
    return u;
}

std::string UsersFile::ToBytes(const Words& words) {
    std::string bytes(kRecordSize, '\0');
    for (size_t k = 0; k < kWords; ++k) {
        bytes[2 * k] = static_cast<char>(words[k] & 0xFF);
        bytes[2 * k + 1] = static_cast<char>(words[k] >> 8);
    }
    return bytes;
}

UsersFile::Words UsersFile::FromBytes(const char* bytes) {
    Words w{};
    for (size_t k = 0; k < kWords; ++k)
        w[k] = static_cast<uint16_t>(static_cast<unsigned char>(bytes[2 * k]) |
                                     (static_cast<unsigned char>(bytes[2 * k + 1]) << 8));
    return w;
}

bool UsersFile::LoadUsers(const std::string& path, std::vector<UserRecord>& users,
                          year_month_day today) {
    users.clear();
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.ok()) return false;
    auto count = fd.records();
    if (!count) return false;
    std::string bytes(*count * kRecordSize, '\0');
    if (!readAll(fd.get(), bytes, 0)) return false;
    users.reserve(*count);
    for (size_t i = 0; i < *count; ++i)
        users.push_back(Decode(FromBytes(bytes.data() + i * kRecordSize), today));
    return true;
}

namespace {
// The record's bytes; none when a character has no code in code page 1250.
std::optional<std::string> recordBytes(const UserRecord& user) {
    try {
        return UsersFile::ToBytes(UsersFile::Scramble(UsersFile::PlainWords(user)));
    } catch (const xb::Error&) {
        return std::nullopt;
    }
}
} // namespace

bool UsersFile::AppendUser(const std::string& path, const UserRecord& user) {
    auto bytes = recordBytes(user);
    Fd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0664));
    if (!bytes || !fd.ok()) return false;
    auto count = fd.records();
    return count && writeAll(fd.get(), *bytes, static_cast<off_t>(*count * kRecordSize));
}

bool UsersFile::WriteUser(const std::string& path, size_t position, const UserRecord& user,
                          const std::string& expectedSign) {
    auto bytes = recordBytes(user);
    Fd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0664));
    if (!bytes || !fd.ok()) return false;
    auto count = fd.records();
    if (!count || position > *count) return false;
    if (!expectedSign.empty() && !signAt(fd.get(), position, *count, expectedSign)) return false;
    return writeAll(fd.get(), *bytes, static_cast<off_t>(position * kRecordSize));
}

bool UsersFile::DeleteUser(const std::string& path, size_t position,
                           const std::string& expectedSign) {
    Fd fd(::open(path.c_str(), O_RDWR | O_CLOEXEC));
    if (!fd.ok()) return false;
    auto count = fd.records();
    if (!count || position >= *count) return false;
    if (!expectedSign.empty() && !signAt(fd.get(), position, *count, expectedSign)) return false;
    std::string tail((*count - position - 1) * kRecordSize, '\0');
    off_t at = static_cast<off_t>(position * kRecordSize);
    if (!readAll(fd.get(), tail, at + static_cast<off_t>(kRecordSize))) return false;
    if (!writeAll(fd.get(), tail, at)) return false;
    return ::ftruncate(fd.get(), static_cast<off_t>((*count - 1) * kRecordSize)) == 0;
}

} // namespace ewidor
