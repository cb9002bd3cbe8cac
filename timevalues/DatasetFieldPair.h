#pragma once
// A field pair of the current record of an engine dataset (PoleGodzin/PoleMinut).
// The dataset must outlive the adapter.
#include "FieldPairBinding.h"

#include <Dataset.h>

namespace tv {

class DatasetFieldPair : public FieldPairBinding {
public:
    DatasetFieldPair(xb::Dataset& dataset, std::string hoursField, std::string minutesField);

    const std::string& poleGodzin() const { return hoursField_; }
    const std::string& poleMinut() const { return minutesField_; }

    std::optional<int> hours() const override { return read(hoursField_); }
    std::optional<int> minutes() const override { return read(minutesField_); }
    bool editing() const override;
    void write(int hours, int minutes) override;
    void clearLine(const SplitLineFields& fields) override;

private:
    std::optional<int> read(const std::string& field) const;

    xb::Dataset& dataset_;
    std::string hoursField_, minutesField_;
};

} // namespace tv
