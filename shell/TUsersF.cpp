#include "TUsersF.h"

#include "Clock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ewidor {

namespace {
QString q(const std::string& s) {
    return QString::fromStdString(s);
}

QLineEdit* edit(QWidget* parent, const char* name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setMaxLength(maxLength);
    return e;
}
} // namespace

const std::vector<std::pair<bool Rights::*, const char*>>& TUsersF::RightBoxes() {
    static const std::vector<std::pair<bool Rights::*, const char*>> boxes = {
        {&Rights::Centrala, "Pobranie i wczytanie zbiorów Centrali"},
        {&Rights::EdycjaZbior, "Edycja kart pracy, katalogów, Otw./Zam. miesięcy"},
        {&Rights::OtworzRok, "Założenie zbiorów na rok następny"},
        {&Rights::Konfig, "Konfiguracja systemu"},
        {&Rights::Kontrup, "Kontrola uprawnień użytkowników"},
        {&Rights::DoCentr, "Wysłanie miesięcznych paczek do Centrali"},
        {&Rights::InterDost, "Dostep do sieci Internet"},
        {&Rights::MozePremie, "Edycja i wydruk premii"},
        {&Rights::MozeUrlopy, "Edycja urlopów i zwolnień lekarskich"},
        {&Rights::FtpDost, "Dostęp do serwera FTP"},
        {&Rights::Aktualizacja, "Pobranie nowej wersji Ewidor.EXE"},
        {&Rights::EdycjaKwotBox, "Edycja kwot pracowników"},
    };
    return boxes;
}

namespace {
const char* const kRightNames[] = {"Centrala",   "EdycjaZbior", "OtworzRok",    "Konfig",
                                   "Kontrup",    "DoCentr",     "InterDost",    "MozePremie",
                                   "MozeUrlopy", "FtpDost",     "Aktualizacja", "EdycjaKwotBox"};
}

TUsersF::TUsersF(UsersAdmin& rules, QWidget* parent) : QDialog(parent), rules_(rules) {
    setObjectName("UsersF");
    setWindowTitle(QStringLiteral("Kontrola uprawnień użytkowników systemu"));
    Lista = new QComboBox(this);
    Lista->setObjectName("Lista");
    connect(Lista, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (!editing_ && i >= 0) showUser(i);
    });
    auto* column = new QVBoxLayout(this);
    column->addWidget(Lista);
    column->addWidget(buildFields());
    column->addWidget(buildGroups());
    column->addWidget(buildButtons());
}

QWidget* TUsersF::buildFields() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    auto* form = new QFormLayout;
    EdImie = edit(box, "EdImie", 15);
    EdNazw = edit(box, "EdNazw", 30);
    EdZnak = edit(box, "EdZnak", 3);
    EdHaslo = edit(box, "EdHaslo", 8);
    EdHaslo->setEchoMode(QLineEdit::Password);
    EdHaslo->setStyleSheet("lineedit-password-character: 42");
    connect(EdHaslo, &QLineEdit::textEdited, this, [this] { passwordChanged_ = true; });
    form->addRow(QStringLiteral("Imię :"), EdImie);
    form->addRow(QStringLiteral("Nazwisko :"), EdNazw);
    form->addRow(QStringLiteral("Znak :"), EdZnak);
    form->addRow(QStringLiteral("Hasło :"), EdHaslo);
    OdDnia = new QDateEdit(box);
    OdDnia->setObjectName("OdDnia");
    OdDnia->setCalendarPopup(true);
    DoDniaZnacznik = new QCheckBox(QStringLiteral("do dnia :"), box);
    DoDniaZnacznik->setObjectName("DoDniaZnacznik");
    DoDnia = new QDateEdit(box);
    DoDnia->setObjectName("DoDnia");
    DoDnia->setCalendarPopup(true);
    connect(DoDniaZnacznik, &QCheckBox::toggled, DoDnia,
            [this](bool on) { DoDnia->setEnabled(on && editing_); });
    form->addRow(QStringLiteral("Uprawnienia od dnia :"), OdDnia);
    form->addRow(DoDniaZnacznik, DoDnia);
    grid->addLayout(form, 0, 0);
    auto* rights = new QVBoxLayout;
    for (size_t i = 0; i < RightBoxes().size(); ++i) {
        auto* check = new QCheckBox(QString::fromUtf8(RightBoxes()[i].second), box);
        check->setObjectName(kRightNames[i]);
        rights_[kRightNames[i]] = check;
        rights->addWidget(check);
    }
    grid->addLayout(rights, 0, 1);
    return box;
}

QWidget* TUsersF::buildGroups() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    L1 = new QListWidget(box);
    L1->setObjectName("L1");
    L2 = new QListWidget(box);
    L2->setObjectName("L2");
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Uprawniony do grup : "), box));
    left->addWidget(L1);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Grupy niedostępne : "), box));
    right->addWidget(L2);
    auto* moves = new QVBoxLayout;
    struct Move {
        const char *name, *caption;
        bool toL1, all;
    } const kMoves[] = {{"PcDoL1", "<", true, false},
                        {"PcWszystkieDoL1", "<<", true, true},
                        {"PcDoL2", ">", false, false},
                        {"PcWszystkieDoL2", ">>", false, true}};
    for (const Move& m : kMoves) {
        auto* b = new QPushButton(m.caption, box);
        b->setObjectName(m.name);
        buttons_[m.name] = b;
        connect(b, &QPushButton::clicked, this,
                [this, m] { m.toL1 ? moveGroups(L2, L1, m.all) : moveGroups(L1, L2, m.all); });
        moves->addWidget(b);
    }
    connect(L1, &QListWidget::itemDoubleClicked, this, [this] {
        if (editing_) moveGroups(L1, L2, false);
    });
    connect(L2, &QListWidget::itemDoubleClicked, this, [this] {
        if (editing_) moveGroups(L2, L1, false);
    });
    row->addLayout(left);
    row->addLayout(moves);
    row->addLayout(right);
    return box;
}

QWidget* TUsersF::buildButtons() {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    const std::pair<const char*, const char*> kButtons[] = {
        {"PcNowy", "&Nowy"},     {"PcZmien", "z&Mień"},   {"PcUsun", "&Usuń"},
        {"PcZapisz", "&Zapisz"}, {"PcAnuluj", "&Anuluj"}, {"PcKoniec", "&Koniec"}};
    for (auto [name, caption] : kButtons) {
        auto* b = new QPushButton(QString::fromUtf8(caption), box);
        b->setObjectName(name);
        b->setAutoDefault(false);
        buttons_[name] = b;
        row->addWidget(b);
    }
    connect(buttons_["PcNowy"], &QPushButton::clicked, this, &TUsersF::onNew);
    connect(buttons_["PcZmien"], &QPushButton::clicked, this, &TUsersF::onChange);
    connect(buttons_["PcUsun"], &QPushButton::clicked, this, &TUsersF::onDelete);
    connect(buttons_["PcZapisz"], &QPushButton::clicked, this, &TUsersF::onSave);
    connect(buttons_["PcAnuluj"], &QPushButton::clicked, this, [this] {
        setEditing(false);
        showUser(Lista->currentIndex());
    });
    connect(buttons_["PcKoniec"], &QPushButton::clicked, this, &TUsersF::reject);
    return box;
}

bool TUsersF::Open() {
    if (!rules_.Open(Today())) return false;
    fillChooser(0);
    setEditing(false);
    return true;
}

void TUsersF::fillChooser(int select) {
    QSignalBlocker block(Lista);
    Lista->clear();
    for (const UserRecord& u : rules_.Users())
        Lista->addItem(q(u.FullName()));
    Lista->setCurrentIndex(rules_.Users().empty() ? -1 : std::max(0, select));
    if (Lista->currentIndex() >= 0) showUser(Lista->currentIndex());
}

void TUsersF::showDraft(const UserDraft& d) {
    EdImie->setText(q(d.user.FirstName));
    EdNazw->setText(q(d.user.Surname));
    EdZnak->setText(q(d.user.Sign));
    EdHaslo->setText(q(d.user.Password));
    for (size_t i = 0; i < RightBoxes().size(); ++i)
        rights_[kRightNames[i]]->setChecked(d.user.rights.*RightBoxes()[i].first);
    OdDnia->setDate(ToQDate(d.user.ValidFrom));
    DoDniaZnacznik->setChecked(d.user.HasEndDate);
    DoDnia->setDate(ToQDate(d.user.ValidTo));
    std::string allowed;
    for (int g : d.allowed)
        allowed += "/" + GroupEntry{g, {}}.Three();
    auto [inside, outside] = rules_.Split(allowed);
    L1->clear();
    L2->clear();
    auto add = [](QListWidget* list, const GroupEntry& g) {
        auto* item = new QListWidgetItem(q(g.name), list);
        item->setData(Qt::UserRole, g.number);
    };
    for (const auto& g : inside)
        add(L1, g);
    for (const auto& g : outside)
        add(L2, g);
    passwordChanged_ = d.passwordChanged;
}

void TUsersF::showUser(int index) {
    if (index < 0 || index >= static_cast<int>(rules_.Users().size())) return;
    index_ = index;
    showDraft(rules_.EditDraft(index));
}

UserDraft TUsersF::draft() const {
    UserDraft d;
    d.user.FirstName = EdImie->text().trimmed().toStdString();
    d.user.Surname = EdNazw->text().trimmed().toStdString();
    d.user.Sign = EdZnak->text().trimmed().toStdString();
    d.user.Password = EdHaslo->text().toStdString();
    for (size_t i = 0; i < RightBoxes().size(); ++i)
        d.user.rights.*RightBoxes()[i].first = rights_.at(kRightNames[i])->isChecked();
    d.user.ValidFrom = FromQDate(OdDnia->date());
    d.user.HasEndDate = DoDniaZnacznik->isChecked();
    d.user.ValidTo = FromQDate(DoDnia->date());
    for (int i = 0; i < L1->count(); ++i)
        d.allowed.push_back(L1->item(i)->data(Qt::UserRole).toInt());
    d.passwordChanged = passwordChanged_;
    return d;
}

void TUsersF::setEditing(bool on) {
    editing_ = on;
    Lista->setEnabled(!on);
    for (QLineEdit* e : {EdImie, EdNazw, EdZnak, EdHaslo})
        e->setReadOnly(!on);
    bool locked = on && rules_.KontrupLocked(index_);
    for (auto& [name, check] : rights_)
        check->setEnabled(on && !(locked && name == "Kontrup"));
    OdDnia->setEnabled(on && !locked);
    DoDniaZnacznik->setEnabled(on && !locked);
    DoDnia->setEnabled(on && !locked && DoDniaZnacznik->isChecked());
    for (const char* name : {"PcNowy", "PcZmien", "PcUsun", "PcKoniec"})
        buttons_[name]->setEnabled(!on);
    for (const char* name :
         {"PcZapisz", "PcAnuluj", "PcDoL1", "PcWszystkieDoL1", "PcDoL2", "PcWszystkieDoL2"})
        buttons_[name]->setEnabled(on);
    bool any = !rules_.Users().empty();
    buttons_["PcZmien"]->setEnabled(!on && any);
    buttons_["PcUsun"]->setEnabled(!on && any);
}

void TUsersF::moveGroups(QListWidget* from, QListWidget* to, bool all) {
    QList<QListWidgetItem*> items =
        all ? from->findItems("*", Qt::MatchWildcard) : from->selectedItems();
    if (!all && items.isEmpty() && from->currentItem()) items << from->currentItem();
    for (QListWidgetItem* item : items)
        to->addItem(from->takeItem(from->row(item)));
}

void TUsersF::onNew() {
    index_ = -1;
    showDraft(rules_.NewDraft(Today()));
    setEditing(true);
    EdImie->setFocus();
}

void TUsersF::onChange() {
    if (index_ < 0) return;
    setEditing(true);
    EdImie->setFocus();
}

void TUsersF::onDelete() {
    int index = Lista->currentIndex();
    if (index < 0) return;
    rules_.Delete(index, Today());
    fillChooser(std::min(index, static_cast<int>(rules_.Users().size()) - 1));
    setEditing(false);
}

void TUsersF::onSave() {
    UserDraft d = draft();
    if (index_ < 0) d.passwordChanged = true;
    int saved = rules_.Save(index_, d, Today());
    if (saved < 0) return;
    setEditing(false);
    fillChooser(saved);
}

void TUsersF::reject() {
    if (editing_) return; // the window closes only in browse mode
    QDialog::reject();
}

} // namespace ewidor
