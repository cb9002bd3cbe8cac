#include "DatasetDateField.h"

namespace tv {

DatasetDateField::DatasetDateField(xb::Dataset& dataset, std::string field)
    : dataset_(dataset), field_(std::move(field)) {}

bool DatasetDateField::editing() const {
    const xb::DatasetState s = dataset_.state();
    return s == xb::DatasetState::Edit || s == xb::DatasetState::Insert;
}

bool DatasetDateField::canModify() const {
    return dataset_.active() && dataset_.recno() != 0 && !dataset_.table().readOnly();
}

std::optional<QDate> DatasetDateField::read() const {
    if (!dataset_.active() || (!editing() && dataset_.recno() == 0)) return std::nullopt;
    const xb::Value v = dataset_.value(field_);
    const xb::Date* d = std::get_if<xb::Date>(&v);
    if (!d || d->blank()) return std::nullopt;
    return QDate(d->year, d->month, d->day);
}

void DatasetDateField::write(std::optional<QDate> date) {
    if (!date) {
        dataset_.set(field_, xb::Value{});
        return;
    }
    dataset_.set(field_, xb::Date{date->year(), date->month(), date->day()});
}

} // namespace tv
