#pragma once
// The content of the demo site: categories, groups, employees, cost centres, orders,
// departments, absence codes and the rest, as rows ready for the tables.
#include "Field.h"

#include <string>
#include <utility>
#include <vector>

namespace ewidor::demo {

using Row = std::vector<std::pair<std::string, xb::Value>>;

std::vector<Row> Categories();
std::vector<Row> Groups();
std::vector<Row> Employees(int count);
std::vector<Row> CostCentres();
std::vector<Row> Orders();            // central (999) and local orders, with ID_ZL
std::vector<Row> CentralOrderFile();  // the headquarters' file: central orders without ID_ZL
std::vector<Row> Departments();
std::vector<Row> AbsenceCodes();
std::vector<Row> SickLeaveKinds();
std::vector<Row> Combinations();
std::vector<Row> ExtraDays(int year);
std::vector<Row> Counters();

} // namespace ewidor::demo
