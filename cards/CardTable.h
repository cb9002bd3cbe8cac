#pragma once
// The daily card table of a year directory (KARTYDZ, or ARCHIWDZ with the same layout):
// the access paths the windows read cards through, and the writes that keep its
// invariants: one main card (KTORA 0) per employee and day, supplementary cards
// numbered 1..9, class fields 0 on supplementary cards, the day's total work on the
// main card, non-empty lines packed to the front.
//
// An employee's day is read through the tag WgPrac (NR_EW), a package by one block scan
// of the raw NUMER and KTORA bytes (numbers as this program writes them); nothing is kept
// between calls, so every call sees what other desktops wrote a moment ago.
// Writes lock the records they change (xb::Error 5035 when another handle holds one).
#include "Dataset.h"
#include "Message.h"

#include <optional>
#include <string>
#include <vector>

namespace ewidor {

struct Card {
    uint32_t recno = 0;
    xb::Record record;
};

struct PackageEmployee {
    int nrEw = 0;
    std::string name;  // NAZWISKO as stored on the cards
    bool operator==(const PackageEmployee&) const = default;
};

enum class PackageOrder { ByDayThenName, ByNameThenDay };

// What a save did: the record it wrote, or the refusal that stopped it (nothing written).
struct CardSave {
    uint32_t recno = 0;
    std::optional<Message> refusal;
};

class CardTable {
public:
    static constexpr int kMaxSupplementary = 9;

    // Opens the table at `path` shared.
    explicit CardTable(const std::string& path);
    // KARTYDZ.DBF (or ARCHIWDZ.DBF) of a year directory, whatever the case of its name.
    static std::string PathIn(const std::string& yearDir, bool archive = false);

    std::vector<Card> MainCardsOfPackage(int numer, PackageOrder order);
    std::optional<Card> MainCard(int nrEw, const xb::Date& day);
    // Ordered by KTORA.
    std::vector<Card> SupplementaryCards(int nrEw, const xb::Date& day);
    // Employees with main cards in the package, by name.
    std::vector<PackageEmployee> EmployeesOfPackage(int numer);
    // Days of the employee's main cards in the package, rising.
    std::vector<xb::Date> DaysOfEmployee(int numer, int nrEw);
    // 60 * sum of GODZ..GODZ5 + sum of MIN..MIN5 over the supplementary cards of the day.
    int SupplementaryMinutes(int nrEw, const xb::Date& day);

    // The refusal when another main card exists for the card's employee and day.
    std::optional<Message> CheckSingleMainCard(const xb::Record& card, uint32_t ownRecno);
    // The number a new supplementary card of the day takes: count + 1 while the numbers
    // are 1..count, else the lowest free one (a card was deleted in the middle);
    // the refusal when nine exist.
    std::optional<int> NextSupplementaryNumber(int nrEw, const xb::Date& day, std::optional<Message>* refusal);

    // Saves a main card (recno 0: a new one): refuses a second main card of the day,
    // packs the lines, sets the day's total work (own lines + supplementary lines).
    CardSave SaveMainCard(xb::Record card, uint32_t recno = 0);
    // Saves a supplementary card of an existing main card (recno 0: a new one, numbered
    // here): class fields 0, lines packed; then the main card's total work follows.
    CardSave SaveSupplementaryCard(xb::Record card, uint32_t recno = 0);
    // Rewrites the main card's GPRACY_R/MPRACY_R from all lines of the day; false when
    // the day has no main card.
    bool UpdateDayTotal(int nrEw, const xb::Date& day);
    // Deletes the main and supplementary cards of the day; all or none: when another
    // desktop holds one of them, nothing is deleted and xb::Error 5035 is thrown.
    size_t DeleteDay(int nrEw, const xb::Date& day);

    // A new card: every number 0 (durations and orders default to 0, never blank), text and date blank.
    xb::Record BlankCard();

private:
    // Visits the employee's cards of the day through WgPrac.
    std::vector<Card> cardsOfDay(int nrEw, const xb::Date& day);
    std::vector<Card> mainCardsOfNumber(int numer);
    uint32_t write(const xb::Record& card, uint32_t recno);
    void removeRecord(uint32_t recno);

    xb::Dataset cards_;
};

} // namespace ewidor
