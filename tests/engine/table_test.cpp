// Tables on disk: creation, values, appends, edits, deletion, pack, zap,
// structure changes, code pages, locks within one process and damaged files.
#include "Dataset.h"
#include "Error.h"
#include "RawMatcher.h"
#include "Table.h"
#include "EngineErrors.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace xb;
using testsupport::errorOf;
using testsupport::TempDir;

namespace {

const char* kLogFields = "Dnia,Date;Czas,Character,5;Uzytkownik,Character,25;ID_ZD,Numeric,3,0;";

std::unique_ptr<Table> makeTable(const TempDir& dir, const std::string& name, const std::string& fields,
                                 int codePage = 852) {
    CreateOptions o;
    o.codePage = codePage;
    Table::create(dir.file(name), parseFieldList(fields), o);
    return Table::open(dir.file(name));
}

} // namespace

TEST(FieldList, ParsesTheSystemForm) {
    auto f = parseFieldList(kLogFields);
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[0].name, "DNIA");
    EXPECT_EQ(f[0].type, FieldType::Date);
    EXPECT_EQ(f[0].length, 8);
    EXPECT_EQ(f[1].type, FieldType::Character);
    EXPECT_EQ(f[1].length, 5);
    EXPECT_EQ(f[3].type, FieldType::Numeric);
    EXPECT_EQ(f[3].length, 3);
    EXPECT_EQ(formatFieldList(f), "DNIA,Date;CZAS,Character,5;UZYTKOWNIK,Character,25;ID_ZD,Numeric,3,0;");
    EXPECT_EQ(parseFieldList("DOST_JEDN,Character,800;")[0].length, 800);
}

TEST(FieldList, RejectsMalformedLists) {
    for (const char* bad : {"", "A", "A,Text,5;", "A,Character;", "A,Character,0;", "A,Numeric,25,0;",
                            "A,Numeric,5,4;", "A,Date;a,Date;", "TOOLONGNAME1,Date;", "1A,Date;", "A B,Date;"}) {
        EXPECT_EQ(errorOf([&] { parseFieldList(bad); }), ErrorCode::BadFieldList) << bad;
    }
}

TEST(TableFile, WritesTheHeaderOtherReadersExpect) {
    TempDir dir;
    CreateOptions o;
    o.codePage = 852;
    o.structuralIndex = true;
    Table::create(dir.file("T.DBF"), parseFieldList("NAZWA,Character,300;KWOTA,Numeric,10,2;"), o);
    std::string bytes = testsupport::readFile(dir.file("T.DBF"));
    ASSERT_EQ(bytes.size(), 32u + 2 * 32 + 1 + 1);
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 0x03);
    EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 0x01);      // structural CDX flag
    EXPECT_EQ(static_cast<uint8_t>(bytes[29]), 0x64);      // code page 852
    EXPECT_EQ(static_cast<uint8_t>(bytes[32 + 16]), 300 % 256);  // long C field: low byte
    EXPECT_EQ(static_cast<uint8_t>(bytes[32 + 17]), 300 / 256);  // and high byte in decimals
    EXPECT_EQ(bytes[96], '\x0D');
    EXPECT_EQ(bytes.back(), '\x1A');
    EXPECT_EQ(errorOf([&] { Table::create(dir.file("T.DBF"), parseFieldList(kLogFields)); }), ErrorCode::AlreadyExists);
}

TEST(TableFile, RoundTripsEveryWritableType) {
    TempDir dir;
    auto t = makeTable(dir, "T.DBF", "N,Character,20;K,Numeric,10,2;F,Float,8,3;L,Logical;D,Date;I,Numeric,5,0;");
    Record r = t->blankRecord();
    r.set("N", std::string("Żółć gęślą"));
    r.set("K", -1234.5);
    r.set("F", 3.14159);
    r.set("L", true);
    r.set("D", Date{2024, 2, 29});
    r.set("I", 0.0);
    EXPECT_EQ(t->append(r), 1u);
    EXPECT_EQ(t->append(t->blankRecord()), 2u);
    Record a = t->read(1);
    EXPECT_EQ(a.text("N"), "Żółć gęślą");
    EXPECT_EQ(a.raw(1), "  -1234.50");
    EXPECT_DOUBLE_EQ(a.number("F"), 3.142);
    EXPECT_TRUE(a.logical("L"));
    EXPECT_EQ(a.date("D"), (Date{2024, 2, 29}));
    EXPECT_EQ(a.raw(5), "    0");
    Record b = t->read(2);
    EXPECT_EQ(std::get<std::string>(b.value(0)), "");
    for (int i = 1; i < 6; ++i) EXPECT_TRUE(isNull(b.value(i))) << i;  // blank date reads as empty
    EXPECT_EQ(t->recordCount(), 2u);
    EXPECT_EQ(errorOf([&] { t->read(3); }), ErrorCode::NoRecord);
}

TEST(TableFile, RefusesValuesThatDoNotFit) {
    TempDir dir;
    auto t = makeTable(dir, "T.DBF", "N,Character,4;K,Numeric,5,2;I,Numeric,3,0;D,Date;");
    Record r = t->blankRecord();
    struct Case { const char* field; Value value; ErrorCode code; };
    const Case cases[] = {
        {"K", 100.0, ErrorCode::ValueTooLarge},         // "100.00" is 6 characters
        {"I", 1000.0, ErrorCode::ValueTooLarge},
        {"I", -100.0, ErrorCode::ValueTooLarge},
        {"N", std::string("abcde"), ErrorCode::ValueTooLarge},
        {"N", std::string("a€"), ErrorCode::Unmappable},  // no euro sign in 852
        {"D", std::string("2023-02-29"), ErrorCode::BadValue},
        {"D", std::string("x1234567"), ErrorCode::BadValue},  // found by fuzzing: once an uncaught stoi error
        {"D", std::string("2023-1-011"), ErrorCode::BadValue},
        {"K", std::string("12x"), ErrorCode::BadValue},
    };
    for (const auto& c : cases) EXPECT_EQ(errorOf([&] { r.set(c.field, c.value); }), c.code) << c.field;
    r.set("K", 99.994);
    EXPECT_EQ(r.raw(1), "99.99");
    r.set("I", -99.0);
    EXPECT_EQ(r.raw(2), "-99");
    r.set("N", std::string("abcd   "));  // trailing blanks are not content
    EXPECT_EQ(r.text("N"), "abcd");
}

TEST(TableFile, CodePagesAreChosenWhenOpening) {
    TempDir dir;
    const std::string polish = "Zażółć gęślą jaźń ZAŻÓŁĆ GĘŚLĄ JAŹŃ";
    for (int cp : {852, 1250}) {
        std::string name = "T" + std::to_string(cp) + ".DBF";
        auto t = makeTable(dir, name, "N,Character,40;", cp);
        Record r = t->blankRecord();
        r.set("N", polish);
        t->append(r);
        t.reset();
        EXPECT_EQ(Table::open(dir.file(name))->read(1).text("N"), polish);
        std::string raw = Table::open(dir.file(name))->read(1).raw(0).data();
        EXPECT_EQ(CodePage::get(cp).decode(raw.substr(0, 35)), polish);
    }
    // The same bytes under another code page are other letters: the choice matters.
    OpenOptions as1250;
    as1250.codePage = 1250;
    EXPECT_NE(Table::open(dir.file("T852.DBF"), as1250)->read(1).text("N"), polish);
}

TEST(TableFile, DeleteRecallPackAndZap) {
    TempDir dir;
    auto t = makeTable(dir, "T.DBF", "NR,Numeric,5,0;");
    for (int i = 1; i <= 5; ++i) {
        Record r = t->blankRecord();
        r.set("NR", static_cast<double>(i));
        t->append(r);
    }
    t->lock(2);
    t->setDeleted(2, true);
    t->unlock(2);
    t->lock(4);
    t->setDeleted(4, true);
    t->setDeleted(4, false);  // recall
    t->unlock(4);
    EXPECT_EQ(errorOf([&] { t->setDeleted(3, true); }), ErrorCode::NotLocked);
    EXPECT_TRUE(t->read(2).deleted());
    EXPECT_EQ(errorOf([&] { t->pack(); }), ErrorCode::NotExclusive);
    t.reset();

    OpenOptions excl;
    excl.exclusive = true;
    t = Table::open(dir.file("T.DBF"), excl);
    t->pack();
    ASSERT_EQ(t->recordCount(), 4u);
    std::vector<double> left;
    for (uint32_t i = 1; i <= 4; ++i) left.push_back(t->read(i).number("NR"));
    EXPECT_EQ(left, (std::vector<double>{1, 3, 4, 5}));
    Record r = t->blankRecord();
    r.set("NR", 6.0);
    EXPECT_EQ(t->append(r), 5u);  // the handle keeps working on the packed file
    t->zap();
    EXPECT_EQ(t->recordCount(), 0u);
    t.reset();
    std::string bytes = testsupport::readFile(dir.file("T.DBF"));
    EXPECT_EQ(bytes.size(), 32u + 32 + 1 + 1);
    EXPECT_EQ(bytes.back(), '\x1A');
}

TEST(TableFile, StructureChangesKeepRecords) {
    TempDir dir;
    auto t = makeTable(dir, "LOG.DBF", kLogFields);
    Record r = t->blankRecord();
    r.set("DNIA", Date{2026, 12, 4});
    r.set("UZYTKOWNIK", std::string("Łukasz"));
    r.set("ID_ZD", 1.0);
    t->append(r);
    t->append(r);
    t->lock(2);
    t->setDeleted(2, true);
    t.reset();

    Table::addFields(dir.file("LOG.DBF"), parseFieldList("Zdarzenie,Character,30;"));
    t = Table::open(dir.file("LOG.DBF"));
    ASSERT_EQ(t->schema().fieldCount(), 5);
    EXPECT_EQ(t->recordCount(), 2u);
    EXPECT_EQ(t->read(1).text("UZYTKOWNIK"), "Łukasz");
    EXPECT_EQ(t->read(1).text("ZDARZENIE"), "");
    EXPECT_TRUE(t->read(2).deleted());

    Table::createLike(dir.file("COPY.DBF"), *t);
    auto copy = Table::open(dir.file("COPY.DBF"));
    EXPECT_EQ(formatFieldList(copy->schema().fields()), formatFieldList(t->schema().fields()));
    EXPECT_EQ(copy->recordCount(), 0u);

    // Copy by field name into a table of another shape: missing fields stay blank, extra ones are ignored.
    Table::create(dir.file("OTHER.DBF"), parseFieldList("ID_ZD,Numeric,5,1;UZYTKOWNIK,Character,10;X,Logical;"));
    auto other = Table::open(dir.file("OTHER.DBF"));
    EXPECT_EQ(copyRecords(*t, *other), 1u);  // the deleted record is not copied
    Record c = other->read(1);
    EXPECT_EQ(c.raw(0), "  1.0");
    EXPECT_EQ(c.text("UZYTKOWNIK"), "Łukasz");
    EXPECT_TRUE(isNull(c.value("X")));
}

TEST(TableLocks, HandlesConflictLikeSeparateUsers) {
    TempDir dir;
    makeTable(dir, "T.DBF", "NR,Numeric,5,0;")->append(Table::open(dir.file("T.DBF"))->blankRecord());
    auto a = Table::open(dir.file("T.DBF"));
    auto b = Table::open(dir.file("T.DBF"));
    a->lock(1);
    EXPECT_EQ(errorOf([&] { b->lock(1); }), ErrorCode::RecordLocked);
    EXPECT_EQ(errorOf([&] { b->write(1, b->read(1)); }), ErrorCode::NotLocked);
    a->unlock(1);
    b->lock(1);
    b.reset();  // closing a handle drops its locks only
    a->lock(1);

    OpenOptions excl;
    excl.exclusive = true;
    EXPECT_EQ(errorOf([&] { Table::open(dir.file("T.DBF"), excl); }), ErrorCode::TableInUse);
    a.reset();
    auto held = Table::open(dir.file("T.DBF"), excl);
    EXPECT_EQ(errorOf([&] { Table::open(dir.file("T.DBF")); }), ErrorCode::TableInUse);
    EXPECT_EQ(errorOf([&] { Table::open(dir.file("T.DBF"), excl); }), ErrorCode::TableInUse);
}

TEST(TableLocks, OffsetsFollowTheSchemeOfTheIndexKind) {
    TempDir dir;
    CreateOptions fox;
    fox.structuralIndex = true;
    Table::create(dir.file("FOX.DBF"), parseFieldList("A,Character,1;"), fox);
    Table::create(dir.file("CLIP.DBF"), parseFieldList("A,Character,1;"));
    EXPECT_EQ(Table::open(dir.file("FOX.DBF"))->lockScheme(), LockScheme::FoxPro);
    EXPECT_EQ(Table::open(dir.file("CLIP.DBF"))->lockScheme(), LockScheme::Clipper);
    // The byte another FoxPro program probes for record 5 is the one we lock.
    auto t = Table::open(dir.file("FOX.DBF"));
    for (int i = 0; i < 5; ++i) t->append(t->blankRecord());
    t->lock(5);
    auto probe = openFile(dir.file("FOX.DBF"), OpenMode::ReadWrite);
    EXPECT_FALSE(probe->tryLock(0x7FFFFFFE - 5, 1, LockKind::Exclusive));
    EXPECT_TRUE(probe->tryLock(0x7FFFFFFE - 6, 1, LockKind::Exclusive));
}

TEST(Dataset, EditPostCancelAndNavigation) {
    TempDir dir;
    auto t = makeTable(dir, "KOS.DBF", "NR_EW,Numeric,6,0;NAZWISKO,Character,20;");
    for (auto [nr, name] : std::vector<std::pair<double, std::string>>{{1, "Nowak"}, {2, "Kowalska"}, {3, "Wiśniewski"}}) {
        Record r = t->blankRecord();
        r.set("NR_EW", nr);
        r.set("NAZWISKO", name);
        t->append(r);
    }
    t->lock(2);
    t->setDeleted(2, true);
    t.reset();

    Dataset ds(dir.file("KOS.DBF"));
    ds.open();
    EXPECT_EQ(ds.count(), 2u);
    EXPECT_EQ(ds.text("NAZWISKO"), "Nowak");
    EXPECT_TRUE(ds.next());
    EXPECT_EQ(ds.recno(), 3u);  // the deleted record is hidden
    EXPECT_FALSE(ds.next());
    EXPECT_TRUE(ds.eof());
    EXPECT_TRUE(ds.prior());
    EXPECT_EQ(ds.recno(), 1u);

    EXPECT_EQ(errorOf([&] { ds.set("NAZWISKO", std::string("X")); }), ErrorCode::WrongState);
    ds.edit();
    Dataset other(dir.file("KOS.DBF"));
    other.open();
    EXPECT_EQ(errorOf([&] { other.edit(); }), ErrorCode::RecordLocked);
    ds.set("NAZWISKO", std::string("Nowakowa"));
    ds.cancel();
    EXPECT_EQ(ds.text("NAZWISKO"), "Nowak");
    ds.edit();
    ds.set("NAZWISKO", std::string("Nowakowa"));
    ds.post();
    other.refresh();
    EXPECT_EQ(other.text("NAZWISKO"), "Nowakowa");
    other.edit();  // the lock went with the post
    other.cancel();

    ds.append();
    ds.set("NR_EW", 4.0);
    ds.set("NAZWISKO", std::string("Zięba"));
    ds.post();
    EXPECT_EQ(ds.recno(), 4u);

    EXPECT_TRUE(ds.locate({{"NAZWISKO", std::string("wiś")}}, {true, true}));
    EXPECT_EQ(ds.recno(), 3u);
    EXPECT_TRUE(ds.locate({{"NR_EW", 4.0}, {"NAZWISKO", std::string("Zięba")}}));
    EXPECT_EQ(ds.recno(), 4u);
    EXPECT_FALSE(ds.locate({{"NAZWISKO", std::string("Kowalska")}}));  // deleted
    ds.setFilter([](const Record& r) { return r.number("NR_EW") > 2; });
    EXPECT_TRUE(ds.first());
    EXPECT_EQ(ds.recno(), 3u);
    ds.remove();
    EXPECT_EQ(ds.recno(), 4u);
    EXPECT_EQ(ds.count(), 1u);
}

// Damaged files: an error naming the file, never a crash and never a write.
TEST(DamagedTables, AreRefusedWithoutBeingTouched) {
    TempDir dir;
    auto t = makeTable(dir, "GOOD.DBF", "NR,Numeric,5,0;NAZWA,Character,10;");
    for (int i = 0; i < 3; ++i) t->append(t->blankRecord());
    t.reset();
    const std::string good = testsupport::readFile(dir.file("GOOD.DBF"));

    auto patched = [&](size_t at, std::string bytes) {
        std::string s = good;
        s.replace(at, bytes.size(), bytes);
        return s;
    };
    struct Case { const char* name; std::string bytes; };
    const Case cases[] = {
        {"empty", ""},
        {"short header", good.substr(0, 20)},
        {"truncated records", good.substr(0, good.size() - 12)},
        {"not a table", std::string(200, 'x')},
        {"bad version", patched(0, "\x45")},
        {"record length lies", patched(10, std::string("\x30\x00", 2))},
        {"field length lies", patched(32 + 16, "\x09")},
        {"header longer than file", patched(8, std::string("\xFF\x7F", 2))},
        {"count past the data", patched(4, std::string("\x10\x00\x00\x00", 4))},
        {"unknown field type", patched(32 + 11, "\x01")},
    };
    for (const auto& c : cases) {
        std::string path = dir.file(std::string(c.name) + ".DBF");
        testsupport::writeFile(path, c.bytes);
        Error caught(ErrorCode{0}, "");
        try {
            Table::open(path);
            ADD_FAILURE() << c.name << " opened";
        } catch (const Error& e) {
            caught = e;
        }
        EXPECT_EQ(caught.code(), ErrorCode::Corrupt) << c.name;
        EXPECT_NE(std::string(caught.what()).find(path), std::string::npos) << c.name;
        EXPECT_EQ(testsupport::readFile(path), c.bytes) << c.name;
    }
    EXPECT_EQ(errorOf([&] { Table::open(dir.file("MISSING.DBF")); }), ErrorCode::NotFound);
}

TEST(RawMatcher, AgreesWithDecodedValues) {
    TempDir dir;
    auto t = makeTable(dir, "T.DBF", "NR_EW,Numeric,6,0;Z_DNIA,Date;NAZWISKO,Character,12;");
    const std::vector<std::tuple<double, Date, std::string>> rows = {
        {12, {2026, 3, 15}, "Żak"}, {12, {2026, 3, 16}, "Żak"}, {120, {2026, 3, 15}, "Żak"}, {12, {2026, 3, 15}, "Żaki"}};
    for (const auto& [nr, day, name] : rows) {
        Record r = t->blankRecord();
        r.set("NR_EW", nr);
        r.set("Z_DNIA", day);
        r.set("NAZWISKO", name);
        t->append(r);
    }
    RawMatcher m(t->schema(), {{"NR_EW", 12.0}, {"Z_DNIA", Date{2026, 3, 15}}, {"NAZWISKO", std::string("Żak")}});
    std::vector<uint32_t> hits;
    t->scan([&](uint32_t recno, const char* bytes) {
        if (m.matches(bytes)) hits.push_back(recno);
        return true;
    });
    EXPECT_EQ(hits, std::vector<uint32_t>{1});
    EXPECT_EQ(errorOf([&] { RawMatcher(t->schema(), {{"NR_EW", 1e7}}); }), ErrorCode::ValueTooLarge);
}

TEST(TableFile, ReadsChosenRecordsInRuns) {
    TempDir dir;
    auto t = makeTable(dir, "T.DBF", "NR,Numeric,6,0;");
    std::vector<Record> records;
    for (int i = 1; i <= 5000; ++i) {
        Record r = t->blankRecord();
        r.set("NR", static_cast<double>(i));
        records.push_back(std::move(r));
    }
    t->appendMany(records);
    std::vector<std::pair<uint32_t, double>> seen;
    t->readRecords({1, 2, 5, 5, 900, 4999, 5000, 5001, 9999}, [&](uint32_t recno, const char* bytes) {
        seen.emplace_back(recno, Record(t->schemaPtr(), std::string(bytes, t->schema().recordLength())).number("NR"));
        return true;
    });
    EXPECT_EQ(seen, (std::vector<std::pair<uint32_t, double>>{{1, 1}, {2, 2}, {5, 5}, {900, 900}, {4999, 4999}, {5000, 5000}}));
}

// A file that another desktop appends to right after the reader's first look at it.
class AppendedDuringOpen : public MemFile {
public:
    AppendedDuringOpen(std::vector<uint8_t> before, std::vector<uint8_t> after)
        : MemFile(std::move(before), "appended.dbf"), after_(std::move(after)) {}
    size_t readAt(uint64_t offset, void* buffer, size_t size) override {
        size_t n = MemFile::readAt(offset, buffer, size);
        appendOnce();
        return n;
    }
    uint64_t size() override {
        uint64_t n = MemFile::size();
        appendOnce();
        return n;
    }

private:
    void appendOnce() {
        if (after_.empty()) return;
        MemFile::writeAt(0, after_.data(), after_.size());
        after_.clear();
    }
    std::vector<uint8_t> after_;
};

TEST(TableFile, OpenDuringAnAppendSeesAConsistentTable) {
    TempDir dir;
    auto t = makeTable(dir, "T.DBF", "NR,Numeric,6,0;");
    t->append(t->blankRecord());
    std::string before = testsupport::readFile(dir.file("T.DBF"));
    t->append(t->blankRecord());
    std::string after = testsupport::readFile(dir.file("T.DBF"));
    auto file = std::make_unique<AppendedDuringOpen>(std::vector<uint8_t>(before.begin(), before.end()),
                                                     std::vector<uint8_t>(after.begin(), after.end()));
    auto opened = Table::open(std::move(file), OpenOptions{false, true, 0});
    EXPECT_GE(opened->recordCount(), 1u);
}
