// xbtool's index commands as scripts use them, the stale indexes of the corpus
// reported by check and cured by reindex, and damaged index files: errors and
// reports, never a crash, never a write through a bad page.
#include "Error.h"
#include "Table.h"
#include "TableCheck.h"
#include "TempDir.h"
#include "index/IndexSet.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace xb;
using namespace testsupport;
namespace fs = std::filesystem;

namespace {

const std::string kCorpus = std::string(EWIDOR_SHARED_DIR) + "/dbf-corpus/";

int xbtool(const std::string& args, std::string* out) {
    return runCommand(std::string(XBTOOL) + " " + args + " 2>&1", out);
}

std::string copyIn(const TempDir& dir, const std::string& corpusFile) {
    std::string to = dir.file(fs::path(corpusFile).filename().string());
    fs::copy_file(kCorpus + corpusFile, to);
    fs::permissions(to, fs::perms::owner_write, fs::perm_options::add);
    return to;
}

TEST(IndexCommands, StaleCorpusIndexesAreReportedAndCuredByReindex) {
    TempDir dir;
    struct Case {
        std::vector<std::string> files;  // table first, then its NTX files
        std::string report;
    };
    std::vector<Case> cases = {
        {{"php-xbase/issue115.dbf", "php-xbase/issue115.cdx"}, "indeks DENUMIRE: 1 kluczy, oczekiwano 9"},
        {{"clip-itk/customer.dbf", "clip-itk/custlast.ntx", "clip-itk/custname.ntx"},
         "indeks CUSTNAME: 578 kluczy, oczekiwano 250"},
    };
    for (const auto& c : cases) {
        std::string args;
        for (const auto& f : c.files)
            if (f.find(".cdx") == std::string::npos) args += " " + shellQuote(copyIn(dir, f));
            else copyIn(dir, f);
        std::string out;
        EXPECT_EQ(xbtool("check" + args, &out), 1) << out;
        EXPECT_NE(out.find(c.report), std::string::npos) << out;
        EXPECT_EQ(xbtool("reindex" + args, &out), 0) << out;
        EXPECT_EQ(xbtool("check" + args, &out), 0) << out;
        EXPECT_NE(out.find("OK:"), std::string::npos) << out;
    }
}

TEST(IndexCommands, IndexAndKeysPrintKeysInOrder) {
    TempDir dir;
    std::string t = dir.file("KOS.DBF");
    std::string out;
    ASSERT_EQ(xbtool("create " + t + " 'NR_EW,N,5,0;NAZWISKO,C,20;Z_DNIA,D'", &out), 0) << out;
    writeFile(dir.file("in.csv"), "NR_EW,NAZWISKO,Z_DNIA\n30,Żak,2026-03-01\n7,Kowal,2026-01-15\n-2,Adamek,\n7,Bąk,2025-12-31\n");
    ASSERT_EQ(xbtool("import " + t + " < " + dir.file("in.csv"), &out), 0) << out;
    ASSERT_EQ(xbtool("index " + t + " Num NR_EW", &out), 0) << out;
    ASSERT_EQ(xbtool("index " + t + " Nazw 'UPPER(NAZWISKO)'", &out), 0) << out;
    ASSERT_EQ(xbtool("index " + t + " --ntx " + dir.file("dni.ntx") + " 'DTOS(Z_DNIA)+STR(NR_EW,5)'", &out), 0) << out;
    struct Case { std::string order, csv; };
    for (const Case& c : {Case{"Num", "KEY,RECNO\r\n-2,3\r\n7,2\r\n7,4\r\n30,1\r\n"},
                          Case{"NAZW", "KEY,RECNO\r\nADAMEK,3\r\nBĄK,4\r\nKOWAL,2\r\nŻAK,1\r\n"},
                          Case{dir.file("dni.ntx"),
                               "KEY,RECNO\r\n           -2,3\r\n20251231    7,4\r\n20260115    7,2\r\n20260301   30,1\r\n"}}) {
        EXPECT_EQ(xbtool("keys " + t + " " + c.order, &out), 0) << out;
        EXPECT_EQ(out, c.csv) << c.order;
    }
    EXPECT_EQ(xbtool("check " + t + " " + dir.file("dni.ntx"), &out), 0) << out;
    EXPECT_NE(xbtool("index " + t + " Zly 'UPPER(NR_EW)'", &out), 0);
    EXPECT_NE(out.find("UPPER"), std::string::npos) << out;
}

// A table with two tags, big enough for trees of several levels.
std::string indexedTable(const TempDir& dir) {
    std::string path = dir.file("KARTYDZ.DBF");
    Table::create(path, parseFieldList("NR_EW,N,6,0;NAZWISKO,C,30"));
    OpenOptions ex;
    ex.exclusive = true;
    auto t = Table::open(path, ex);
    std::vector<Record> records;
    for (int i = 0; i < 3000; ++i) {
        Record r = t->blankRecord();
        r.set("NR_EW", static_cast<double>((i * 7919) % 1000));
        r.set("NAZWISKO", "Pracownik " + std::to_string((i * 31) % 977));
        records.push_back(r);
    }
    t->appendMany(records);
    t->createTag("WgPrac", "NR_EW");
    t->createTag("Nazw", "NAZWISKO");
    return path;
}

struct Damage {
    const char* name;
    std::function<void(const std::string& cdx)> apply;
    bool curable;
    bool refusesWrites;  // whether the edits below meet the damage
};

void overwrite(const std::string& path, uint64_t at, const std::string& bytes) {
    std::string all = readFile(path);
    all.replace(at, bytes.size(), bytes);
    writeFile(path, all);
}

class DamagedIndex : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedIndex, IsReportedRefusesWritesAndIsCured) {
    TempDir dir;
    std::string table = indexedTable(dir);
    std::string cdx = IndexSet::structuralPath(table);
    GetParam().apply(cdx);
    std::string out;
    EXPECT_EQ(xbtool("check " + table, &out), 1) << out;
    EXPECT_NE(out.find("indeks"), std::string::npos) << out;

    // Writes go on until one needs a damaged page; that one is refused before anything
    // of it reaches the table or the index.
    bool refused = false;
    int written = 0;
    std::unique_ptr<Table> t;
    try {
        t = Table::open(table);
    } catch (const Error& e) {
        EXPECT_EQ(e.code(), ErrorCode::Corrupt) << e.what();
        refused = true;
    }
    for (uint32_t recno = 1; recno <= 3000 && !refused; recno += 97) {
        std::string tableBefore = readFile(table), cdxBefore = readFile(cdx);
        try {
            Record r = t->read(recno);
            r.set("NAZWISKO", std::string("Zmieniony"));
            r.set("NR_EW", 5000.0 + recno);
            t->lock(recno);
            t->write(recno, r);
            t->unlock(recno);
            ++written;
        } catch (const Error& e) {
            EXPECT_EQ(e.code(), ErrorCode::Corrupt) << e.what();
            EXPECT_EQ(readFile(table), tableBefore);
            EXPECT_EQ(readFile(cdx), cdxBefore);
            refused = true;
        }
    }
    EXPECT_EQ(refused, GetParam().refusesWrites);
    t.reset();

    int status = xbtool("reindex " + table, &out);
    if (!GetParam().curable) {
        EXPECT_EQ(status, 2) << out;
        return;
    }
    EXPECT_EQ(status, 0) << out;
    EXPECT_EQ(xbtool("check " + table, &out), 0) << out;
    EXPECT_EQ(xbtool("keys " + table + " WgPrac | wc -l", &out), 0);
    EXPECT_EQ(out, "3001\n");
    EXPECT_EQ(xbtool("keys " + table + " NAZW", &out), 0);
    size_t changed = 0;
    for (size_t at = out.find("Zmieniony"); at != std::string::npos; at = out.find("Zmieniony", at + 1)) ++changed;
    EXPECT_EQ(changed, static_cast<size_t>(written));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedIndex,
    ::testing::Values(
        Damage{"LastPageCut", [](const std::string& f) { fs::resize_file(f, fs::file_size(f) - 512); }, true, true},
        Damage{"HalfCut", [](const std::string& f) { fs::resize_file(f, fs::file_size(f) / 2 / 512 * 512 + 100); }, false, true},
        Damage{"LeafGarbled", [](const std::string& f) { overwrite(f, 0x1000, std::string(512, '\xA7')); }, true, true},
        Damage{"KeyCountsGarbled", [](const std::string& f) { overwrite(f, 0x1802, std::string("\xFF\x7F", 2)); }, true, false},
        Damage{"PageLoop",
               [](const std::string& f) {
                   // A right-sibling pointer aimed back at its own leaf.
                   std::string all = readFile(f);
                   for (size_t at = 0xC00; at + 512 <= all.size(); at += 512) {
                       if ((all[at] & 2) == 0 || static_cast<uint8_t>(all[at + 8]) == 0xFF) continue;
                       uint32_t self = static_cast<uint32_t>(at);
                       overwrite(f, at + 8, std::string(reinterpret_cast<const char*>(&self), 4));
                       return;
                   }
               },
               true, false},
        Damage{"HeaderGarbled", [](const std::string& f) { overwrite(f, 12, std::string("\x00\x7F", 2)); }, false, true},
        Damage{"Truncated", [](const std::string& f) { fs::resize_file(f, 700); }, false, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
