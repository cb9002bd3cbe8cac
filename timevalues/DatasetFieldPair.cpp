#include "DatasetFieldPair.h"

#include <cmath>

namespace tv {

DatasetFieldPair::DatasetFieldPair(xb::Dataset& dataset, std::string hoursField,
                                   std::string minutesField)
    : dataset_(dataset), hoursField_(std::move(hoursField)), minutesField_(std::move(minutesField)) {}

std::optional<int> DatasetFieldPair::read(const std::string& field) const {
    // No current record: an inactive or empty dataset (an insert always has one).
    if (!dataset_.active() || (!editing() && dataset_.recno() == 0)) return std::nullopt;
    const xb::Value v = dataset_.value(field);
    if (const double* d = std::get_if<double>(&v)) return static_cast<int>(std::lround(*d));
    return std::nullopt;
}

bool DatasetFieldPair::editing() const {
    const xb::DatasetState s = dataset_.state();
    return s == xb::DatasetState::Edit || s == xb::DatasetState::Insert;
}

void DatasetFieldPair::write(int hours, int minutes) {
    dataset_.set(minutesField_, static_cast<double>(minutes));
    dataset_.set(hoursField_, static_cast<double>(hours));
}

void DatasetFieldPair::clearLine(const SplitLineFields& fields) {
    if (!fields.costCentre.empty()) dataset_.set(fields.costCentre, std::string());
    if (!fields.department.empty()) dataset_.set(fields.department, std::string());
    if (!fields.order.empty()) dataset_.set(fields.order, 0.0);
}

} // namespace tv
