#pragma once
// The group choice: the groups the user may see in name order, the chosen name in
// EtJednostki, "O&K" (also by double click), "&Anuluj", "&Pomoc".
#include "GroupList.h"

#include <QDialog>
#include <optional>
#include <vector>

class QLabel;
class QListWidget;

namespace ewidor {

class TWybJedQ : public QDialog {
    Q_OBJECT
public:
    TWybJedQ(std::vector<GroupEntry> groups, int currentGroup, QWidget* parent = nullptr);
    // The group chosen with "O&K"; none after "&Anuluj".
    std::optional<GroupEntry> Chosen() const { return chosen_; }

private:
    void take();

    std::vector<GroupEntry> groups_;
    std::optional<GroupEntry> chosen_;
    QListWidget* ListaJed;
    QLabel* EtJednostki;
};

} // namespace ewidor
