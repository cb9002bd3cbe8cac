#pragma once
// A date field (DataField) of the current record of an engine dataset. The dataset
// must outlive the adapter.
#include "DateFieldBinding.h"

#include <Dataset.h>

#include <string>

namespace tv {

class DatasetDateField : public DateFieldBinding {
public:
    DatasetDateField(xb::Dataset& dataset, std::string field);
    const std::string& dataField() const { return field_; }

    std::optional<QDate> read() const override;
    bool editing() const override;
    bool canModify() const override;
    void edit() override { dataset_.edit(); }
    void write(std::optional<QDate> date) override;

private:
    xb::Dataset& dataset_;
    std::string field_;
};

} // namespace tv
