#include "CardTable.h"

#include "CardLayout.h"
#include "Error.h"
#include "Paths.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace ewidor {
namespace {

const char* const kGenitiveMonths[12] = {"stycznia", "lutego",   "marca",     "kwietnia", "maja",     "czerwca",
                                         "lipca",    "sierpnia", "września", "października", "listopada", "grudnia"};

// "d mmmm yyyy", as the refusals name a day.
std::string longDay(const xb::Date& d) {
    return std::to_string(d.day) + " " + kGenitiveMonths[d.month - 1] + " " + std::to_string(d.year);
}

int nrEwOf(const xb::Record& r) { return static_cast<int>(r.number("NR_EW")); }
int ktoraOf(const xb::Record& r) { return static_cast<int>(r.number("KTORA")); }
int numerOf(const xb::Record& r) { return static_cast<int>(r.number("NUMER")); }

Message lostRace() {
    return {"Konflikt sieciowy !", "Zapisanie zmian było niemożliwe !\n\nInny użytkownik w tej chwili zapisał "
                                   "kartę tego pracownika na ten dzień.\nProszę spróbować ponownie."};
}

// Runs `change` on record `recno` under its lock (5035 when another handle holds it).
template <class Change> void underLock(xb::Table& table, uint32_t recno, Change&& change) {
    table.lock(recno);
    try {
        change();
    } catch (...) {
        table.unlock(recno);
        throw;
    }
    table.unlock(recno);
}

} // namespace

CardTable::CardTable(const std::string& path) : cards_(path) {
    cards_.open();
}

std::string CardTable::PathIn(const std::string& yearDir, bool archive) {
    const char* name = archive ? "ARCHIWDZ.DBF" : "KARTYDZ.DBF";
    if (auto found = findNoCase(yearDir, name)) return *found;
    throw xb::Error(xb::ErrorCode::NotFound, std::string("Brak tabeli ") + name, yearDir + name);
}

xb::Record CardTable::BlankCard() {
    xb::Record card = cards_.table().blankRecord();
    for (int i = 0; i < card.schema().fieldCount(); ++i)
        if (card.schema().field(i).type == xb::FieldType::Numeric) card.set(i, 0.0);
    return card;
}

std::vector<Card> CardTable::cardsOfDay(int nrEw, const xb::Date& day) {
    std::vector<Card> found;
    cards_.setActiveTag("WgPrac");
    cards_.setRange(static_cast<double>(nrEw), static_cast<double>(nrEw));
    for (bool more = !cards_.eof(); more; more = cards_.next())
        if (cards_.current().date("Z_DNIA") == day) found.push_back({cards_.recno(), cards_.current()});
    cards_.clearRange();
    return found;
}

std::vector<Card> CardTable::mainCardsOfNumber(int numer) {
    // One pass over the file in large blocks, comparing the raw bytes of NUMER and
    // KTORA: reading the month's range of WgDat record by record costs more than
    // this scan once a year holds hundreds of thousands of cards.
    xb::Table& table = cards_.table();
    const xb::Schema& schema = table.schema();
    auto field = [&](const char* name) { return schema.field(schema.require(name)); };
    const xb::FieldDef numerField = field("NUMER"), ktoraField = field("KTORA");
    const std::string numerBytes = xb::codec::encode(numerField, static_cast<double>(numer), schema.codePage());
    const std::string ktoraBytes = xb::codec::encode(ktoraField, 0.0, schema.codePage());
    std::vector<uint32_t> matches;
    table.scan([&](uint32_t recno, const char* bytes) {
        if (bytes[0] != '*' && numerBytes.compare(0, numerBytes.size(), bytes + numerField.offset, numerBytes.size()) == 0 &&
            ktoraBytes.compare(0, ktoraBytes.size(), bytes + ktoraField.offset, ktoraBytes.size()) == 0)
            matches.push_back(recno);
        return true;
    });
    std::vector<Card> found;
    for (uint32_t recno : matches) found.push_back({recno, table.read(recno)});
    return found;
}

std::vector<Card> CardTable::MainCardsOfPackage(int numer, PackageOrder order) {
    std::vector<Card> cards = mainCardsOfNumber(numer);
    auto key = [order](const Card& c) {
        xb::Date day = c.record.date("Z_DNIA");
        std::string name = c.record.text("NAZWISKO");
        return order == PackageOrder::ByDayThenName ? std::tuple(day.dtos(), name, c.recno)
                                                    : std::tuple(name, day.dtos(), c.recno);
    };
    std::sort(cards.begin(), cards.end(), [&](const Card& a, const Card& b) { return key(a) < key(b); });
    return cards;
}

std::optional<Card> CardTable::MainCard(int nrEw, const xb::Date& day) {
    for (auto& c : cardsOfDay(nrEw, day))
        if (ktoraOf(c.record) == 0) return c;
    return std::nullopt;
}

std::vector<Card> CardTable::SupplementaryCards(int nrEw, const xb::Date& day) {
    std::vector<Card> cards = cardsOfDay(nrEw, day);
    std::erase_if(cards, [](const Card& c) { return ktoraOf(c.record) <= 0; });
    std::stable_sort(cards.begin(), cards.end(),
                     [](const Card& a, const Card& b) { return ktoraOf(a.record) < ktoraOf(b.record); });
    return cards;
}

std::vector<PackageEmployee> CardTable::EmployeesOfPackage(int numer) {
    std::set<std::pair<std::string, int>> distinct;
    for (const auto& c : mainCardsOfNumber(numer)) distinct.emplace(c.record.text("NAZWISKO"), nrEwOf(c.record));
    std::vector<PackageEmployee> employees;
    for (const auto& [name, nrEw] : distinct) employees.push_back({nrEw, name});
    return employees;
}

std::vector<xb::Date> CardTable::DaysOfEmployee(int numer, int nrEw) {
    std::vector<xb::Date> days;
    cards_.setActiveTag("WgPrac");
    cards_.setRange(static_cast<double>(nrEw), static_cast<double>(nrEw));
    for (bool more = !cards_.eof(); more; more = cards_.next()) {
        const xb::Record& r = cards_.current();
        if (ktoraOf(r) == 0 && numerOf(r) == numer) days.push_back(r.date("Z_DNIA"));
    }
    cards_.clearRange();
    std::sort(days.begin(), days.end());
    return days;
}

int CardTable::SupplementaryMinutes(int nrEw, const xb::Date& day) {
    int total = 0;
    for (const auto& c : SupplementaryCards(nrEw, day)) total += CardLayout::LinesMinutes(c.record);
    return total;
}

std::optional<Message> CardTable::CheckSingleMainCard(const xb::Record& card, uint32_t ownRecno) {
    xb::Date day = card.date("Z_DNIA");
    for (const auto& c : cardsOfDay(nrEwOf(card), day))
        if (ktoraOf(c.record) == 0 && c.recno != ownRecno)
            return Message{"Uwaga !", c.record.text("NAZWISKO") + " ma już zapisaną kartę na dzień " + longDay(day) +
                                          " r.  !"};
    return std::nullopt;
}

std::optional<int> CardTable::NextSupplementaryNumber(int nrEw, const xb::Date& day,
                                                      std::optional<Message>* refusal) {
    std::set<int> taken;
    for (const auto& c : SupplementaryCards(nrEw, day)) taken.insert(ktoraOf(c.record));
    int count = static_cast<int>(taken.size());
    if (count >= kMaxSupplementary) {
        if (refusal)
            *refusal = Message{"Przekroczone ograniczenia systemu !",
                               "Nie można w systemie zapisać więcej niż 9 dziennych kart pracy jednemu pracownikowi !"};
        return std::nullopt;
    }
    if (!taken.count(count + 1)) return count + 1;
    int number = 1;
    while (taken.count(number)) ++number;
    return number;
}

CardSave CardTable::SaveMainCard(xb::Record card, uint32_t recno) {
    card.set("KTORA", 0.0);
    if (auto refusal = CheckSingleMainCard(card, recno)) return {0, refusal};
    int nrEw = nrEwOf(card);
    xb::Date day = card.date("Z_DNIA");
    CardLayout::PackLines(card);
    CardLayout::SetPair(card, "PRACY_R", CardLayout::LinesMinutes(card) + SupplementaryMinutes(nrEw, day));
    uint32_t written = write(card, recno);
    if (recno != 0) return {written, std::nullopt};
    // Two desktops may append the same day's main card at once: the earlier record
    // stays, the later one is taken back.
    for (const auto& c : cardsOfDay(nrEw, day))
        if (ktoraOf(c.record) == 0 && c.recno < written) {
            removeRecord(written);
            return {0, CheckSingleMainCard(card, written)};
        }
    return {written, std::nullopt};
}

CardSave CardTable::SaveSupplementaryCard(xb::Record card, uint32_t recno) {
    int nrEw = nrEwOf(card);
    xb::Date day = card.date("Z_DNIA");
    auto main = MainCard(nrEw, day);
    if (!main)
        return {0, Message{"Uwaga !", "Brak karty głównej pracownika na ten dzień !\n\n"
                                      "Należy najpierw zapisać kartę główną."}};
    if (recno == 0) {
        std::optional<Message> refusal;
        auto number = NextSupplementaryNumber(nrEw, day, &refusal);
        if (!number) return {0, refusal};
        card.set("KTORA", static_cast<double>(*number));
    }
    card.set("NUMER", main->record.value("NUMER"));
    card.set("NAZWISKO", main->record.value("NAZWISKO"));
    CardLayout::ClearClasses(card);
    CardLayout::PackLines(card);
    uint32_t written = write(card, recno);
    if (recno == 0) {
        int number = ktoraOf(card);
        for (const auto& c : SupplementaryCards(nrEw, day))
            if (ktoraOf(c.record) == number && c.recno < written) {
                removeRecord(written);
                return {0, lostRace()};
            }
    }
    UpdateDayTotal(nrEw, day);
    return {written, std::nullopt};
}

bool CardTable::UpdateDayTotal(int nrEw, const xb::Date& day) {
    auto main = MainCard(nrEw, day);
    if (!main) return false;
    int supplementary = SupplementaryMinutes(nrEw, day);
    xb::Table& table = cards_.table();
    underLock(table, main->recno, [&] {
        xb::Record fresh = table.read(main->recno);  // another desktop may have changed the card since
        if (fresh.deleted()) return;
        CardLayout::SetPair(fresh, "PRACY_R", CardLayout::LinesMinutes(fresh) + supplementary);
        table.write(main->recno, fresh);
    });
    return true;
}

size_t CardTable::DeleteDay(int nrEw, const xb::Date& day) {
    std::vector<Card> cards = cardsOfDay(nrEw, day);
    xb::Table& table = cards_.table();
    std::vector<uint32_t> locked;
    auto release = [&] {
        for (uint32_t r : locked) table.unlock(r);
    };
    for (const auto& c : cards) {
        if (!table.tryLock(c.recno)) {
            release();
            throw xb::Error(xb::ErrorCode::RecordLocked,
                            "Karta " + std::to_string(c.recno) + " jest edytowana przez innego użytkownika",
                            table.path());
        }
        locked.push_back(c.recno);
    }
    try {
        for (const auto& c : cards) table.setDeleted(c.recno, true);
    } catch (...) {
        release();
        throw;
    }
    release();
    return cards.size();
}

uint32_t CardTable::write(const xb::Record& card, uint32_t recno) {
    xb::Table& table = cards_.table();
    if (recno == 0) return table.append(card);
    underLock(table, recno, [&] { table.write(recno, card); });
    return recno;
}

void CardTable::removeRecord(uint32_t recno) {
    xb::Table& table = cards_.table();
    underLock(table, recno, [&] { table.setDeleted(recno, true); });
}

} // namespace ewidor
