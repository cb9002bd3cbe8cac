#include "TKonfig.h"

#include "TCzekaj.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace ewidor {
namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

const char* const kProxyMethods[] = {"Wyślij ustaw. PROXY a potem FTP", "Wyślij polecenie SITE",
                                     "Wyślij polecenie OPEN", "Wyślij polecenie USER",
                                     "Przezroczysty"};

// The controls of the FTP page; the update page's carry the suffix "Akt".
QString onBoxOf(KonfigPage page) {
    return page == KonfigPage::Aktualizacja ? "BoxAktual" : "Boxftp";
}
QString suffixOf(KonfigPage page) {
    return page == KonfigPage::Aktualizacja ? "Akt" : "";
}

} // namespace

TKonfig::TKonfig(KonfigRules& rules, QWidget* parent)
    : QDialog(parent), rules_(rules), wait_(new TCzekaj(this)) {
    setObjectName("Konfig");
    setWindowTitle(QStringLiteral("Konfiguracja systemu"));
    Strony = new QTabWidget(this);
    Strony->setObjectName("Strony");
    addTab(buildDirectories(), KonfigPage::Katalogi, QStringLiteral("&Katalogi   "));
    addTab(buildLocal(), KonfigPage::Lokalne, QStringLiteral("&Ust. lokalne "));
    addTab(buildMail(), KonfigPage::Poczta, QStringLiteral(" &Poczta "));
    addTab(buildTransfer(KonfigPage::Ftp), KonfigPage::Ftp, QStringLiteral("protokół &FTP "));
    if (rules_.UpdatePagePresent())
        addTab(buildTransfer(KonfigPage::Aktualizacja), KonfigPage::Aktualizacja,
               QStringLiteral("&Aktualizacja  "));

    for (const KonfigNumber& n : KonfigRules::NumberControls())
        if (auto* e = find<QLineEdit>(n.control))
            e->setMaximumWidth(90); // ports and milliseconds are short

    auto* buttons = new QDialogButtonBox(this);
    PcZapisz = buttons->addButton(QStringLiteral("za&Pisz"), QDialogButtonBox::AcceptRole);
    PcZapisz->setObjectName("PcZapisz");
    buttons->addButton(QStringLiteral("&Anuluj"), QDialogButtonBox::RejectRole)
        ->setObjectName("PcAnuluj");
    auto* help = buttons->addButton(QStringLiteral("Pomoc"), QDialogButtonBox::HelpRole);
    help->setObjectName("PcPomoc");
    help->setEnabled(false); // the help file is not read on this platform
    connect(buttons, &QDialogButtonBox::accepted, this, &TKonfig::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &TKonfig::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(Strony);
    column->addWidget(buttons);
}

void TKonfig::addTab(QWidget* page, KonfigPage kind, const QString& caption) {
    Strony->addTab(page, caption);
    pages_[kind] = page;
}

template <class T> T* TKonfig::find(const char* name) const {
    return findChild<T*>(QString::fromLatin1(name));
}

QCheckBox* TKonfig::box(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QCheckBox(caption, parent);
    b->setObjectName(name);
    connect(b, &QCheckBox::toggled, this, [this] { edited(); });
    return b;
}

QLineEdit* TKonfig::edit(QWidget* parent, const QString& name) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    connect(e, &QLineEdit::textEdited, this, [this] { edited(); });
    return e;
}

QPushButton* TKonfig::button(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QWidget* TKonfig::panel(QWidget* parent, const QString& name, const QString& title, bool advanced) {
    QWidget* p = title.isEmpty() ? new QWidget(parent) : new QGroupBox(title, parent);
    p->setObjectName(name);
    if (advanced) advanced_.insert(name);
    return p;
}

void TKonfig::addNote(QVBoxLayout* column, const QString& note) {
    auto* label = new QLabel(note);
    label->setContentsMargins(24, 0, 0, 0);
    label->setStyleSheet("color: #555555;");
    column->addWidget(label);
}

QWidget* TKonfig::buildDirectories() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    struct Row {
        KonfigDir kind;
        const char* caption;
        const char* label;
        const char* change;
        const char* changeCaption;
        const char* clear;
        const char* clearCaption;
    };
    const Row rows[] = {
        {KonfigDir::BazyK, "1. Ścieżka dostępu do katalogu BAZY_K : ", "EtBaz", "PcZmienBaz",
         "&1. Zmień", nullptr, nullptr},
        {KonfigDir::BazyCt, "2. Ścieżka dostępu do katalogu BAZY_CT w centrali systemu : ",
         "EtPlac", "PcZmienPlac", "&2. Zmień", "PcNiedostPlac", "&Niedostępny"},
        {KonfigDir::ExportCt, "3. Ścieżka dostępu do katalogu EXPORTCT w centrali systemu : ",
         "EtCentr", "PcZmienCentr", "&3. Zmień", "PcNiedostCentr", "nie&Dostępny"},
    };
    for (const Row& r : rows) {
        column->addWidget(new QLabel(QString::fromUtf8(r.caption), page));
        auto* path = new QLabel(page);
        path->setObjectName(r.label);
        path->setContentsMargins(16, 0, 0, 0);
        column->addWidget(path);
        auto* line = new QHBoxLayout;
        line->addStretch();
        auto* change = button(page, r.change, QString::fromUtf8(r.changeCaption));
        connect(change, &QPushButton::clicked, this, [this, kind = r.kind] {
            collect();
            rules_.ChooseDirectory(kind);
            fill();
        });
        line->addWidget(change);
        if (r.clear) {
            auto* clear = button(page, r.clear, QString::fromUtf8(r.clearCaption));
            connect(clear, &QPushButton::clicked, this, [this, kind = r.kind] {
                collect();
                rules_.ClearHqPath(kind);
                fill();
            });
            line->addWidget(clear);
        }
        column->addLayout(line);
        column->addSpacing(12);
    }
    column->addStretch();
    return page;
}

QWidget* TKonfig::buildLocal() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setSpacing(2);
    column->addWidget(
        box(page, "JakaBarbor", QStringLiteral("4 grudnia jest dniem wolnym od pracy")));
    column->addWidget(box(page, "CzyPremia", QStringLiteral("Występuje premia")));
    auto* accuracy =
        new QGroupBox(QStringLiteral(" Czas pracy jest wprowadzany z dokładnością do : "), page);
    accuracy->setObjectName("Dokladnosc");
    auto* radios = new QHBoxLayout(accuracy);
    for (auto [name, caption] : {std::pair{"DokladnoscGodziny", "całej &Godziny"},
                                 {"DokladnoscMinuty", "jednej &Minuty"}}) {
        auto* radio = new QRadioButton(QString::fromUtf8(caption), accuracy);
        radio->setObjectName(name);
        connect(radio, &QRadioButton::toggled, this, [this] { edited(); });
        radios->addWidget(radio);
    }
    column->addWidget(accuracy);
    column->addWidget(box(page, "MoznaZmienicProcent",
                          QStringLiteral("Można wprowadzać procent wynagrodzenia chorobowego")));
    column->addWidget(
        box(page, "SprawdzHarm", QStringLiteral("Sprawdzać harmonogramy przy zamykaniu miesiąca")));
    column->addWidget(
        box(page, "JestMacZlec", QStringLiteral("Pracownicy mają zlecenie macierzyste")));
    column->addWidget(
        box(page, "UrlopyDoRK",
            QStringLiteral("Godziny urlopów na macierzysty ośrodek kosztów i oddział")));
    addNote(column, QStringLiteral("(dotyczy tylko urlopów płatnych)"));
    column->addWidget(
        box(page, "ZwolnDoRK",
            QStringLiteral("Godziny zwolnień na macierzysty ośrodek kosztów i oddział")));
    addNote(column,
            QStringLiteral("(dotyczy tylko zwolnień lekarskich płatnych przez pracodawcę)"));
    column->addWidget(
        box(page, "Dodatek50", QStringLiteral("Dodatek 50 % za niepełny dzień pracy")));
    column->addWidget(
        box(page, "SetekEdycja", QStringLiteral("Można edytować godziny nadliczbowe 100 %")));
    column->addWidget(box(page, "UrlopySprawdz", QStringLiteral("Kontrolować stan urlopów")));
    auto* limit = box(
        page, "Blokuj120",
        QStringLiteral("Blokada zamknięcia miesiąca po przekroczeniu 120 godzin nadliczbowych"));
    limit->setToolTip(QStringLiteral(
        "Jeśli to pole jest zaznaczone, nie można zamknąć miesiąca w wybranej grupie "
        "pracowniczej, gdy którykolwiek pracownik tej grupy przekroczył limit 120 godzin "
        "nadliczbowych rocznie."));
    column->addWidget(limit);
    column->addWidget(
        box(page, "Nadpracowane", QStringLiteral("Ewidencja godzin nadpracowanych do odbioru")));
    column->addWidget(
        box(page, "SobotaSwie", QStringLiteral("Soboty mogą być dniami świątecznymi")));
    addNote(column, QStringLiteral("(dla pracowników zmianowych będą świąteczne)"));
    column->addWidget(
        box(page, "DodatkiZmian",
            QStringLiteral(
                "Dodatkowe dni wolne z dodatkiem świątecznym, soboty pracujące bez dodatku")));
    auto* password = new QHBoxLayout;
    password->addWidget(
        box(page, "ForcePass", QStringLiteral("Wymuszać okresową zmianę haseł, co")));
    auto* days = edit(page, "EdIleDni");
    password->addWidget(days);
    auto* daysLabel = new QLabel(QStringLiteral("dni"), page);
    daysLabel->setObjectName("EtDni");
    password->addWidget(daysLabel);
    password->addStretch();
    column->addLayout(password);
    column->addWidget(
        box(page, "KwotEdycjaBox", QStringLiteral("Można edytować kwoty pracowników")));
    column->addStretch();
    return page;
}

QWidget* TKonfig::buildMail() {
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(box(page, "InterDostep",
                          QStringLiteral("Możliwość przesyłania zbiorów pocztą elektroniczną")));
    QWidget* mail = panel(page, "PanelPoczta", {}, false);
    auto* mailColumn = new QVBoxLayout(mail);
    auto* form = new QFormLayout;
    auto* address = edit(mail, "EdAdres");
    connect(address, &QLineEdit::editingFinished, this, [this] {
        collect();
        rules_.AddressLeft();
        fill();
    });
    form->addRow(QStringLiteral("Adres internetowej \"skrzynki pocztowej\" : "), address);
    form->addRow(QStringLiteral("Serwer poczty wychodzącej : "), edit(mail, "EdWych"));
    form->addRow(QStringLiteral("Serwer poczty przychodzącej : "), edit(mail, "EdPrzych"));
    mailColumn->addLayout(form);

    QWidget* connection =
        panel(mail, "PanelPolaczen", QStringLiteral("Ustawienia połączeń"), false);
    auto* buttons = new QHBoxLayout(connection);
    auto* advanced = button(connection, "PcZaawPoczta", QStringLiteral("&Zaawansowane"));
    connect(advanced, &QPushButton::clicked, this, [this] {
        toggleAdvanced({"PanelSMTP", "PanelPOP3"});
    });
    auto* standard = button(connection, "PcStandPoczta", QStringLiteral("&Standardowe"));
    connect(standard, &QPushButton::clicked, this, [this] {
        collect();
        rules_.MailStandard();
        fill();
    });
    buttons->addWidget(advanced);
    buttons->addWidget(standard);
    buttons->addStretch();
    mailColumn->addWidget(connection);

    auto protocol = [&](const char* name, const QString& title, const char* ssl, const char* port,
                        const char* timeOut) {
        QWidget* p = panel(mail, name, title, true);
        auto* f = new QFormLayout(p);
        auto* sslBox =
            new QCheckBox(QStringLiteral("Serwer wymaga bezpiecznego połączenia (SSL)"), p);
        sslBox->setObjectName(ssl);
        connect(sslBox, &QCheckBox::toggled, this, [this, sslBox](bool on) {
            if (filling_) return;
            collect();
            if (sslBox->objectName() == "BoxSMTPSSL")
                rules_.SetSmtpSsl(on);
            else
                rules_.SetPop3Ssl(on);
            fill();
        });
        f->addRow(sslBox);
        f->addRow(QStringLiteral("Port :"), edit(p, port));
        f->addRow(QStringLiteral("TimeOut (ms) :"), edit(p, timeOut));
        mailColumn->addWidget(p);
        return f;
    };
    protocol("PanelSMTP", QStringLiteral("Ustawienia protokołu SMTP (poczta wychodząca):"),
             "BoxSMTPSSL", "EdPortSMTP", "EdTimeOutSMTP")
        ->addRow(box(mail, "BoxAutoryzacja", QStringLiteral("Serwer wymaga autoryzacji")));
    protocol("PanelPOP3", QStringLiteral("Ustawienia protokołu POP3 (poczta przychodząca) :"),
             "BoxPOP3SSL", "EdPortPOP3", "EdTimeOutPOP3");
    column->addWidget(mail);
    column->addStretch();
    return page;
}

QWidget* TKonfig::buildTransfer(KonfigPage kind) {
    const QString s = suffixOf(kind);
    auto name = [&](const char* stem) { return QString::fromLatin1(stem) + s; };
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->addWidget(
        box(page, onBoxOf(kind),
            kind == KonfigPage::Aktualizacja
                ? QStringLiteral("Możliwość pobierania nowej wersji systemu protokołem ftp")
                : QStringLiteral("Możliwość przesyłania zbiorów protokołem ftp")));
    QWidget* ftp = panel(page, name("PanelFtp"), {}, false);
    auto* ftpColumn = new QVBoxLayout(ftp);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Serwer ftp :"), edit(ftp, name("EdHostFtp")));
    form->addRow(QStringLiteral("zdalny katalog :"), edit(ftp, name("EdkatalFtp")));
    form->addRow(QStringLiteral("Użytkownik :"), edit(ftp, name("EdUserFtp")));
    form->addRow(QString(),
                 new QLabel(QStringLiteral("(najprawdopodobniej powinien pozostać pusty)"), ftp));
    ftpColumn->addLayout(form);

    QWidget* settings =
        panel(ftp, name("PanelUstFtp"), QStringLiteral("Ustawienia protokołu ftp"), false);
    auto* buttons = new QHBoxLayout(settings);
    auto* advanced = button(settings, name("PcZaawFtp"), QStringLiteral("&Zaawansowane"));
    const QString advancedName = name("PanelFtpZaaw");
    connect(advanced, &QPushButton::clicked, this,
            [this, advancedName] { toggleAdvanced({advancedName}); });
    auto* standard = button(settings, name("PcStandFtp"), QStringLiteral("&Standardowe"));
    connect(standard, &QPushButton::clicked, this, [this, kind] {
        collect();
        rules_.FtpStandard(kind);
        fill();
    });
    buttons->addWidget(advanced);
    buttons->addWidget(standard);
    buttons->addStretch();
    ftpColumn->addWidget(settings);

    QWidget* more = panel(ftp, advancedName, QStringLiteral("Ustawienia protokołu FTP :"), true);
    auto* moreForm = new QFormLayout(more);
    moreForm->addRow(QStringLiteral("Port :"), edit(more, name("EdPortFtp")));
    moreForm->addRow(box(more, name("BoxFtpPassive"), QStringLiteral("użyj trybu pasywnego")));
    moreForm->addRow(QStringLiteral("TimeOut (ms) :"), edit(more, name("EdTimeOutFTP")));
    moreForm->addRow(box(more, name("BoxFtpProxy"), QStringLiteral("użyj serwera PROXY")));
    ftpColumn->addWidget(more);

    QWidget* proxy =
        panel(ftp, name("PanelProxy"), QStringLiteral("Ustawienia serwera PROXY"), false);
    auto* proxyForm = new QFormLayout(proxy);
    proxyForm->addRow(QStringLiteral("Serwer PROXY :"), edit(proxy, name("EdHostPROXY")));
    proxyForm->addRow(QStringLiteral("Port :"), edit(proxy, name("EdPortPROXY")));
    proxyForm->addRow(QStringLiteral("Użytkownik :"), edit(proxy, name("EdUserPROXY")));
    auto* secret = edit(proxy, name("EdHasloPROXY"));
    secret->setEchoMode(QLineEdit::Password);
    proxyForm->addRow(QStringLiteral("Hasło :"), secret);
    auto* methods = new QComboBox(proxy);
    methods->setObjectName(name("OpcjeProxyFtp"));
    for (const char* method : kProxyMethods)
        methods->addItem(QString::fromUtf8(method));
    connect(methods, &QComboBox::activated, this, [this] { edited(); });
    proxyForm->addRow(QStringLiteral("Metoda łączenia z PROXY : "), methods);
    ftpColumn->addWidget(proxy);
    column->addWidget(ftp);
    column->addStretch();
    return page;
}

void TKonfig::Open() {
    rules_.Open();
    opened_.clear();
    fill();
    Strony->setCurrentIndex(0);
}

void TKonfig::fill() {
    filling_ = true;
    const Settings& v = rules_.Values();
    for (const KonfigBool& b : KonfigRules::BoolControls())
        if (auto* w = find<QCheckBox>(b.control)) w->setChecked(v.*b.member);
    for (const KonfigText& t : KonfigRules::TextControls())
        if (auto* w = find<QLineEdit>(t.control)) w->setText(q(v.*t.member));
    for (const KonfigNumber& n : KonfigRules::NumberControls())
        if (auto* w = find<QLineEdit>(n.control)) w->setText(q(rules_.Number(n.control)));
    find<QRadioButton>("DokladnoscMinuty")->setChecked(v.ZapisWMinutach);
    find<QRadioButton>("DokladnoscGodziny")->setChecked(!v.ZapisWMinutach);
    if (auto* w = find<QComboBox>("OpcjeProxyFtp")) w->setCurrentIndex(v.TypPROXY - 1);
    if (auto* w = find<QComboBox>("OpcjeProxyFtpAkt")) w->setCurrentIndex(v.TypPROXYAkt - 1);
    const std::pair<KonfigDir, const char*> dirs[] = {{KonfigDir::BazyK, "EtBaz"},
                                                      {KonfigDir::BazyCt, "EtPlac"},
                                                      {KonfigDir::ExportCt, "EtCentr"}};
    for (auto [kind, label] : dirs) {
        auto* l = find<QLabel>(label);
        l->setText(q(rules_.DirText(kind)));
        l->setStyleSheet(rules_.DirDefined(kind) ? "color: blue;"
                                                 : "color: red; font-weight: bold;");
    }
    filling_ = false;
    refresh();
}

void TKonfig::collect() {
    Settings& v = rules_.Values();
    for (const KonfigBool& b : KonfigRules::BoolControls())
        if (auto* w = find<QCheckBox>(b.control)) v.*b.member = w->isChecked();
    for (const KonfigText& t : KonfigRules::TextControls())
        if (auto* w = find<QLineEdit>(t.control)) v.*t.member = w->text().toStdString();
    for (const KonfigNumber& n : KonfigRules::NumberControls())
        if (auto* w = find<QLineEdit>(n.control))
            rules_.Number(n.control) = w->text().toStdString();
    v.ZapisWMinutach = find<QRadioButton>("DokladnoscMinuty")->isChecked();
    if (auto* w = find<QComboBox>("OpcjeProxyFtp")) v.TypPROXY = w->currentIndex() + 1;
    if (auto* w = find<QComboBox>("OpcjeProxyFtpAkt")) v.TypPROXYAkt = w->currentIndex() + 1;
}

void TKonfig::edited() {
    if (filling_) return;
    collect();
    rules_.MarkChanged();
    refresh();
}

void TKonfig::refresh() {
    const Settings& v = rules_.Values();
    auto show = [this](const char* name, bool on) {
        if (auto* w = find<QWidget>(name)) w->setVisible(on);
    };
    auto advanced = [this](const char* name) {
        return opened_.count(QString::fromLatin1(name)) > 0;
    };
    show("EdIleDni", v.ForsowanieHasla);
    show("EtDni", v.ForsowanieHasla);
    show("PanelPoczta", v.Internet);
    show("PanelSMTP", advanced("PanelSMTP"));
    show("PanelPOP3", advanced("PanelPOP3"));
    show("PanelFtp", v.FTP);
    show("PanelFtpZaaw", advanced("PanelFtpZaaw"));
    show("PanelProxy", v.PROXY);
    show("PanelFtpAkt", v.MoznaAkt);
    show("PanelFtpZaawAkt", advanced("PanelFtpZaawAkt"));
    show("PanelProxyAkt", v.PROXYAkt);
    PcZapisz->setEnabled(rules_.SaveEnabled());
}

void TKonfig::toggleAdvanced(const QStringList& panels) {
    for (const QString& n : panels) {
        if (!opened_.erase(n)) opened_.insert(n);
    }
    refresh();
}

void TKonfig::save() {
    collect();
    KonfigRules::Outcome outcome = rules_.Save(wait_);
    fill();
    if (outcome == KonfigRules::Outcome::Refused) {
        if (rules_.LastFailure()) focusFailure(*rules_.LastFailure());
        return;
    }
    // A failed write closes the dialog as well; only a saved one counts as accepted.
    QDialog::done(outcome == KonfigRules::Outcome::Saved ? Accepted : Rejected);
}

void TKonfig::focusFailure(const KonfigFailure& failure) {
    Strony->setCurrentWidget(pages_.at(failure.page));
    QWidget* field = find<QWidget>(failure.control.c_str());
    if (!field) return;
    for (QWidget* w = field->parentWidget(); w && w != this; w = w->parentWidget())
        if (advanced_.count(w->objectName())) opened_.insert(w->objectName());
    refresh();
    field->setFocus();
}

void TKonfig::keyPressEvent(QKeyEvent* event) {
    // Return ends a field (the address fills the servers); only "za&Pisz" saves.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) return;
    QDialog::keyPressEvent(event);
}

void TKonfig::reject() {
    rules_.Cancel();
    QDialog::reject();
}

} // namespace ewidor
