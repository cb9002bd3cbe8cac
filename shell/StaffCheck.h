#pragma once
// The staff check: every employee of the selected group against the reference data
// valid in the selected month's part of the year (category, home cost centre,
// department, order and their combination). Lists the employees that fail and sets
// the session's StaffCheckOk; it never changes an employee record.
#include "Prompter.h"
#include "Session.h"
#include "WaitIndicator.h"

#include <string>
#include <vector>

namespace ewidor {

class TDane;

class StaffCheck {
public:
    StaffCheck(Session& session, TDane& data, Prompter& prompter, WaitIndicator& wait)
        : session_(session), data_(data), prompter_(prompter), wait_(wait) {}

    // Runs the check for the selected group, year and month.
    void Run();

    // The query texts without their period line, and the period line itself.
    static const char* const kCostCentreSql;
    static const char* const kDepartmentSql;
    static const char* const kOrderSql;
    static std::string PeriodLine(bool aprilEndsPart, int month);

private:
    struct Lists {
        std::vector<std::string> category, costCentre, department, order, combination;
        bool empty() const;
    };
    struct Employee;
    class Checker;

    bool preconditions();
    void report(const Lists& lists) const;
    std::string reportText(const Lists& lists) const;

    Session& session_;
    TDane& data_;
    Prompter& prompter_;
    WaitIndicator& wait_;
};

} // namespace ewidor
