#include "TDBGodzMinRozdzNowy.h"

#include "SplitLineRules.h"

namespace tv {

TDBGodzMinRozdzNowy::TDBGodzMinRozdzNowy(QWidget* parent)
    : TDBGodzMinNowy(std::make_unique<SplitLineRules>(), DefaultMaxMinut, Look{}, parent) {
    entry().onLineVisible = [this](bool visible) { showLine(visible); };
}

void TDBGodzMinRozdzNowy::showLine(bool visible) {
    lineVisible_ = visible;
    updateAssociations();
}

void TDBGodzMinRozdzNowy::setReadOnly(bool v) {
    TDBGodzMinNowy::setReadOnly(v);
    updateAssociations();
}

void TDBGodzMinRozdzNowy::setMonoStanowiskowy(bool v) {
    mono_ = v;
    updateAssociations();
}

void TDBGodzMinRozdzNowy::setMoznaZmieniacOddzialy(bool v) {
    departmentsChangeable_ = v;
    updateAssociations();
}

void TDBGodzMinRozdzNowy::updateAssociations() {
    for (QWidget* w : {costList_.data(), departmentList_.data(), orderName_.data(), orderNumber_.data()})
        if (w) w->setVisible(lineVisible_);
    // Editable enables the lists, except in single cost-centre mode; the department
    // list only where departments may be changed.
    const bool listsOpen = !readOnly() && !mono_;
    if (costList_) costList_->setEnabled(listsOpen);
    if (departmentList_) departmentList_->setEnabled(listsOpen && departmentsChangeable_);
}

void TDBGodzMinRozdzNowy::setLineField(std::string SplitLineFields::*field, const QString& name) {
    SplitLineFields fields = entry().splitLineFields();
    fields.*field = name.toStdString();
    entry().setSplitLineFields(fields);
}

} // namespace tv
