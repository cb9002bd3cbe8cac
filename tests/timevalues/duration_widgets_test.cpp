// The duration controls driven with real key presses, bound to a real table.
#include "DatasetFieldPair.h"
#include "SpinArrows.h"
#include "TDBGodzMinProstyNowy.h"
#include "TDBGodzMinProstyUjemny.h"
#include "TDBGodzMinRozdzNowy.h"
#include "TDBUrlopyDn.h"
#include "TEdGodzMin.h"
#include "TVQDBGodzMinTxt.h"
#include "TVQWynikGodzMin.h"

#include <Dataset.h>
#include <Table.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tv;

class DurationWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void simpleClampsTypedHoursAndStoresThem();
    void browsingStoresNothing();
    void minuteSpinCrossesIntoHours();
    void leavingMinutesRoundsToQuantum();
    void signedBoundByMinMinut();
    void splitLineRefusesZeroOnMainCard();
    void splitLineClearedHidesAndEmptiesLine();
    void freeEditMinutesOverflowToZero();
    void vacationDaysCaption();
    void displaysHideBlankParts();

private:
    // Types into a part as a clerk does: the old text selected and overwritten.
    static void type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    xb::Record stored() { return xb::Table::open(path_)->read(1); }

    QTemporaryDir dir_;
    std::string path_;
    std::unique_ptr<xb::Dataset> ds_;
    std::unique_ptr<DatasetFieldPair> pair_;
    QStringList warnings_;
};

void DurationWidgetsTest::init() {
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    path_ = dir_.filePath(QStringLiteral("KARTYDZ.DBF")).toStdString();
    QFile::remove(QString::fromStdString(path_));
    xb::Table::create(path_, xb::parseFieldList("GODZ1,N,4,0;MIN1,N,4,0;KOD,C,6;ODDZIAL,C,3;ID_ZL,N,8,0;"));
    {
        auto t = xb::Table::open(path_);
        xb::Record r = t->blankRecord();
        r.set("GODZ1", 1.0);
        r.set("MIN1", 0.0);
        r.set("KOD", std::string("K01"));
        r.set("ODDZIAL", std::string("12"));
        r.set("ID_ZL", 4711.0);
        t->append(r);
    }
    ds_ = std::make_unique<xb::Dataset>(path_);
    ds_->open();
    pair_ = std::make_unique<DatasetFieldPair>(*ds_, "GODZ1", "MIN1");
    warnings_.clear();
}

void DurationWidgetsTest::cleanup() {
    pair_.reset();
    ds_.reset();
}

void DurationWidgetsTest::simpleClampsTypedHoursAndStoresThem() {
    TDBGodzMinProstyNowy w;
    w.setBinding(pair_.get());
    w.setReadOnly(false);
    w.setMaxMinut(480);
    w.show();
    QSignalSpy changes(&w, &DurationEditBase::PrzyZmianie);
    ds_->edit();
    type(w.minutesEdit(), QStringLiteral("30"));
    type(w.hoursEdit(), QStringLiteral("9"));
    QCOMPARE(w.hoursEdit()->text(), QStringLiteral("8"));
    QCOMPARE(w.minutesEdit()->text(), QStringLiteral("0"));
    QCOMPARE(w.ileMinut(), 480);
    QVERIFY(changes.count() >= 2);
    QCOMPARE(changes.last().at(0).value<QObject*>(), &w);
    ds_->post();
    QCOMPARE(stored().number("GODZ1"), 8.0);
    QCOMPARE(stored().number("MIN1"), 0.0);
}

void DurationWidgetsTest::browsingStoresNothing() {
    TDBGodzMinProstyNowy w;
    w.setBinding(pair_.get());
    w.setReadOnly(false);
    w.show();
    QCOMPARE(w.hoursEdit()->text(), QStringLiteral("1"));
    QSignalSpy changes(&w, &DurationEditBase::PrzyZmianie);
    type(w.hoursEdit(), QStringLiteral("25"));
    QTest::keyClick(w.hoursEdit(), Qt::Key_Up);
    QCOMPARE(w.hoursEdit()->text(), QStringLiteral("25"));  // shown as typed, not corrected
    QCOMPARE(changes.count(), 0);
    QCOMPARE(stored().number("GODZ1"), 1.0);
    w.refresh();
    QCOMPARE(w.hoursEdit()->text(), QStringLiteral("1"));
    // Read-only: the spin buttons go.
    w.setReadOnly(true);
    QVERIFY(w.hoursSpin()->isHidden());
    QVERIFY(w.hoursEdit()->isReadOnly());
}

void DurationWidgetsTest::minuteSpinCrossesIntoHours() {
    TDBGodzMinProstyNowy w;
    w.setBinding(pair_.get());
    w.setReadOnly(false);
    w.setKwantCzasu(5);
    w.show();
    ds_->edit();
    type(w.hoursEdit(), QStringLiteral("0"));
    type(w.minutesEdit(), QStringLiteral("55"));
    QTest::keyClick(w.minutesEdit(), Qt::Key_Up);
    QCOMPARE(w.hoursEdit()->text(), QStringLiteral("1"));
    QCOMPARE(w.minutesEdit()->text(), QStringLiteral("0"));
    QTest::mouseClick(w.minutesSpin()->downButton(), Qt::LeftButton);
    QCOMPARE(w.ileMinut(), 55);
    QCOMPARE(pair_->minutes(), 55);
}

void DurationWidgetsTest::leavingMinutesRoundsToQuantum() {
    QWidget window;
    auto* w = new TDBGodzMinProstyNowy(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    w->setBinding(pair_.get());
    w->setReadOnly(false);
    w->setKwantCzasu(15);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    ds_->edit();
    type(w->minutesEdit(), QStringLiteral("44"));
    other->setFocus();
    QCOMPARE(w->minutesEdit()->text(), QStringLiteral("30"));
    QCOMPARE(pair_->minutes(), 30);
}

void DurationWidgetsTest::signedBoundByMinMinut() {
    TDBGodzMinProstyUjemny w;
    w.setBinding(pair_.get());
    w.setReadOnly(false);
    w.setMinMinut(-480);
    w.show();
    ds_->edit();
    type(w.hoursEdit(), QStringLiteral("-9"));
    QCOMPARE(w.hoursEdit()->text(), QStringLiteral("-8"));
    type(w.hoursEdit(), QStringLiteral("-2"));
    type(w.minutesEdit(), QStringLiteral("30"));  // "3" is turned into 0 at once
    QCOMPARE(w.ileMinut(), -120);
    type(w.minutesEdit(), QStringLiteral("-45"));
    QCOMPARE(w.ileMinut(), -165);
    QCOMPARE(pair_->hours(), -2);
    QCOMPARE(pair_->minutes(), -45);
}

void DurationWidgetsTest::splitLineRefusesZeroOnMainCard() {
    TDBGodzMinRozdzNowy w;
    w.setWarningSink([this](const QString& title, const QString& text) { warnings_ << title + "|" + text; });
    w.setBinding(pair_.get());
    w.setReadOnly(false);
    w.setMoznaUsuwac(false);
    w.show();
    ds_->edit();
    QTest::keyClick(w.hoursEdit(), Qt::Key_Down);
    const QString refusal = QStringLiteral(
        " Uwaga !|Nie można usuwać pozycji z podstawowej karty gdy są karty uzupełniające !");
    QCOMPARE(warnings_, QStringList{refusal});
    type(w.hoursEdit(), QStringLiteral("0"));
    QCOMPARE(w.hoursEdit()->text(), QStringLiteral("1"));
    QCOMPARE(warnings_.size(), 2);
    QCOMPARE(pair_->hours(), 1);
}

void DurationWidgetsTest::splitLineClearedHidesAndEmptiesLine() {
    QWidget window;
    auto* w = new TDBGodzMinRozdzNowy(&window);
    auto* costs = new QComboBox(&window);
    auto* order = new QLabel(QStringLiteral("4711"), &window);
    w->setListaSkojarzona(costs);
    w->setNrZleceniaSkojarzony(order);
    w->setPoleStanowiska(QStringLiteral("KOD"));
    w->setPoleOddzialu(QStringLiteral("ODDZIAL"));
    w->setPoleZlecenia(QStringLiteral("ID_ZL"));
    w->setBinding(pair_.get());
    window.show();
    QVERIFY(costs->isVisible());
    QVERIFY(!costs->isEnabled());  // read-only
    w->setReadOnly(false);
    QVERIFY(costs->isEnabled());
    w->setMonoStanowiskowy(true);
    QVERIFY(!costs->isEnabled());
    ds_->edit();
    QTest::keyClick(w->hoursEdit(), Qt::Key_Down);
    QCOMPARE(w->ileMinut(), 0);
    QVERIFY(!costs->isVisible());
    QVERIFY(!order->isVisible());
    ds_->post();
    const xb::Record r = stored();
    QCOMPARE(r.text("KOD"), std::string());
    QCOMPARE(r.text("ODDZIAL"), std::string());
    QCOMPARE(r.number("ID_ZL"), 0.0);
}

void DurationWidgetsTest::freeEditMinutesOverflowToZero() {
    TEdGodzMin w;
    w.setReadOnly(false);
    w.show();
    type(w.hoursEdit(), QStringLiteral("13"));
    QCOMPARE(w.hoursEdit()->text(), QStringLiteral("12"));  // MaxMinut 720
    type(w.hoursEdit(), QStringLiteral("2"));
    type(w.minutesEdit(), QStringLiteral("75"));
    QCOMPARE(w.minutesEdit()->text(), QStringLiteral("0"));
    QCOMPARE(w.ileMinut(), 120);
    w.setReadOnly(true);
    QVERIFY(w.hoursSpin()->isVisibleTo(&w));  // kept, but inert
    QTest::mouseClick(w.hoursSpin()->upButton(), Qt::LeftButton);
    QCOMPARE(w.ileMinut(), 120);
}

void DurationWidgetsTest::vacationDaysCaption() {
    TDBUrlopyDn w;
    w.setBinding(pair_.get());
    w.setReadOnly(false);
    w.setMaxMinut(60000);
    w.show();
    ds_->edit();
    type(w.hoursEdit(), QStringLiteral("28"));
    QCOMPARE(w.daysLabel()->text(), QStringLiteral("= 3,5 dn."));
    type(w.hoursEdit(), QStringLiteral("24"));
    QCOMPARE(w.daysLabel()->text(), QStringLiteral("= 3 dn."));
    type(w.hoursEdit(), QStringLiteral("999"));
    QCOMPARE(w.hoursEdit()->text(), QStringLiteral("960"));
}

void DurationWidgetsTest::displaysHideBlankParts() {
    QWidget window;
    auto* display = new TVQDBGodzMinTxt(&window);
    auto* caption = new QLabel(QStringLiteral("Urlop:"), &window);
    auto* button = new QToolButton(&window);
    display->setOpisSkojarzony(caption);
    display->setPrzyciskSkojarzony(button);
    display->setBinding(pair_.get());
    window.show();
    QCOMPARE(display->hoursLabel()->text(), QStringLiteral("1"));
    QVERIFY(display->hoursCaption()->isVisible());
    QVERIFY(!display->minutesCaption()->isVisible());
    QVERIFY(caption->isVisible() && button->isVisible());
    ds_->edit();
    pair_->write(0, 0);
    display->refresh();
    QCOMPARE(display->hoursLabel()->text(), QString());
    QVERIFY(!display->hoursCaption()->isVisible());
    QVERIFY(!caption->isVisible() && !button->isVisible());

    TVQWynikGodzMin result;
    result.setIleMinut(90);
    QCOMPARE(result.hoursLabel()->text(), QStringLiteral("1"));
    QCOMPARE(result.minutesLabel()->text(), QStringLiteral("30"));
    result.setIleMinut(120);
    QVERIFY(result.minutesLabel()->isHidden());
}

QTEST_MAIN(DurationWidgetsTest)
#include "duration_widgets_test.moc"
