#pragma once
// The log window "Dziennik zdarzeń": the events newest first, the criteria shown,
// the criteria panel with its filter, printing and archiving. LogAdmin decides.
#include "LogAdmin.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;

namespace ewidor {

class TLogAdmF : public QDialog {
    Q_OBJECT
public:
    TLogAdmF(LogAdmin& rules, Prompter& prompter, QWidget* parent = nullptr);
    // Opens QLog and shows it; engine errors reach the caller.
    void Open();

protected:
    void done(int result) override;

private:
    QWidget* buildCriteria();
    void showRows();
    void showCriteriaTexts();
    void showCriteriaPanel();
    void applyFilter();
    void clearFilter();
    void archive();
    LogCriteria criteria() const;

    LogAdmin& rules_;
    Prompter& prompter_;
    QTableWidget* Siatka;
    QLabel *EtRodzaj, *EtUzytk, *EtOkres;
    QPushButton *PcKryteria, *PcDrukuj, *PcArchiwizuj, *PcKoniec;
    QGroupBox* PanelKryteriow;
    QRadioButton *RbWszystkie, *RbWybrane, *RbWszyscy, *RbUzytkownik, *RbDowolny, *RbOkreslony;
    QListWidget* ListaZdarzen;
    QComboBox* ListaUzytk;
    QDateEdit *OdDnia, *DoDnia;
};

} // namespace ewidor
