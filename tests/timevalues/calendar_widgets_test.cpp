// The month calendar and the date pickers driven with the mouse and the keyboard.
#include "DatasetDateField.h"
#include "TKalendarZHarm.h"
#include "TVQ_TabeliDatyPicker.h"

#include <Dataset.h>
#include <Table.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace tv;

class CalendarWidgetsTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void mouseDragMarksMarkableDays();
    void spaceTogglesOnlyWithinRange();
    void settingMinDateClearsMarks();
    void pickerShowsTextForNullAndClearsToNull();
    void requiredDateLeftEmptyIsRefused();

private:
    static QDate dec(int day) { return QDate(2026, 12, day); }
    void prepareCalendar(TKalendarZHarm& k) {
        k.setMonth(2026, 12);
        k.setMinDate(dec(1));
        k.setMaxDate(dec(20));
        for (int d = 1; d <= 31; ++d)
            if (d != 6) k.add(TKalendarZHarm::Set::Markable, dec(d));
        k.resize(k.sizeHint());
    }
    std::vector<int> markedDays(const TKalendarZHarm& k) {
        std::vector<int> days;
        for (int i = 0; i < k.markedCount(); ++i) days.push_back(k.marked(i).day());
        return days;
    }

    QTemporaryDir dir_;
    std::string path_;
    std::unique_ptr<xb::Dataset> ds_;
    std::unique_ptr<DatasetDateField> field_;
};

void CalendarWidgetsTest::init() {
    path_ = dir_.filePath(QStringLiteral("KWOTY.DBF")).toStdString();
    QFile::remove(QString::fromStdString(path_));
    xb::Table::create(path_, xb::parseFieldList("NR_EW,N,6,0;DATA_DO,D;"));
    {
        auto t = xb::Table::open(path_);
        xb::Record r = t->blankRecord();
        r.set("NR_EW", 17.0);
        t->append(r);  // DATA_DO null
        r.set("DATA_DO", xb::Date{2026, 12, 31});
        t->append(r);
    }
    ds_ = std::make_unique<xb::Dataset>(path_);
    ds_->open();
    field_ = std::make_unique<DatasetDateField>(*ds_, "DATA_DO");
}

void CalendarWidgetsTest::cleanup() {
    field_.reset();
    ds_.reset();
}

void CalendarWidgetsTest::mouseDragMarksMarkableDays() {
    TKalendarZHarm k;
    prepareCalendar(k);
    k.show();
    QSignalSpy clicks(&k, &TKalendarZHarm::OnDateClick);
    QTest::mousePress(&k, Qt::LeftButton, {}, k.cellRect(dec(3)).center());
    QTest::mouseMove(&k, k.cellRect(dec(6)).center());
    QTest::mouseMove(&k, k.cellRect(dec(9)).center());
    QTest::mouseRelease(&k, Qt::LeftButton, {}, k.cellRect(dec(9)).center());
    QCOMPARE(markedDays(k), (std::vector<int>{3, 4, 5, 7, 8, 9}));
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(clicks.at(0).at(2).toDate(), dec(3));
    QCOMPARE(clicks.at(0).at(1).value<Qt::MouseButton>(), Qt::LeftButton);

    // From a marked day the drag unmarks; read-only takes no clicks at all.
    QTest::mousePress(&k, Qt::LeftButton, {}, k.cellRect(dec(9)).center());
    QTest::mouseMove(&k, k.cellRect(dec(7)).center());
    QTest::mouseRelease(&k, Qt::LeftButton, {}, k.cellRect(dec(7)).center());
    QCOMPARE(markedDays(k), (std::vector<int>{3, 4, 5}));
    k.setReadOnly(true);
    QTest::mouseClick(&k, Qt::LeftButton, {}, k.cellRect(dec(10)).center());
    QCOMPARE(k.markedCount(), 3);
}

void CalendarWidgetsTest::spaceTogglesOnlyWithinRange() {
    TKalendarZHarm k;
    prepareCalendar(k);
    k.show();
    k.setFocusedDay(dec(19));
    QTest::keyClick(&k, Qt::Key_Space);
    QTest::keyClick(&k, Qt::Key_Right);
    QTest::keyClick(&k, Qt::Key_Space);
    QTest::keyClick(&k, Qt::Key_Right);
    QTest::keyClick(&k, Qt::Key_Space);  // the 21st lies beyond MaxDate
    QCOMPARE(k.focusedDay(), dec(21));
    QCOMPARE(markedDays(k), (std::vector<int>{19, 20}));
    QTest::mouseClick(&k, Qt::LeftButton, {}, k.cellRect(dec(22)).center());
    QCOMPARE(markedDays(k), (std::vector<int>{19, 20}));
}

void CalendarWidgetsTest::settingMinDateClearsMarks() {
    TKalendarZHarm k;
    prepareCalendar(k);
    k.add(TKalendarZHarm::Set::Marked, dec(4));
    k.setMinDate(dec(2));
    QCOMPARE(k.markedCount(), 0);
    QVERIFY(!k.contains(TKalendarZHarm::Set::Markable, dec(4)));
}

void CalendarWidgetsTest::pickerShowsTextForNullAndClearsToNull() {
    TVQ_TabeliDatyPicker p;
    p.setTextPrzyPustej(QStringLiteral("brak"));
    p.setBinding(field_.get());
    p.show();
    QCOMPARE(p.text(), QStringLiteral("brak"));
    QVERIFY(p.isEmptyDate());
    QVERIFY(!p.clearButton()->isEnabled());  // browsing

    ds_->next();
    p.refresh();
    QCOMPARE(p.date(), dec(31));
    QCOMPARE(p.text(), QStringLiteral("2026.12.31"));
    ds_->edit();
    p.refresh();  // the window's answer to the record's new state
    QVERIFY(p.clearButton()->isEnabled());
    QTest::mouseClick(p.clearButton(), Qt::LeftButton);
    QCOMPARE(p.text(), QStringLiteral("brak"));
    ds_->post();
    QVERIFY(xb::isNull(xb::Table::open(path_)->read(2).value("DATA_DO")));

    // Required date: no clear button.
    p.setKoniecznaData(true);
    QVERIFY(p.clearButton()->isHidden());
}

void CalendarWidgetsTest::requiredDateLeftEmptyIsRefused() {
    QWidget window;
    auto* p = new TVQ_TabeliDatyPicker(&window);
    auto* other = new QLineEdit(&window);
    other->move(0, 40);
    QStringList warnings;
    p->setWarningSink([&](const QString& title, const QString& text) { warnings << title + "|" + text; });
    p->setTextPrzyPustej(QStringLiteral("brak"));
    p->setKoniecznaData(true);
    p->setDataWstepna(dec(11));
    p->setBinding(field_.get());
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    ds_->edit();
    p->setFocus();
    other->setFocus();
    QCOMPARE(warnings, QStringList{QStringLiteral(" Uwaga !|Należy określić datę !")});
    QCOMPARE(p->date(), dec(11));  // never had a date: the preselected day
    QTRY_VERIFY(p->hasFocus());
    QCOMPARE(field_->read(), dec(11));

    // With a date the picker can be left and the record gets it.
    other->setFocus();
    QCOMPARE(warnings.size(), 1);
    ds_->post();
    QCOMPARE(xb::Table::open(path_)->read(1).date("DATA_DO").day, 11);
}

QTEST_MAIN(CalendarWidgetsTest)
#include "calendar_widgets_test.moc"
