// Data-aware entry against a real table: values reach the record only while it is
// being edited, in canonical parts, and an independent reader sees what we wrote.
#include "DatasetFieldPair.h"
#include "DurationEntry.h"
#include "SignedRules.h"
#include "SimpleRules.h"
#include "SplitLineRules.h"
#include "VacationRules.h"

#include <Dataset.h>
#include <Table.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <unistd.h>
#include <filesystem>
#include <memory>

using namespace tv;
namespace fs = std::filesystem;

namespace {

class DatasetFieldPairTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tv_pair_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "KARTYDZ.DBF").string();
        xb::Table::create(path_, xb::parseFieldList("GODZ1,N,4,0;MIN1,N,4,0;KOD,C,6;ODDZIAL,C,3;ID_ZL,N,8,0;"));
        auto t = xb::Table::open(path_);
        xb::Record r = t->blankRecord();  // the pair stays null
        r.set("KOD", std::string("K01"));
        r.set("ODDZIAL", std::string("12"));
        r.set("ID_ZL", 4711.0);
        t->append(r);
        t.reset();
        ds_ = std::make_unique<xb::Dataset>(path_);
        ds_->open();
    }
    void TearDown() override {
        ds_.reset();
        fs::remove_all(dir_);
    }
    // The stored record, read through a fresh handle.
    xb::Record stored() {
        auto t = xb::Table::open(path_);
        return t->read(1);
    }

    fs::path dir_;
    std::string path_;
    std::unique_ptr<xb::Dataset> ds_;
};

DurationEntry bound(std::unique_ptr<DurationRules> rules, int maxMinut, FieldPairBinding& b) {
    DurationEntry e(std::move(rules), maxMinut, true);
    e.setBinding(&b);
    e.setReadOnly(false);
    return e;
}

} // namespace

TEST_F(DatasetFieldPairTest, WritesOnlyWhileTheRecordIsEdited) {
    DatasetFieldPair pair(*ds_, "GODZ1", "MIN1");
    DurationEntry e = bound(std::make_unique<SimpleRules>(), 1440, pair);
    EXPECT_EQ(e.texts(), (PartTexts{"", ""}));  // null fields show blank

    e.typed(DurationPart::Hours, "25");  // browsing: the value follows, nothing stored
    EXPECT_FALSE(e.editable());
    e.setIleMinut(90);
    e.refresh();
    EXPECT_EQ(e.texts(), (PartTexts{"", ""}));

    ds_->edit();
    e.refresh();
    e.typed(DurationPart::Hours, "25");
    EXPECT_EQ(e.texts().hours, "24");
    e.typed(DurationPart::Minutes, "75");  // 24:59 is beyond 1440: minutes become 1440 mod 60
    EXPECT_EQ(e.ileMinut(), 1440);
    ds_->post();
    EXPECT_EQ(stored().number("GODZ1"), 24);
    EXPECT_EQ(stored().number("MIN1"), 0);
}

TEST_F(DatasetFieldPairTest, SignedValueStoredCanonicallyAsOthersReadIt) {
    DatasetFieldPair pair(*ds_, "GODZ1", "MIN1");
    DurationEntry e = bound(std::make_unique<SignedRules>(), 1440, pair);
    e.setMinMinut(-480);
    ds_->edit();
    e.setIleMinut(-90);
    ds_->post();
    if (!fs::exists("/usr/bin/python3")) GTEST_SKIP() << "no /usr/bin/python3";
    const std::string cmd = "/usr/bin/python3 -c \"import dbfread,sys; r=list(dbfread.DBF(sys.argv[1]))[0]; "
                            "print(r['GODZ1'], r['MIN1'])\" " + path_ + " 2>&1";
    FILE* pipe = ::popen(cmd.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buf[128] = {};
    const size_t n = std::fread(buf, 1, sizeof buf - 1, pipe);
    ::pclose(pipe);
    EXPECT_EQ(std::string(buf, n), "-1 -30\n");
}

TEST_F(DatasetFieldPairTest, SplitLineClearedToZeroEmptiesItsLine) {
    DatasetFieldPair pair(*ds_, "GODZ1", "MIN1");
    DurationEntry e = bound(std::make_unique<SplitLineRules>(), 1440, pair);
    e.setSplitLineFields({"KOD", "ODDZIAL", "ID_ZL"});
    ds_->edit();
    e.setIleMinut(30);
    ds_->post();
    EXPECT_EQ(stored().text("KOD"), "K01");

    ds_->edit();
    e.spin(DurationPart::Minutes, SpinDirection::Down);  // quantum 1: 0:29
    e.typed(DurationPart::Minutes, "0");
    ds_->post();
    const xb::Record r = stored();
    EXPECT_EQ(r.number("GODZ1"), 0);
    EXPECT_EQ(r.number("MIN1"), 0);
    EXPECT_EQ(r.text("KOD"), "");
    EXPECT_EQ(r.text("ODDZIAL"), "");
    EXPECT_EQ(r.number("ID_ZL"), 0);
}

TEST_F(DatasetFieldPairTest, VacationTimeZeroesNullFieldsWhenMadeEditable) {
    DatasetFieldPair pair(*ds_, "GODZ1", "MIN1");
    DurationEntry e(std::make_unique<VacationRules>(), 24960, true);
    e.setBinding(&pair);
    ds_->edit();
    EXPECT_FALSE(pair.hours().has_value());
    e.setReadOnly(false);
    EXPECT_EQ(pair.hours(), 0);
    EXPECT_EQ(pair.minutes(), 0);
    EXPECT_EQ(e.texts(), (PartTexts{"0", "0"}));
}
