#pragma once
// The configuration dialog "Konfiguracja systemu": the pages Strony (directories,
// site rules, e-mail, FTP and, when the updater is present, program update) and
// the buttons "za&Pisz", "&Anuluj", "Pomoc". KonfigRules decides; the dialog copies
// its controls into the rules' working copy, asks them, and shows what they hold.
#include "KonfigRules.h"

#include <QDialog>
#include <QStringList>
#include <map>
#include <set>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QVBoxLayout;
class QWidget;

namespace ewidor {

class TCzekaj;

class TKonfig : public QDialog {
    Q_OBJECT
public:
    TKonfig(KonfigRules& rules, QWidget* parent = nullptr);
    // OpenConfiguration: the controls filled from the settings, the advanced panels hidden.
    void Open();

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildDirectories();
    QWidget* buildLocal();
    QWidget* buildMail();
    QWidget* buildTransfer(KonfigPage page);
    QCheckBox* box(QWidget* parent, const QString& name, const QString& caption);
    QLineEdit* edit(QWidget* parent, const QString& name);
    QPushButton* button(QWidget* parent, const QString& name, const QString& caption);
    QWidget* panel(QWidget* parent, const QString& name, const QString& title, bool advanced);
    void addNote(QVBoxLayout* column, const QString& note);
    void addTab(QWidget* page, KonfigPage kind, const QString& caption);

    void fill();
    void collect();
    void edited();
    void refresh();
    void toggleAdvanced(const QStringList& panels);
    void save();
    void focusFailure(const KonfigFailure& failure);
    template <class T> T* find(const char* name) const;

    KonfigRules& rules_;
    TCzekaj* wait_;
    QTabWidget* Strony;
    QPushButton* PcZapisz;
    std::map<KonfigPage, QWidget*> pages_;
    std::set<QString> advanced_; // advanced panels of the pages
    std::set<QString> opened_;   // those the user opened
    bool filling_ = false;
};

} // namespace ewidor
