#include "StaffCheck.h"

#include "Error.h"
#include "FindCategory.h"
#include "Paths.h"
#include "TDane.h"
#include "sql/Query.h"

namespace ewidor {

namespace {
constexpr const char* kWaitDefault = "Trwają obliczenia ...";

bool logicalOf(const xb::Query& q, const std::string& column) {
    if (q.columnIndex(column) < 0) return false;
    xb::Value v = q.value(column);
    return std::holds_alternative<bool>(v) && std::get<bool>(v);
}

// Runs a one-parameter query afresh; true when it found a row.
bool find(xb::Query& q, const char* param, const xb::Value& value) {
    q.close();
    q.setParam(param, value);
    q.open();
    return q.first();
}

std::string padded(std::string text, size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string listText(const std::vector<std::string>& entries) {
    std::string out;
    for (const std::string& e : entries) out += "\n    " + e;
    return out;
}

std::string headed(const char* heading, const std::vector<std::string>& entries) {
    return entries.empty() ? std::string() : heading + listText(entries) + "\n";
}
} // namespace

const char* const StaffCheck::kCostCentreSql = "Select * FROM \"STAKOSZ.DBF\" where KOD=:ST_KOSZ";
const char* const StaffCheck::kDepartmentSql = "Select * FROM \"Oddzialy.DBF\" where NR_ODDZ=:ODDZIAL";
const char* const StaffCheck::kOrderSql = "Select * FROM \"KATZLEC.DBF\" where ID_ZL=:ZL_ID";

std::string StaffCheck::PeriodLine(bool aprilEndsPart, int month) {
    if (!aprilEndsPart) return "";
    return month > 4 ? "AND KONC_ROKU=TRUE" : "AND POCZ_ROKU=TRUE";
}

bool StaffCheck::Lists::empty() const {
    return category.empty() && costCentre.empty() && department.empty() && order.empty() && combination.empty();
}

struct StaffCheck::Employee {
    std::string text, stKosz, oddzial, zlecenie;
    int jedn = 0, status = 0, zlId = 0;

    explicit Employee(const xb::Query& q)
        : text(trim(q.text("NAZWISKO")) + " " + trim(q.text("IMIE"))), stKosz(q.text("ST_KOSZ")),
          oddzial(q.text("ODDZIAL")), zlecenie(q.text("ZLECENIE")), jedn(static_cast<int>(q.number("JEDN"))),
          status(static_cast<int>(q.number("STATUS"))), zlId(static_cast<int>(q.number("ZL_ID"))) {}
};

// One employee's tests against the three queries and MAPA, which it holds open.
class StaffCheck::Checker {
public:
    Checker(const Session& s, TDane& d, Prompter& p)
        : s_(s), d_(d), p_(p), costCentre_(d.QSprStKMac.directory(), d.QSprStKMac.sql()),
          department_(d.QSprMacOddz.directory(), d.QSprMacOddz.sql()),
          order_(d.QSprMacZlec.directory(), d.QSprMacZlec.sql()) {
        if (!s.MapaPresent) return;
        bool later = s.SelectedMonth > 4;
        xb::Dataset& mapa = d.TabMapy.dataset();
        d.TabMapy.open();
        mapa.setActiveTag("JEDEN");
        mapa.setFilter([later](const xb::Record& r) { return r.logical(later ? "KONC_ROKU" : "POCZ_ROKU"); });
        mapa_ = &mapa;
    }
    ~Checker() {
        if (!mapa_) return;
        mapa_->clearFilter();
        d_.TabMapy.close();
    }

    void Check(const Employee& e, Lists& lists) {
        if (!categoryAllows(e)) {
            lists.category.push_back(e.text);  // the other tests are skipped
            return;
        }
        bool centreFound = find(costCentre_, "ST_KOSZ", e.stKosz);
        if (!centreFound || !logicalOf(costCentre_, "GRUPA_" + std::to_string(e.status)))
            lists.costCentre.push_back(e.text);
        if (!find(department_, "ODDZIAL", e.oddzial)) lists.department.push_back(e.text);
        if (s_.settings.JestMacierzysteZlecenie && e.zlId > 0 && !orderAllowed(e, centreFound))
            lists.order.push_back(e.text);
        if (mapa_ && !combinationAllowed(e)) lists.combination.push_back(e.text);
    }

private:
    bool categoryAllows(const Employee& e) {
        const TDaneGrupy& categories = d_.Grupy();
        if (categories.size() == 0) return false;
        return CategoryListedTwoDigits(categories.at(FindCategory(categories, e.status, p_)), e.jedn);
    }

    bool orderAllowed(const Employee& e, bool centreFound) {
        if (!find(order_, "ZL_ID", static_cast<double>(e.zlId))) return false;
        if (!centreFound || !logicalOf(costCentre_, "CZY_ZLEC")) return false;
        if (trim(order_.text("NR_ZLEC")) != trim(e.zlecenie)) return false;
        int unit = static_cast<int>(order_.number("JEDNOSTKA"));
        if (unit != e.jedn && unit != 999) return false;
        return digitAllowed(e);
    }

    // The home cost centre's digit rule: the order number's character at KTORA_CYF
    // must be one of CYFRY.
    bool digitAllowed(const Employee& e) {
        int position = std::atoi(costCentre_.text("KTORA_CYF").c_str());
        if (position <= 0) return true;
        std::string digits = trim(costCentre_.text("CYFRY"));
        if (static_cast<size_t>(position) > e.zlecenie.size()) return false;
        return digits.find(e.zlecenie[static_cast<size_t>(position - 1)]) != std::string::npos;
    }

    bool combinationAllowed(const Employee& e) {
        std::string centre = padded(e.stKosz, 5), department = padded(e.oddzial, 3);
        if (s_.settings.JestMacierzysteZlecenie) return mapa_->seek(centre + department + padded(e.zlecenie, 6));
        if (!mapa_->seekNearest(centre + department)) return false;
        return padded(mapa_->text("ST_KOSZT"), 5) == centre && padded(mapa_->text("ODDZIAL"), 3) == department;
    }

    const Session& s_;
    TDane& d_;
    Prompter& p_;
    xb::Query costCentre_, department_, order_;
    xb::Dataset* mapa_ = nullptr;
};

bool StaffCheck::preconditions() {
    const std::string& year = session_.YearText;
    if (!existsNoCase(session_.YearDir, "Stakosz.dbf")) {
        prompter_.ShowMessage("UWAGA !", "Nie pobrano jeszcze zbiorów Centrali na rok " + year + " !\n\n" +
                                             "  Edycja wszystkich danych na rok " + year + " będzie niemożliwa,\n" +
                                             "           dopóki nie zostaną WCZYTANE zbiory z centrali.\n\n"
                                             "Należy wykonać \"Kopiowanie zbiorów z centrali\" z menu \"System\"  !");
        return false;
    }
    return session_.SelectedYear == session_.LastYear;
}

void StaffCheck::Run() {
    if (!preconditions()) return;
    wait_.SetText("Trwa kontrola pracowników ...");
    wait_.SetMaximum(0);
    wait_.Show();
    std::string period = PeriodLine(session_.settings.KwiecienKoncemRoku, session_.SelectedMonth);
    const std::pair<QueryHandle*, const char*> queries[] = {
        {&data_.QSprStKMac, kCostCentreSql}, {&data_.QSprMacOddz, kDepartmentSql}, {&data_.QSprMacZlec, kOrderSql}};
    for (auto [handle, sql] : queries) {
        handle->setDirectory(session_.YearDir);
        handle->setSql(period.empty() ? sql : std::string(sql) + " " + period);
    }
    xb::Query staff(session_.dirs.DataRoot, data_.QPracJed.sql());
    staff.setParam("JedNr", static_cast<double>(session_.GroupNumber));
    staff.open();
    if (!staff.first()) {
        wait_.SetText(kWaitDefault);
        wait_.Close();
        session_.StaffCheckOk = false;
        prompter_.ShowMessage(session_.GroupName, "Brak pracowników !!!\n\nProszę uzupełnić w Katalogu pracowników !");
        return;
    }
    wait_.SetMaximum(static_cast<int>(staff.rowCount()));
    Lists lists;
    {
        Checker checker(session_, data_, prompter_);
        for (bool more = true; more; more = staff.next()) {
            checker.Check(Employee(staff), lists);
            wait_.Step(1);
        }
    }
    for (auto [handle, sql] : queries) handle->close();
    wait_.SetText(kWaitDefault);
    wait_.Close();
    report(lists);
    session_.StaffCheckOk = lists.empty();
}

std::string StaffCheck::reportText(const Lists& l) const {
    std::string combination;
    if (!l.combination.empty())
        combination = std::string("Lista pracowników posiadających niedopuszczalny w m-cach ") +
                      (session_.SelectedMonth > 4 ? "maj-grudzień " : "styczeń-kwiecień ") + session_.YearText +
                      " r. \n    przez centralę zestaw - stanowisko kosztów / oddział / zlecenie :\n" +
                      listText(l.combination);
    return "W miesiącu " + session_.MonthLabel +
           " r. jest inna dostępność kategorii pracowników lub stanowisk kosztów !\n"
           "    Edycja kart pracy, urlopów i zwolnień lekarskich będzie niemożliwa !\n\n" +
           headed("Lista pracowników posiadających błędnie określoną kategorię pracowników:", l.category) + "\n" +
           headed("Lista pracowników posiadających błędnie określony oddział:", l.department) + "\n" +
           headed("Lista pracowników posiadających błędnie określone stanowisko kosztów:", l.costCentre) + "\n" +
           headed("Lista pracowników posiadających błędnie określone zlecenie:", l.order) + "\n" + combination;
}

void StaffCheck::report(const Lists& lists) const {
    if (lists.empty()) return;
    prompter_.ShowMessage("UWAGA !   Proszę ewentualnie skorygować w Katalogu pracowników !", reportText(lists));
}

} // namespace ewidor
