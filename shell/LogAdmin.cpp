#include "LogAdmin.h"

#include "Error.h"
#include "EventLog.h"
#include "Paths.h"
#include "Table.h"

#include <filesystem>

namespace ewidor {

namespace fs = std::filesystem;

namespace {
xb::OpenOptions logOptions() {
    xb::OpenOptions options;
    options.password = EventLog::kPassword;
    return options;
}
} // namespace

LogAdmin::LogAdmin(std::string dataRoot, Prompter& prompter)
    : dataRoot_(std::move(dataRoot)), prompter_(prompter), query_(dataRoot_, LogFilter::Sql({})) {
    query_.setPassword(EventLog::kPassword);
}

void LogAdmin::Open() {
    query_.setSql(LogFilter::Sql(criteria_));
    query_.open();
}

void LogAdmin::Apply(const LogCriteria& criteria) {
    criteria_ = criteria;
    Open();
}

bool LogAdmin::LogHasEvents() {
    return xb::executeSql(dataRoot_, "SELECT * FROM \"Log.vq\" WHERE ID_ZD>0", {},
                          EventLog::kPassword) > 0;
}

std::vector<std::string> LogAdmin::Users() {
    xb::Query q(dataRoot_, "select distinct Uzytkownik from \"Log.vq\"");
    q.setPassword(EventLog::kPassword);
    q.open();
    std::vector<std::string> users;
    for (bool more = q.first(); more; more = q.next())
        users.push_back(q.text("Uzytkownik"));
    return users;
}

// ArchTmp.dbf with the log's fields and the kind's name, one record a shown row.
std::vector<uint32_t> LogAdmin::copyShown() {
    std::vector<uint32_t> recnos;
    fs::remove(WorkPath());
    xb::Table::create(
        WorkPath(), xb::parseFieldList(std::string(EventLog::kFields) + "Zdarzenie,Character,30;"));
    auto work = xb::Table::open(WorkPath());
    std::vector<xb::Record> rows;
    for (bool more = query_.first(); more; more = query_.next()) {
        xb::Record r = work->blankRecord();
        for (const char* field : {"DNIA", "CZAS", "UZYTKOWNIK", "ID_ZD"})
            r.set(field, query_.value(field));
        r.set("ZDARZENIE", EventLog::KindName(static_cast<int>(query_.number("ID_ZD"))));
        rows.push_back(std::move(r));
        recnos.push_back(query_.recno());
    }
    work->appendMany(rows);
    return recnos;
}

// The first archive is the work table itself, linked into place so that a second
// desktop archiving at the same moment appends to it instead of replacing it.
void LogAdmin::appendToArchive() {
    std::error_code ec;
    if (!fs::exists(ArchivePath())) {
        fs::create_hard_link(WorkPath(), ArchivePath(), ec);
        if (!ec) return;
        if (!fs::exists(ArchivePath())) {
            fs::rename(WorkPath(), ArchivePath()); // a share that cannot link
            return;
        }
    }
    auto work = xb::Table::open(WorkPath());
    auto archive = xb::Table::open(ArchivePath());
    xb::copyRecords(*work, *archive);
}

void LogAdmin::deleteFromLog(const std::vector<uint32_t>& recnos) {
    auto log = xb::Table::open(pathNoCase(dataRoot_, EventLog::kFileName), logOptions());
    for (uint32_t recno : recnos) {
        log->lock(recno);
        log->setDeleted(recno, true);
        log->unlock(recno);
    }
}

void LogAdmin::removeWorkFiles() {
    std::error_code ec;
    fs::remove(WorkPath(), ec);
    fs::remove(WorkPath() + ".BAK", ec);
}

bool LogAdmin::Archive() {
    if (!prompter_.Ask("Proszę zdecydować !",
                       "Archiwizacja LOG-u spowoduje zapisanie aktualnie wyświetlonych zdarzeń\n"
                       "do oddzielnego NIESZYFROWANEGO pliku. Jednocześnie zdarzenia te zostaną\n"
                       "                         usunięte z bieżącego LOG-u.\n\n"
                       "        Czy na pewno chcesz zarchiwizować wyświelone zdarzenia  ?",
                       true))
        return false;
    bool done = false;
    try {
        std::vector<uint32_t> recnos = copyShown();
        query_.close();
        appendToArchive();
        deleteFromLog(recnos);
        done = true;
    } catch (const std::exception&) {
        done = false;
    }
    removeWorkFiles();
    if (done)
        prompter_.ShowMessage("Sukces !", "Pomyślnie zarchiwowano wybrane zdarzenia !");
    else
        prompter_.ShowMessage(
            "Błąd !",
            "Nie udało się zarchiwizować LOG-u - prawdopodobnie pracują inni użytkownicy !");
    try {
        Open();
    } catch (const xb::Error&) {
        query_.close();
    }
    return done;
}

} // namespace ewidor
