#include "GalleryWindow.h"

#include "DatasetDateField.h"
#include "DatasetFieldPair.h"
#include "TDBCzasUrlopow.h"
#include "TDBGodzMinProstyNowy.h"
#include "TDBGodzMinProstyUjemny.h"
#include "TDBGodzMinRozdzNowy.h"
#include "TDBUrlopyDn.h"
#include "TEdGodzMin.h"
#include "TKalendarZHarm.h"
#include "TVQDBGodzMinSmallTxt.h"
#include "TVQDBGodzMinTxt.h"
#include "TVQ_TabeliDatyPicker.h"
#include "TVQWynikGodzMin.h"

#include <Table.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace tv {
namespace {

constexpr int Year = 2026, Month = 12;

QString rodzajeDniOfMonth() {
    QString kinds;
    for (QDate d(Year, Month, 1); d.month() == Month; d = d.addDays(1))
        kinds += d.dayOfWeek() == Qt::Sunday ? u'S' : d.dayOfWeek() == Qt::Saturday ? u'W' : u'R';
    kinds[24] = u'S';  // 25 and 26 December
    kinds[25] = u'S';
    return kinds;
}

} // namespace

GalleryWindow::GalleryWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Ewidor – galeria kontrolek czasu"));
    createTable();
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    auto* left = new QVBoxLayout;
    left->addWidget(durationsBox());
    left->addWidget(recordButtons());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(calendarBox());
    right->addWidget(datesBox());
    right->addStretch(1);
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
    setCentralWidget(central);
    setEditing(true);
}

GalleryWindow::~GalleryWindow() {
    // The controls hold the adapters; they go before the record they point at.
    delete takeCentralWidget();
}

void GalleryWindow::createTable() {
    const std::string path = dir_.filePath(QStringLiteral("KARTA.DBF")).toStdString();
    xb::Table::create(path, xb::parseFieldList(
        "GODZ,N,4,0;MIN,N,4,0;G_NADPRAC,N,4,0;M_NADPRAC,N,4,0;GODZ1,N,4,0;MIN1,N,4,0;"
        "ST_KOSZ,C,6;ODDZIAL,C,3;ID_ZL,N,8,0;G_URLOP,N,4,0;M_URLOP,N,4,0;G_NALEZ,N,4,0;"
        "M_NALEZ,N,4,0;DATA_DO,D;"));
    {
        auto table = xb::Table::open(path);
        xb::Record r = table->blankRecord();
        for (auto [field, value] : std::initializer_list<std::pair<const char*, double>>{
                 {"GODZ", 7}, {"MIN", 45}, {"G_NADPRAC", -1}, {"M_NADPRAC", -30}, {"GODZ1", 2},
                 {"MIN1", 30}, {"ID_ZL", 4711}, {"G_URLOP", 28}, {"M_URLOP", 0}, {"G_NALEZ", 208}})
            r.set(field, value);
        r.set("ST_KOSZ", std::string("501"));
        r.set("ODDZIAL", std::string("12"));
        table->append(r);
    }
    record_ = std::make_unique<xb::Dataset>(path);
    record_->open();
    dateField_ = std::make_unique<DatasetDateField>(*record_, "DATA_DO");
}

DatasetFieldPair* GalleryWindow::pair(const char* hours, const char* minutes) {
    pairs_.push_back(std::make_unique<DatasetFieldPair>(*record_, hours, minutes));
    return pairs_.back().get();
}

QGroupBox* GalleryWindow::durationsBox() {
    auto* box = new QGroupBox(QStringLiteral("Czas w godzinach i minutach"), this);
    auto* form = new QFormLayout(box);

    calculator_ = new TEdGodzMin(box);
    calculator_->setReadOnly(false);
    calculator_->setIleMinut(90);
    form->addRow(QStringLiteral("TEdGodzMin (do 12 godz.)"), calculator_);

    auto* simple = new TDBGodzMinProstyNowy(box);
    simple->setBinding(pair("GODZ", "MIN"));
    simple->setMaxMinut(480);
    simple->setKwantCzasu(5);
    form->addRow(QStringLiteral("TDBGodzMinProstyNowy (do 8 godz., co 5 min.)"), simple);

    sum_ = new TVQWynikGodzMin(box);
    form->addRow(QStringLiteral("TVQWynikGodzMin (suma obu powyżej)"), sum_);

    auto* balance = new TDBGodzMinProstyUjemny(box);
    balance->setBinding(pair("G_NADPRAC", "M_NADPRAC"));
    balance->setMinMinut(-480);
    form->addRow(QStringLiteral("TDBGodzMinProstyUjemny (od -8 godz.)"), balance);

    auto* line = new QWidget(box);
    auto* lineRow = new QHBoxLayout(line);
    lineRow->setContentsMargins(0, 0, 0, 0);
    auto* split = new TDBGodzMinRozdzNowy(line);
    auto* costs = new QComboBox(line);
    costs->addItems({QStringLiteral("501"), QStringLiteral("502")});
    auto* departments = new QComboBox(line);
    departments->addItems({QStringLiteral("12"), QStringLiteral("14")});
    auto* order = new QLabel(QStringLiteral("zlec. 4711"), line);
    for (QWidget* w : std::initializer_list<QWidget*>{split, costs, departments, order}) lineRow->addWidget(w);
    lineRow->addStretch(1);
    split->setListaSkojarzona(costs);
    split->setListaOddzSkojarzona(departments);
    split->setNrZleceniaSkojarzony(order);
    split->setPoleStanowiska(QStringLiteral("ST_KOSZ"));
    split->setPoleOddzialu(QStringLiteral("ODDZIAL"));
    split->setPoleZlecenia(QStringLiteral("ID_ZL"));
    split->setBinding(pair("GODZ1", "MIN1"));
    form->addRow(QStringLiteral("TDBGodzMinRozdzNowy (linia karty)"), line);
    auto* deletable = new QCheckBox(QStringLiteral("MoznaUsuwac (brak kart uzupełniających)"), box);
    deletable->setChecked(true);
    connect(deletable, &QCheckBox::toggled, split, &TDBGodzMinRozdzNowy::setMoznaUsuwac);
    form->addRow(QString(), deletable);

    auto* vacation = new TDBCzasUrlopow(box);
    vacation->setBinding(pair("G_NALEZ", "M_NALEZ"));
    form->addRow(QStringLiteral("TDBCzasUrlopow (wymiar urlopu)"), vacation);
    auto* vacationDays = new TDBUrlopyDn(box);
    vacationDays->setBinding(pair("G_URLOP", "M_URLOP"));
    form->addRow(QStringLiteral("TDBUrlopyDn (urlop z dniami)"), vacationDays);

    auto* display = new TVQDBGodzMinTxt(box);
    auto* displayCaption = new QLabel(QStringLiteral("(OpisSkojarzony)"), box);
    display->setOpisSkojarzony(displayCaption);
    display->setBinding(pairs_.front().get());
    auto* small = new TVQDBGodzMinSmallTxt(box);
    small->setBinding(pairs_[1].get());
    auto* displays = new QWidget(box);
    auto* displayRow = new QHBoxLayout(displays);
    displayRow->setContentsMargins(0, 0, 0, 0);
    displayRow->addWidget(display);
    displayRow->addWidget(displayCaption);
    displayRow->addSpacing(24);
    displayRow->addWidget(small);
    displayRow->addStretch(1);
    form->addRow(QStringLiteral("TVQDBGodzMinTxt / SmallTxt"), displays);
    displays_ = {display, small};

    edits_ = {simple, balance, split, vacation, vacationDays};
    for (DurationEditBase* e : std::initializer_list<DurationEditBase*>{calculator_, simple, balance, split, vacation, vacationDays})
        connect(e, &DurationEditBase::PrzyZmianie, this, [this] {
            for (FieldPairDisplay* d : displays_) d->refresh();
            showSum();
        });

    auto* minutes = new QCheckBox(QStringLiteral("MinutyWidoczne (ZapisWMinutach)"), box);
    minutes->setChecked(true);
    connect(minutes, &QCheckBox::toggled, this, [this](bool on) {
        calculator_->setMinutyWidoczne(on);
        for (TDBGodzMinNowy* e : edits_) e->setMinutyWidoczne(on);
        sum_->setMinutyWidoczne(on);
    });
    form->addRow(QString(), minutes);
    return box;
}

QWidget* GalleryWindow::recordButtons() {
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    auto* edit = new QPushButton(QStringLiteral("Edytuj"), bar);
    auto* post = new QPushButton(QStringLiteral("Zapisz"), bar);
    auto* cancel = new QPushButton(QStringLiteral("Anuluj"), bar);
    state_ = new QLabel(bar);
    connect(edit, &QPushButton::clicked, this, [this] { setEditing(true); });
    connect(post, &QPushButton::clicked, this, [this] {
        record_->post();
        setEditing(false);
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        record_->cancel();
        setEditing(false);
    });
    for (QWidget* w : std::initializer_list<QWidget*>{edit, post, cancel, state_}) row->addWidget(w);
    row->addStretch(1);
    return bar;
}

QGroupBox* GalleryWindow::calendarBox() {
    auto* box = new QGroupBox(QStringLiteral("TKalendarZHarm"), this);
    auto* layout = new QVBoxLayout(box);
    calendar_ = new TKalendarZHarm(box);
    calendar_->setMonth(Year, Month);
    calendar_->setMinDate(QDate(Year, Month, 1));
    calendar_->setMaxDate(QDate(Year, Month, 23));
    calendar_->setRodzajeDni(rodzajeDniOfMonth());
    calendar_->setZapisaneWidoczne(true);
    const QString kinds = calendar_->rodzajeDni();
    for (QDate d(Year, Month, 1); d.month() == Month; d = d.addDays(1)) {
        if (kinds.at(d.day() - 1) != u'R') continue;
        calendar_->add(TKalendarZHarm::Set::Markable, d);
        calendar_->add(d.day() <= 15 ? TKalendarZHarm::Set::DayShift : TKalendarZHarm::Set::NightShift, d);
        if (d.day() <= 4) calendar_->add(TKalendarZHarm::Set::Saved, d);
    }
    for (int day : {8, 9, 10}) calendar_->add(TKalendarZHarm::Set::Marked, QDate(Year, Month, day));
    calendar_->setMinimumSize(calendar_->sizeHint());
    layout->addWidget(calendar_);
    marked_ = new QLabel(box);
    layout->addWidget(marked_);
    auto* deleting = new QCheckBox(QStringLiteral("CzyUsuwanie"), box);
    connect(deleting, &QCheckBox::toggled, calendar_, &TKalendarZHarm::setCzyUsuwanie);
    layout->addWidget(deleting);
    connect(calendar_, &TKalendarZHarm::OnDateClick, this, &GalleryWindow::showMarked);
    showMarked();
    return box;
}

QGroupBox* GalleryWindow::datesBox() {
    auto* box = new QGroupBox(QStringLiteral("Daty"), this);
    auto* form = new QFormLayout(box);
    auto* free = new TVQDatyPicker(box);
    free->setTextPrzyPustej(QStringLiteral("(brak daty)"));
    free->setDateTime(free->pustaData());
    form->addRow(QStringLiteral("TVQDatyPicker"), free);
    auto* optional = new TVQ_TabeliDatyPicker(box);
    optional->setTextPrzyPustej(QStringLiteral("(bez terminu)"));
    optional->setBinding(dateField_.get());
    form->addRow(QStringLiteral("TVQ_TabeliDatyPicker"), optional);
    auto* required = new TVQ_TabeliDatyPicker(box);
    required->setTextPrzyPustej(QStringLiteral("(wymagana)"));
    required->setKoniecznaData(true);
    required->setBinding(dateField_.get());
    form->addRow(QStringLiteral("… z KoniecznaData"), required);
    pickers_ = {optional, required};
    for (TVQDatyPicker* p : std::initializer_list<TVQDatyPicker*>{free, optional, required}) p->setMinimumWidth(150);
    return box;
}

void GalleryWindow::setEditing(bool editing) {
    if (editing) record_->edit();
    for (TDBGodzMinNowy* e : edits_) e->setReadOnly(!editing);
    state_->setText(editing ? QStringLiteral("Rekord w edycji") : QStringLiteral("Przeglądanie"));
    refreshAll();
}

void GalleryWindow::refreshAll() {
    for (TDBGodzMinNowy* e : edits_) e->refresh();
    for (FieldPairDisplay* d : displays_) d->refresh();
    for (TVQ_TabeliDatyPicker* p : pickers_) p->refresh();
    showSum();
}

void GalleryWindow::showSum() { sum_->setIleMinut(calculator_->ileMinut() + edits_.front()->ileMinut()); }

void GalleryWindow::showMarked() {
    QStringList days;
    for (int i = 0; i < calendar_->markedCount(); ++i) days << QString::number(calendar_->marked(i).day());
    marked_->setText(QStringLiteral("Zaznaczone dni: ") + (days.isEmpty() ? QStringLiteral("brak") : days.join(u',')));
}

} // namespace tv
