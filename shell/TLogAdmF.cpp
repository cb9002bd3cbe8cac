#include "TLogAdmF.h"

#include "Clock.h"
#include "EventLog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ewidor {

namespace {
QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QRadioButton* radio(QWidget* parent, const char* name, const char* caption, bool checked) {
    auto* r = new QRadioButton(QString::fromUtf8(caption), parent);
    r->setObjectName(name);
    r->setChecked(checked);
    return r;
}

// Two radio buttons in a framed box with a title; the second one's companion below.
QGroupBox* choice(QWidget* parent, const char* title, QRadioButton* a, QRadioButton* b) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    auto* group = new QButtonGroup(box);
    group->addButton(a);
    group->addButton(b);
    auto* column = new QVBoxLayout(box);
    column->addWidget(a);
    column->addWidget(b);
    return box;
}
} // namespace

TLogAdmF::TLogAdmF(LogAdmin& rules, Prompter& prompter, QWidget* parent)
    : QDialog(parent), rules_(rules), prompter_(prompter) {
    setObjectName("LogAdmF");
    setWindowTitle(QStringLiteral("Dziennik zdarzeń"));
    Siatka = new QTableWidget(0, 4, this);
    Siatka->setObjectName("Siatka");
    Siatka->setHorizontalHeaderLabels(
        {"Dnia", "Godzina", QStringLiteral("Użytkownik"), "Zdarzenie"});
    Siatka->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Siatka->setSelectionBehavior(QAbstractItemView::SelectRows);
    Siatka->horizontalHeader()->setStretchLastSection(true);
    auto* panel = new QWidget(this);
    auto* texts = new QVBoxLayout(panel);
    texts->addWidget(new QLabel(QStringLiteral("Kryteria :"), panel));
    EtRodzaj = new QLabel(panel);
    EtRodzaj->setObjectName("EtRodzaj");
    EtUzytk = new QLabel(panel);
    EtUzytk->setObjectName("EtUzytk");
    EtOkres = new QLabel(panel);
    EtOkres->setObjectName("EtOkres");
    for (QLabel* l : {EtRodzaj, EtUzytk, EtOkres})
        texts->addWidget(l);
    PcKryteria = button(this, "PcKryteria", "Zmi&eń kryteria");
    PcDrukuj = button(this, "PcDrukuj", "Dr&ukuj");
    PcArchiwizuj = button(this, "PcArchiwizuj", "&Archiwizuj LOG");
    PcKoniec = button(this, "PcKoniec", "&Koniec");
    connect(PcKryteria, &QPushButton::clicked, this, &TLogAdmF::showCriteriaPanel);
    connect(PcDrukuj, &QPushButton::clicked, this, [this] {
        prompter_.ShowMessage("Uwaga !",
                              "Wydruk zdarzeń nie jest jeszcze dostępny w tej wersji programu.");
    });
    connect(PcArchiwizuj, &QPushButton::clicked, this, &TLogAdmF::archive);
    connect(PcKoniec, &QPushButton::clicked, this, &TLogAdmF::reject);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {PcKryteria, PcDrukuj, PcArchiwizuj, PcKoniec})
        buttons->addWidget(b);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Siatka);
    column->addWidget(panel);
    column->addWidget(buildCriteria());
    column->addLayout(buttons);
    resize(720, 560);
}

QWidget* TLogAdmF::buildCriteria() {
    PanelKryteriow = new QGroupBox(QStringLiteral("Kryteria wyświetlanych zdarzeń :"), this);
    PanelKryteriow->setObjectName("PanelKryteriow");
    RbWszystkie = radio(PanelKryteriow, "RbWszystkie", "&Wszystkie", true);
    RbWybrane = radio(PanelKryteriow, "RbWybrane", "wy&Brane", false);
    RbWszyscy = radio(PanelKryteriow, "RbWszyscy", "&Wszystkich użytkowników", true);
    RbUzytkownik = radio(PanelKryteriow, "RbUzytkownik", "wybranego &Użytkownika", false);
    RbDowolny = radio(PanelKryteriow, "RbDowolny", "&Dowolnym", true);
    RbOkreslony = radio(PanelKryteriow, "RbOkreslony", "&Określonym", false);
    ListaZdarzen = new QListWidget(PanelKryteriow);
    ListaZdarzen->setObjectName("ListaZdarzen");
    for (int kind = 1; kind <= 4; ++kind)
        ListaZdarzen->addItem(q(EventLog::KindName(kind)));
    ListaZdarzen->setCurrentRow(0);
    ListaUzytk = new QComboBox(PanelKryteriow);
    ListaUzytk->setObjectName("ListaUzytk");
    OdDnia = new QDateEdit(QDate::currentDate().addMonths(-4), PanelKryteriow);
    OdDnia->setObjectName("OdDnia");
    DoDnia = new QDateEdit(QDate::currentDate(), PanelKryteriow);
    DoDnia->setObjectName("DoDnia");
    // Moving one date past the other moves the other along.
    connect(OdDnia, &QDateEdit::dateChanged, this, [this](QDate d) {
        if (d > DoDnia->date()) DoDnia->setDate(d);
    });
    connect(DoDnia, &QDateEdit::dateChanged, this, [this](QDate d) {
        if (d < OdDnia->date()) OdDnia->setDate(d);
    });
    auto* kinds = choice(PanelKryteriow, " Jakie zdarzenia : ", RbWszystkie, RbWybrane);
    kinds->layout()->addWidget(new QLabel(QStringLiteral("Rodzaj zdarzeń : "), kinds));
    kinds->layout()->addWidget(ListaZdarzen);
    auto* users = choice(PanelKryteriow, " Czyje zdarzenia : ", RbWszyscy, RbUzytkownik);
    users->layout()->addWidget(new QLabel(QStringLiteral("&Zdarzenia użytkownika :"), users));
    users->layout()->addWidget(ListaUzytk);
    auto* period = choice(PanelKryteriow, " Zapisane w okresie : ", RbDowolny, RbOkreslony);
    period->layout()->addWidget(new QLabel(QStringLiteral("od dnia :"), period));
    period->layout()->addWidget(OdDnia);
    period->layout()->addWidget(new QLabel(QStringLiteral("do dnia :"), period));
    period->layout()->addWidget(DoDnia);
    auto* filter = button(PanelKryteriow, "PcFiltr", "zastosuj &Filtr");
    auto* noFilter = button(PanelKryteriow, "PcBezFiltra", "w&Yłącz filtr");
    connect(filter, &QPushButton::clicked, this, &TLogAdmF::applyFilter);
    connect(noFilter, &QPushButton::clicked, this, &TLogAdmF::clearFilter);
    auto* row = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{kinds, users, period})
        row->addWidget(w);
    auto* actions = new QVBoxLayout;
    actions->addWidget(filter);
    actions->addWidget(noFilter);
    actions->addStretch();
    row->addLayout(actions);
    PanelKryteriow->setLayout(row);
    PanelKryteriow->hide();
    return PanelKryteriow;
}

void TLogAdmF::Open() {
    rules_.Open();
    showRows();
    showCriteriaTexts();
    PcKryteria->setVisible(rules_.LogHasEvents());
}

void TLogAdmF::showRows() {
    xb::Query& log = rules_.QLog();
    Siatka->setRowCount(0);
    if (log.active()) {
        for (bool more = log.first(); more; more = log.next()) {
            int row = Siatka->rowCount();
            Siatka->insertRow(row);
            xb::Date day = log.date("DNIA");
            Siatka->setItem(
                row, 0,
                new QTableWidgetItem(QDate(day.year, day.month, day.day).toString("yyyy.MM.dd")));
            Siatka->setItem(row, 1, new QTableWidgetItem(q(log.text("CZAS"))));
            Siatka->setItem(row, 2, new QTableWidgetItem(q(log.text("UZYTKOWNIK"))));
            Siatka->setItem(
                row, 3,
                new QTableWidgetItem(q(EventLog::KindName(static_cast<int>(log.number("ID_ZD"))))));
        }
    }
    bool shown = rules_.ShownEvents();
    PcDrukuj->setEnabled(shown);
    PcArchiwizuj->setEnabled(shown);
}

void TLogAdmF::showCriteriaTexts() {
    auto texts = LogFilter::Texts(rules_.Criteria());
    EtRodzaj->setText(q(texts[0]));
    EtUzytk->setText(q(texts[1]));
    EtOkres->setText(q(texts[2]));
}

void TLogAdmF::showCriteriaPanel() {
    PcDrukuj->setEnabled(false);
    PcArchiwizuj->setEnabled(false);
    ListaUzytk->clear();
    for (const std::string& user : rules_.Users())
        ListaUzytk->addItem(q(user));
    ListaUzytk->setCurrentIndex(ListaUzytk->count() > 0 ? 0 : -1);
    PanelKryteriow->show();
}

LogCriteria TLogAdmF::criteria() const {
    LogCriteria c;
    if (RbWybrane->isChecked()) c.kind = std::max(0, ListaZdarzen->currentRow()) + 1;
    if (RbUzytkownik->isChecked() && ListaUzytk->currentIndex() >= 0)
        c.user = ListaUzytk->currentText().toStdString();
    if (RbOkreslony->isChecked()) {
        c.from = FromQDate(OdDnia->date());
        c.to = FromQDate(DoDnia->date());
    }
    return c;
}

void TLogAdmF::applyFilter() {
    rules_.Apply(criteria());
    showRows();
    showCriteriaTexts();
    PanelKryteriow->hide();
}

void TLogAdmF::clearFilter() {
    rules_.ClearFilter();
    showRows();
    showCriteriaTexts();
    PanelKryteriow->hide();
}

void TLogAdmF::archive() {
    rules_.Archive();
    showRows();
    showCriteriaPanel();
}

void TLogAdmF::done(int result) {
    rules_.Close();
    QDialog::done(result);
}

} // namespace ewidor
