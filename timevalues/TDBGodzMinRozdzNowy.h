#pragma once
// One split line of a daily card: hours on one cost centre, department and order.
// The window owns the associated lookup lists and texts; the line shows them only
// while it holds hours, and a line cleared to zero empties its cost centre and
// department and zeroes its order. On a main card with supplementary cards
// (MoznaUsuwac false) the line cannot be brought to zero.
#include "TDBGodzMinNowy.h"

#include <QPointer>

namespace tv {

class TDBGodzMinRozdzNowy : public TDBGodzMinNowy {
    Q_OBJECT
    Q_PROPERTY(bool MoznaUsuwac READ moznaUsuwac WRITE setMoznaUsuwac)
    Q_PROPERTY(bool MonoStanowiskowy READ monoStanowiskowy WRITE setMonoStanowiskowy)
    Q_PROPERTY(bool MoznaZmieniacOddzialy READ moznaZmieniacOddzialy WRITE setMoznaZmieniacOddzialy)
    Q_PROPERTY(QWidget* ListaSkojarzona READ listaSkojarzona WRITE setListaSkojarzona)
    Q_PROPERTY(QWidget* ListaOddzSkojarzona READ listaOddzSkojarzona WRITE setListaOddzSkojarzona)
    Q_PROPERTY(QWidget* TrescZlecSkojarzona READ trescZlecSkojarzona WRITE setTrescZlecSkojarzona)
    Q_PROPERTY(QWidget* NrZleceniaSkojarzony READ nrZleceniaSkojarzony WRITE setNrZleceniaSkojarzony)
    Q_PROPERTY(QString PoleZlecenia READ poleZlecenia WRITE setPoleZlecenia)
    Q_PROPERTY(QString PoleStanowiska READ poleStanowiska WRITE setPoleStanowiska)
    Q_PROPERTY(QString PoleOddzialu READ poleOddzialu WRITE setPoleOddzialu)

public:
    explicit TDBGodzMinRozdzNowy(QWidget* parent = nullptr);

    bool moznaUsuwac() const { return entry().moznaUsuwac(); }
    void setMoznaUsuwac(bool v) { entry().setMoznaUsuwac(v); }
    bool monoStanowiskowy() const { return mono_; }
    void setMonoStanowiskowy(bool v);
    bool moznaZmieniacOddzialy() const { return departmentsChangeable_; }
    void setMoznaZmieniacOddzialy(bool v);

    QWidget* listaSkojarzona() const { return costList_; }
    void setListaSkojarzona(QWidget* w) { costList_ = w; updateAssociations(); }
    QWidget* listaOddzSkojarzona() const { return departmentList_; }
    void setListaOddzSkojarzona(QWidget* w) { departmentList_ = w; updateAssociations(); }
    QWidget* trescZlecSkojarzona() const { return orderName_; }
    void setTrescZlecSkojarzona(QWidget* w) { orderName_ = w; updateAssociations(); }
    QWidget* nrZleceniaSkojarzony() const { return orderNumber_; }
    void setNrZleceniaSkojarzony(QWidget* w) { orderNumber_ = w; updateAssociations(); }

    // The line's fields as the lookup lists and the order text are bound to them.
    QString poleZlecenia() const { return QString::fromStdString(entry().splitLineFields().order); }
    void setPoleZlecenia(const QString& f) { setLineField(&SplitLineFields::order, f); }
    QString poleStanowiska() const { return QString::fromStdString(entry().splitLineFields().costCentre); }
    void setPoleStanowiska(const QString& f) { setLineField(&SplitLineFields::costCentre, f); }
    QString poleOddzialu() const { return QString::fromStdString(entry().splitLineFields().department); }
    void setPoleOddzialu(const QString& f) { setLineField(&SplitLineFields::department, f); }

    // While a bulk update runs the record's controls are disabled and the line does nothing.
    void setRecordControlsDisabled(bool v) { entry().setLineControlsDisabled(v); }

    void setReadOnly(bool v) override;

private:
    void showLine(bool visible);
    void setLineField(std::string SplitLineFields::*field, const QString& name);
    void updateAssociations();

    QPointer<QWidget> costList_, departmentList_, orderName_, orderNumber_;
    bool mono_ = false;
    bool departmentsChangeable_ = true;
    bool lineVisible_ = false;
};

} // namespace tv
