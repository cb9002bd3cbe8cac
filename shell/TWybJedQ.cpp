#include "TWybJedQ.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace ewidor {

namespace {
constexpr int kMaxRows = 24;

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}
} // namespace

TWybJedQ::TWybJedQ(std::vector<GroupEntry> groups, int currentGroup, QWidget* parent)
    : QDialog(parent), groups_(std::move(groups)) {
    setObjectName("WybJedQ");
    setWindowTitle(QStringLiteral(" Proszę wybrać grupę pracowników :"));
    ListaJed = new QListWidget(this);
    ListaJed->setObjectName("ListaJed");
    for (const GroupEntry& g : groups_) ListaJed->addItem(QString::fromStdString(g.name));
    EtJednostki = new QLabel(this);
    EtJednostki->setObjectName("EtJednostki");
    EtJednostki->setFrameShape(QFrame::Panel);
    EtJednostki->setFrameShadow(QFrame::Sunken);
    auto* ok = button(this, "PcOK", QStringLiteral("O&K"));
    auto* cancel = button(this, "PcAnuluj", QStringLiteral("&Anuluj"));
    auto* help = button(this, "PcPomoc", QStringLiteral("&Pomoc"));
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {ok, cancel, help}) buttons->addWidget(b);
    auto* column = new QVBoxLayout(this);
    column->addWidget(ListaJed);
    column->addWidget(EtJednostki);
    column->addLayout(buttons);

    // As many rows as groups, up to 24; the window fits the list.
    int rows = std::clamp(static_cast<int>(groups_.size()), 1, kMaxRows);
    int rowHeight = ListaJed->sizeHintForRow(0) > 0 ? ListaJed->sizeHintForRow(0) : 18;
    ListaJed->setFixedHeight(rows * rowHeight + 2 * ListaJed->frameWidth() + 4);
    ListaJed->setMinimumWidth(320);

    connect(ListaJed, &QListWidget::currentRowChanged, this, [this](int row) {
        EtJednostki->setText(row >= 0 ? ListaJed->item(row)->text() : QString());
    });
    connect(ListaJed, &QListWidget::itemDoubleClicked, this, [this] { take(); });
    connect(ok, &QPushButton::clicked, this, [this] { take(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] {
        QMessageBox::information(this, QStringLiteral(" Pomoc"),
                                 QStringLiteral("Proszę wskazać grupę pracowników i nacisnąć \"OK\"."));
    });
    for (size_t i = 0; i < groups_.size(); ++i)
        if (groups_[i].number == currentGroup) ListaJed->setCurrentRow(static_cast<int>(i));
    if (ListaJed->currentRow() < 0 && !groups_.empty()) ListaJed->setCurrentRow(0);
}

void TWybJedQ::take() {
    int row = ListaJed->currentRow();
    if (row < 0) return;
    chosen_ = groups_[static_cast<size_t>(row)];
    accept();
}

} // namespace ewidor
