#include "DemoBuilder.h"

#include "DemoData.h"
#include "EventLog.h"
#include "IniFile.h"
#include "InstallationParams.h"
#include "Settings.h"
#include "Table.h"
#include "TableCatalogue.h"
#include "TableFactory.h"
#include "UsersFile.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace ewidor {
namespace {

std::string dirOf(const fs::path& p) { return p.string() + "/"; }

// A record with every number 0 and every logical false, as the site's programs write them.
xb::Record zeroRecord(xb::Table& table) {
    xb::Record r = table.blankRecord();
    const auto& fields = table.schema().fields();
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        if (fields[static_cast<size_t>(i)].type == xb::FieldType::Logical) r.set(i, false);
        if (fields[static_cast<size_t>(i)].type == xb::FieldType::Numeric ||
            fields[static_cast<size_t>(i)].type == xb::FieldType::Float)
            r.set(i, 0.0);
    }
    return r;
}

void fill(const std::string& path, const std::vector<demo::Row>& rows) {
    if (rows.empty()) return;
    auto table = xb::Table::open(path);
    std::vector<xb::Record> records;
    for (const auto& row : rows) {
        xb::Record r = zeroRecord(*table);
        for (const auto& [field, value] : row) r.set(field, value);
        records.push_back(std::move(r));
    }
    table->appendMany(records);
}

void create(const TableDef& def, const fs::path& dir, const std::vector<demo::Row>& rows = {}, int year = 0) {
    fill(TableFactory::Create(def, dirOf(dir), year), rows);
}

std::vector<demo::Row> rowsFor(const std::string& table, int year) {
    if (table == "STAKOSZ" || table == "Stk") return demo::CostCentres();
    if (table == "KATZLEC") return demo::Orders();
    if (table == "Zlec") return demo::CentralOrderFile();
    if (table == "Oddzialy" || table == "Oddz") return demo::Departments();
    if (table == "KodyUZ" || table == "KdUz") return demo::AbsenceCodes();
    if (table == "RodZW" || table == "RoZW") return demo::SickLeaveKinds();
    if (table == "MAPA" || table == "Mp") return demo::Combinations();
    if (table == "Dni_GS" || table == "Dni") return demo::ExtraDays(year);
    if (table == "Licznik") return demo::Counters();
    if (table == "grupy") return demo::Categories();
    return {};
}

void writeKonfig(const fs::path& root) {
    Settings s;
    s.BazySystemuEwidor = dirOf(root / "BAZY_K");
    s.ZbioryCentrali = dirOf(root / "EXPORTCT");
    s.BazyDocelowe = dirOf(root / "BAZY_CT");
    s.Barborka = true;
    InstallationParams p;
    p.Wlasciciel = "Zakład Mechaniczny \"Przykład\" S.A.";
    p.DzienRozliczenia = 1;
    IniFile ini;
    s.Write(ini);
    p.Write(ini);
    ini.Save((root / "Konfig").string());
}

// The demo's administrator (every right) and clerk (the rights of daily work), both
// allowed every demo group; README lists their signs and passwords.
void writeUsers(const fs::path& root, int currentYear) {
    using namespace std::chrono;
    year_month_day today{floor<days>(system_clock::now())};
    std::string groups;
    for (const auto& row : demo::Groups()) {
        for (const auto& [field, value] : row) {
            if (field != "NUMER") continue;
            char three[8];
            std::snprintf(three, sizeof three, "/%.3d", static_cast<int>(std::get<double>(value)));
            groups += three;
        }
    }
    auto user = [&](const char* sign, const char* password, const char* first, const char* surname) {
        UserRecord u;
        u.Sign = sign;
        u.Password = password;
        u.FirstName = first;
        u.Surname = surname;
        u.Groups = groups;
        u.ValidFrom = year{currentYear - 1} / January / 1;
        u.ValidTo = UsersFile::YearLater(today);
        u.PasswordDate = today;
        return u;
    };
    UserRecord admin = user("AD", "ADMIN1", "Administrator", "Demonstracyjny");
    admin.rights = Rights{true, true, true, true, true, true, true, true, true, true, true, true};
    UserRecord clerk = user("KL", "KLERK1", "Krystyna", "Kadrowa");
    clerk.rights.EdycjaZbior = clerk.rights.MozeUrlopy = clerk.rights.MozePremie = true;
    std::string path = (root / "HasKarU").string();
    if (!UsersFile::WriteUser(path, 0, admin) || !UsersFile::WriteUser(path, 1, clerk))
        throw std::runtime_error("Nie zapisano pliku " + path);
}

} // namespace

void DemoBuilder::Build(const std::string& dir) const {
    fs::path root = fs::absolute(dir).lexically_normal();
    if (fs::exists(root / "Konfig") || fs::exists(root / "BAZY_K"))
        throw std::runtime_error("W katalogu " + root.string() + " jest już instalacja systemu");
    const int years[] = {options_.currentYear - 1, options_.currentYear};
    TableCatalogue catalogue;
    fs::create_directories(root / "BAZY_K");
    for (const char* sub : {"IMPORT", "INTER", "EXPORTCT", "BAZY_CT"}) fs::create_directories(root / sub);
    writeKonfig(root);
    writeUsers(root, options_.currentYear);
    EventLog(dirOf(root / "BAZY_K")).EnsureExists();

    for (const auto& def : catalogue.siteTables()) {
        if (def.name == "Log") continue;  // the event log is created with its password above
        if (def.dir == DirKind::Root) {
            const std::vector<demo::Row> rows = def.name == "KOS"     ? demo::Employees(options_.employees)
                                                : def.name == "GRUPY" ? demo::Categories()
                                                : def.name == "Jedn"  ? demo::Groups()
                                                                      : std::vector<demo::Row>{};
            create(def, root / "BAZY_K", rows);
            continue;
        }
        for (int year : years) {
            fs::path yearDir = root / "BAZY_K" / ("Rok" + std::to_string(year));
            fs::create_directories(yearDir);
            create(def, yearDir, rowsFor(def.name, year), year);
        }
    }
    for (const auto& def : catalogue.referenceFiles()) {
        for (const char* sub : {"IMPORT", "EXPORTCT"})
            create(def, root / sub, rowsFor(def.name, options_.currentYear), options_.currentYear);
    }
    for (const auto& def : catalogue.hqTables()) {
        if (def.dir == DirKind::HqRoot) {
            create(def, root / "BAZY_CT");
            continue;
        }
        for (int year : years) {
            fs::path yearDir = root / "BAZY_CT" / ("Rok" + std::to_string(year));
            fs::create_directories(yearDir);
            create(def, yearDir);
        }
    }
}

} // namespace ewidor
