#pragma once
// The employee categories held in memory: one entry per GRUPY record in table
// order, filled once when the data module is created and kept until the program ends.
#include "Dataset.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ewidor {

struct Category {
    int16_t id = 0;
    std::string name;        // NAZ_GRUPY, up to 21 characters
    bool czySwiat = false;
    bool czyNocne = false;
    bool czy4Bryg = false;
    bool jednoSk = false;
    std::string dostJedn;    // group numbers, three digits each, concatenated
    char kontrola = ' ';
    bool czyKilka = false;
    bool czyCiagly = false;
    bool czyAwarie = false;
    int ileMcy = 0;
};

class TDaneGrupy {
public:
    // Replaces the list with every live record of an open GRUPY dataset, in table order.
    void load(xb::Dataset& grupy);
    void add(Category category) { entries_.push_back(std::move(category)); }
    void clear() { entries_.clear(); }

    const std::vector<Category>& entries() const { return entries_; }
    size_t size() const { return entries_.size(); }
    const Category& at(size_t position) const { return entries_.at(position); }
    // Position of the category with this identifier, none when absent.
    std::optional<size_t> find(int id) const;
    // Name of the category with this identifier, empty when absent (the `Kategoria` field).
    std::string nameOf(int id) const;

private:
    std::vector<Category> entries_;
};

// True when the group number written with three digits occurs in the category's DOST_JEDN.
bool CategoryAllowedInGroup(const Category& category, int groupNumber);
// The staff check's variant: the group number written with two digits.
bool CategoryListedTwoDigits(const Category& category, int groupNumber);

} // namespace ewidor
