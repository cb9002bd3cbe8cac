#include "Executor.h"

#include "../Error.h"
#include "../PathCase.h"
#include "../Table.h"
#include "../index/IndexSet.h"
#include "Values.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>
#include <unordered_map>

namespace xb::sql {

std::string parameterKey(const std::string& name) { return upperAscii(name); }

namespace {

bool isAggregate(const std::string& name) {
    return name == "COUNT" || name == "SUM" || name == "MIN" || name == "MAX" || name == "AVG";
}

// Parses an N or F field's stored text ("  -12.50") without allocating; nothing when
// the field is blank (blank set) or in a form only the general parser reads.
std::optional<double> parseStoredNumber(const char* p, size_t n, bool& blank) {
    size_t i = 0;
    while (i < n && p[i] == ' ') ++i;
    blank = i == n;
    if (blank) return std::nullopt;
    bool negative = false;
    if (p[i] == '-' || p[i] == '+') negative = p[i++] == '-';
    int64_t mantissa = 0;
    int fraction = -1, digits = 0;
    for (; i < n; ++i) {
        char c = p[i];
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + (c - '0');
            if (fraction >= 0) ++fraction;
            if (++digits > 17) break;
        } else if (c == '.' && fraction < 0) {
            fraction = 0;
        } else {
            break;
        }
    }
    if (i != n || digits == 0) return std::nullopt;
    static const double powers[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17};
    double v = static_cast<double>(mantissa);
    if (fraction > 0) v /= powers[fraction];
    return negative ? -v : v;
}

// Reads a field's value straight from record bytes; the common types avoid the
// general decoder's allocations.
Value decodeField(const FieldDef& f, const char* record, const CodePage& cp) {
    const char* p = record + f.offset;
    const size_t n = static_cast<size_t>(f.length);
    switch (f.type) {
    case FieldType::Character: {
        size_t len = n;
        while (len > 0 && (p[len - 1] == ' ' || p[len - 1] == '\0')) --len;
        return cp.decode(std::string_view(p, len));
    }
    case FieldType::Numeric:
    case FieldType::Float: {
        bool blank = true;
        if (auto v = parseStoredNumber(p, n, blank)) return *v;
        return blank ? Value{} : codec::decode(f, std::string_view(p, n), cp);  // unusual form
    }
    case FieldType::Date: {
        if (n != 8) return codec::decode(f, std::string_view(p, n), cp);
        int v[8];
        for (int i = 0; i < 8; ++i) {
            if (p[i] < '0' || p[i] > '9') return codec::decode(f, std::string_view(p, n), cp);
            v[i] = p[i] - '0';
        }
        Date d{v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3], v[4] * 10 + v[5], v[6] * 10 + v[7]};
        if (!d.valid()) return {};
        return d;
    }
    default: return codec::decode(f, std::string_view(p, n), cp);
    }
}

// A condition "field op constant" tested on the stored bytes: dates as their
// YYYYMMDD text (which orders as the dates do), numbers parsed in place, text
// equality on the blank-padded bytes. Blank dates and numbers are NULL and pass no test.
struct RawFilter {
    bool number = false;
    bool blankIsNull = true;
    int offset = 0, length = 0;
    bool notEqual = false;
    std::optional<std::string> low, high;  // byte forms
    std::optional<double> lowNumber, highNumber;
    bool lowInclusive = true, highInclusive = true;

    bool test(const char* record) const {
        const char* p = record + offset;
        if (number) {
            std::optional<double> v = parse(p);
            if (!v) return false;
            if (notEqual) return *v != *lowNumber;
            if (lowNumber && (*v < *lowNumber || (*v == *lowNumber && !lowInclusive))) return false;
            if (highNumber && (*v > *highNumber || (*v == *highNumber && !highInclusive))) return false;
            return true;
        }
        if (blankIsNull && p[0] == ' ' && std::memcmp(p, std::string(static_cast<size_t>(length), ' ').data(), static_cast<size_t>(length)) == 0)
            return false;
        if (notEqual) return std::memcmp(p, low->data(), static_cast<size_t>(length)) != 0;
        if (low) {
            int c = std::memcmp(p, low->data(), static_cast<size_t>(length));
            if (c < 0 || (c == 0 && !lowInclusive)) return false;
        }
        if (high) {
            int c = std::memcmp(p, high->data(), static_cast<size_t>(length));
            if (c > 0 || (c == 0 && !highInclusive)) return false;
        }
        return true;
    }

    std::optional<double> parse(const char* p) const {
        bool blank = true;
        if (auto v = parseStoredNumber(p, static_cast<size_t>(length), blank)) return v;
        double d;
        if (blank || !codec::parseNumber(std::string_view(p, static_cast<size_t>(length)), d)) return std::nullopt;
        return d;
    }
};

struct Slot {
    std::string alias;     // as written, or the table's base name
    std::string baseName;  // file name without extension
    std::string path;
    std::shared_ptr<const Schema> schema;
    JoinKind join = JoinKind::Comma;
    const Expr* on = nullptr;
    std::vector<const Expr*> filters;  // conditions on this table alone
    std::vector<RawFilter> rawFilters;       // those of them tested on the stored bytes
    std::vector<const Expr*> exprFilters;    // the rest, evaluated
    std::vector<char> data;            // bytes of the records that passed the filters
    std::vector<uint32_t> recnos;
    size_t recordLength = 0;

    size_t size() const { return recnos.size(); }
    const char* row(size_t i) const { return data.data() + i * recordLength; }
};

struct Row {
    std::vector<const char*> bytes;  // per slot; null for the missing side of a LEFT JOIN
    std::vector<uint32_t> recnos;
};

struct Context {
    const Row* row = nullptr;
    const std::vector<Value>* aggregates = nullptr;
    const std::vector<Value>* items = nullptr;  // output values, for names and positions in ORDER BY
};

struct Accumulator {
    double sum = 0;
    long count = 0;
    Value min, max;
    std::set<std::string> seen;  // COUNT(DISTINCT)
};

struct OutputRow {
    std::vector<Value> values;
    std::vector<Value> orderKeys;
    uint32_t recno = 0;
};

struct InSet {
    std::set<std::string> keys;
    bool hasNull = false;
};

// Keeps the first of rows with equal values (DISTINCT, UNION).
void removeDuplicates(std::vector<OutputRow>& rows) {
    std::set<std::string> seen;
    std::vector<OutputRow> kept;
    for (auto& r : rows) {
        std::string key;
        for (const auto& v : r.values) key += groupKey(v) + '\x1F';
        if (seen.insert(key).second) kept.push_back(std::move(r));
    }
    rows = std::move(kept);
}

class SelectRun {
public:
    SelectRun(const Select& select, const std::string& directory, const Parameters& parameters, const std::string& password)
        : select_(select), directory_(directory), parameters_(parameters), password_(password) {}

    // Runs one SELECT (its own core only; unions are handled by the caller).
    std::vector<OutputRow> run(bool withOrderKeys) {
        openTables();
        bindAll(withOrderKeys);
        planJoins();
        compileFilters();
        loadTables();
        std::vector<OutputRow> out;
        if (grouped_) runGrouped(out, withOrderKeys);
        else runPlain(out, withOrderKeys);
        if (select_.distinct) removeDuplicates(out);
        return out;
    }

    std::vector<ResultColumn> columns() const { return columns_; }
    size_t examined() const { return examined_; }
    bool liveCandidate() const {
        return slots_.size() == 1 && !grouped_ && !select_.distinct && !select_.unionNext;
    }
    const std::string& firstPath() const { return slots_.at(0).path; }

    // Values of the select items for one record of the single table (live results).
    std::vector<Value> projectRecord(const char* record, uint32_t recno) {
        Row row{{record}, {recno}};
        Context ctx{&row};
        std::vector<Value> values;
        for (const auto& o : outputs_) values.push_back(o.expr ? eval(*o.expr, ctx) : fieldValue(o.slot, o.field, row));
        return values;
    }

    void prepareForRecords() {
        openTables();
        bindAll(false);
    }

private:
    struct Output {
        const Expr* expr = nullptr;  // null for a star-expanded field
        int slot = -1, field = -1;
    };

    // ---- tables ----

    void openTables() {
        slots_.clear();
        for (const auto& ref : select_.from) {
            Slot s;
            s.path = resolveTablePath(directory_, ref.name);
            std::string file = normalizeDelimiters(ref.name);
            file = file.substr(file.find_last_of('/') == std::string::npos ? 0 : file.find_last_of('/') + 1);
            s.baseName = file.substr(0, file.find('.'));
            s.alias = ref.alias.empty() ? s.baseName : ref.alias;
            s.join = ref.join;
            s.on = ref.on.get();
            OpenOptions o;
            o.readOnly = true;
            o.password = password_;
            auto table = Table::open(s.path, o);
            s.schema = table->schemaPtr();
            s.recordLength = static_cast<size_t>(s.schema->recordLength());
            slots_.push_back(std::move(s));
        }
    }

    void loadTables() {
        for (size_t i = 0; i < slots_.size(); ++i) {
            Slot& s = slots_[i];
            OpenOptions o;
            o.readOnly = true;
            o.password = password_;
            auto table = Table::open(s.path, o);
            Row row;
            row.bytes.assign(slots_.size(), nullptr);
            row.recnos.assign(slots_.size(), 0);
            Context ctx{&row};
            auto keep = [&](uint32_t recno, const char* bytes) {
                ++examined_;
                if (bytes[0] == '*') return true;
                for (const RawFilter& f : s.rawFilters)
                    if (!f.test(bytes)) return true;
                row.bytes[i] = bytes;
                row.recnos[i] = recno;
                for (const Expr* f : s.exprFilters)
                    if (!truthy(eval(*f, ctx))) return true;
                s.data.insert(s.data.end(), bytes, bytes + s.recordLength);
                s.recnos.push_back(recno);
                return true;
            };
            auto candidates = i > 0 ? joinCandidates(*table, i) : std::nullopt;
            if (!candidates) candidates = indexCandidates(*table, s);
            if (candidates) {
                // The index narrows the records to read; every condition is still tested on them.
                table->readRecords(*candidates, keep);
            } else {
                table->scan(keep);
            }
        }
    }

    // ---- index use ----

    // A condition "field op constant" (or BETWEEN, or LIKE 'prefix%') answered by an
    // ascending order whose key is that field alone: the records it names, in record
    // order. Nothing when no order fits or when reading those records would cost more
    // than one scan of the file in blocks.
    std::optional<std::vector<uint32_t>> indexCandidates(Table& table, const Slot& s) const {
        IndexSet* set = table.indexes();
        if (!set || s.filters.empty()) return std::nullopt;
        const size_t records = table.recordCount();
        size_t limit = std::max<size_t>(64, records / 4);
        for (const Expr* f : s.filters) {
            std::optional<std::vector<uint32_t>> found;
            try {
                found = rangeFromOrder(*set, *f, limit, s);
            } catch (const Error&) {
                continue;  // a value the order cannot encode: the scan decides
            }
            if (found && worthReading(*found, records, s.recordLength)) return found;
        }
        return std::nullopt;
    }

    // Records read through an index come in runs of neighbours (Table::readRecords);
    // a run costs about as much as scanning some 70 records, a record in it about 2.
    static bool worthReading(const std::vector<uint32_t>& recnos, size_t records, size_t recordLength) {
        if (recnos.size() <= 64) return true;
        const uint32_t gap = static_cast<uint32_t>(std::max<size_t>(1, 16384 / recordLength));
        size_t runs = 1;
        for (size_t i = 1; i < recnos.size(); ++i)
            if (recnos[i] - recnos[i - 1] > gap) ++runs;
        return runs * 70 + recnos.size() * 2 < records;
    }

    bool constant(const Expr& e) const {
        std::set<int> used;
        return slotsUsed(e, used) && used.empty() && e.kind != ExprKind::Function;
    }

    std::optional<std::vector<uint32_t>> rangeFromOrder(IndexSet& set, const Expr& f, size_t limit, const Slot& s) const {
        const Expr* column = nullptr;
        std::optional<Value> low, high;
        bool lowInclusive = true, highInclusive = true, prefix = false;
        Context none{nullptr};
        if (f.kind == ExprKind::Binary && f.args.size() == 2) {
            const Expr* a = f.args[0].get();
            const Expr* b = f.args[1].get();
            std::string op = f.op;
            if (b->kind == ExprKind::Column && constant(*a)) {
                std::swap(a, b);
                op = op == "<" ? ">" : op == ">" ? "<" : op == "<=" ? ">=" : op == ">=" ? "<=" : op;
            }
            if (a->kind != ExprKind::Column || a->item >= 0 || !constant(*b)) return std::nullopt;
            column = a;
            Value v = eval(*b, none);
            if (isNull(v)) return std::nullopt;
            if (op == "=") low = high = v;
            else if (op == ">" || op == ">=") low = v, lowInclusive = op == ">=";
            else if (op == "<" || op == "<=") high = v, highInclusive = op == "<=";
            else return std::nullopt;
        } else if (f.kind == ExprKind::Between && !f.negated && f.args[0]->kind == ExprKind::Column &&
                   f.args[0]->item < 0 && constant(*f.args[1]) && constant(*f.args[2])) {
            column = f.args[0].get();
            low = eval(*f.args[1], none);
            high = eval(*f.args[2], none);
        } else if (f.kind == ExprKind::Like && !f.negated && f.args[0]->kind == ExprKind::Column && f.args[0]->item < 0 &&
                   f.args[1]->kind == ExprKind::Literal) {
            std::string pattern = toText(f.args[1]->value);
            size_t wild = pattern.find_first_of("%_");
            if (wild == 0 || wild == std::string::npos) return std::nullopt;
            column = f.args[0].get();
            low = high = pattern.substr(0, wild);
            prefix = true;
        } else {
            return std::nullopt;
        }
        for (IndexedOrder* order : set.orders()) {
            if (!order->key || order->condition || !order->problem.empty() || order->key->singleField() != column->field)
                continue;
            if (order->order->info().descending) continue;
            const CodePage& cp = s.schema->codePage();
            // Literals come as text: 'yyyy-mm-dd' for dates, digits for numbers.
            auto asKey = [&](std::optional<Value>& v) {
                if (!v || !std::holds_alternative<std::string>(*v)) return;
                if (order->type == ExprType::Date) v = Date::parse(std::get<std::string>(*v));
                else if (order->type == ExprType::Numeric) v = *toNumber(*v, "Indeks");
            };
            asKey(low);
            asKey(high);
            // Text keys compare as stored bytes: only equality and prefixes are safe to seek.
            if (order->type == ExprType::Character && !(low && high && (prefix || equal(*low, *high)))) continue;
            Bound from{low ? order->seekKey(*low, cp, prefix) : std::string(), 0, lowInclusive};
            std::optional<Bound> to;
            if (high) to = Bound{order->seekKey(*high, cp, prefix), 0, highInclusive};
            std::vector<uint32_t> recnos;
            for (;;) {
                auto batch = order->order->forward(from, 512);
                if (batch.empty()) break;
                for (const auto& e : batch) {
                    if (to) {
                        int c = compareToBound(e, *to);
                        if (c > 0 || (c == 0 && !to->inclusive)) {
                            std::sort(recnos.begin(), recnos.end());
                            return recnos;
                        }
                    }
                    recnos.push_back(e.recno);
                    if (recnos.size() > limit) return std::nullopt;
                }
                from = Bound{batch.back().key, batch.back().recno, false};
            }
            std::sort(recnos.begin(), recnos.end());
            return recnos;
        }
        return std::nullopt;
    }

    // ---- binding ----

    int slotByName(const std::string& name, size_t position) const {
        for (size_t i = 0; i < slots_.size(); ++i)
            if (equalsIgnoreCase(slots_[i].alias, name)) return static_cast<int>(i);
        for (size_t i = 0; i < slots_.size(); ++i)
            if (equalsIgnoreCase(slots_[i].baseName, name)) return static_cast<int>(i);
        throw Error(ErrorCode::SqlUnknown, "Nieznana tabela lub alias '" + name + "' w pozycji " + std::to_string(position));
    }

    // Binds a column to a table field; false when no table has it.
    bool bindColumn(const Expr& e) const {
        if (!e.qualifier.empty()) {
            int s = slotByName(e.qualifier, e.position);
            int f = slots_[static_cast<size_t>(s)].schema->indexOf(e.name);
            if (f < 0) return false;
            e.slot = s;
            e.field = f;
            return true;
        }
        int found = 0;
        for (size_t i = 0; i < slots_.size(); ++i) {
            int f = slots_[i].schema->indexOf(e.name);
            if (f < 0) continue;
            if (++found > 1)
                throw Error(ErrorCode::SqlUnknown,
                            "Niejednoznaczna nazwa pola '" + e.name + "' w pozycji " + std::to_string(e.position));
            e.slot = static_cast<int>(i);
            e.field = f;
        }
        return found == 1;
    }

    [[noreturn]] void unknownField(const Expr& e) const {
        std::string name = e.qualifier.empty() ? e.name : e.qualifier + "." + e.name;
        throw Error(ErrorCode::SqlUnknown, "Nie ma pola '" + name + "' (pozycja " + std::to_string(e.position) + ")");
    }

    // allowAggregates: select items, HAVING, ORDER BY. aliases: names of output columns may be used.
    void bind(const Expr& e, bool allowAggregates, bool aliases) {
        switch (e.kind) {
        case ExprKind::Column:
            e.item = -1;
            if (aliases && e.qualifier.empty()) {
                int item = outputByName(e.name);
                if (item >= 0 && !(bindColumnQuiet(e) && !isAliasOnly(item))) {
                    e.item = item;
                    return;
                }
            }
            if (!bindColumn(e)) unknownField(e);
            return;
        case ExprKind::Parameter:
            if (!parameters_.count(parameterKey(e.name)))
                throw Error(ErrorCode::SqlParameter, "Parametr :" + e.name + " nie ma wartości");
            return;
        case ExprKind::Function:
            if (isAggregate(e.op)) {
                if (!allowAggregates)
                    throw Error(ErrorCode::SqlSyntax, "Funkcja " + e.op + " niedozwolona w tym miejscu (pozycja " +
                                                          std::to_string(e.position) + ")");
                if (e.star && e.op != "COUNT")
                    throw Error(ErrorCode::SqlSyntax, e.op + "(*) w pozycji " + std::to_string(e.position));
                if (!e.star && e.args.size() != 1)
                    throw Error(ErrorCode::SqlSyntax, "Funkcja " + e.op + " wymaga jednego argumentu (pozycja " +
                                                          std::to_string(e.position) + ")");
                for (const auto& a : e.args) bind(*a, false, false);
                e.aggregate = static_cast<int>(aggregates_.size());
                aggregates_.push_back(&e);
                return;
            }
            break;
        case ExprKind::In:
            if (e.subquery) subqueries_[&e] = evaluateSubquery(*e.subquery);
            break;
        default: break;
        }
        for (const auto& a : e.args) bind(*a, allowAggregates, aliases);
    }

    // A text literal compared with a date or number field becomes a date or number once,
    // instead of being parsed again for every record.
    void foldLiterals(const Expr& e) const {
        auto typed = [&](const Expr& side) -> std::optional<FieldType> {
            if (side.kind != ExprKind::Column || side.item >= 0 || side.slot < 0) return std::nullopt;
            return slots_[static_cast<size_t>(side.slot)].schema->field(side.field).type;
        };
        auto fold = [&](const Expr& target, std::optional<FieldType> type) {
            auto& literal = const_cast<Expr&>(target);
            if (!type || literal.kind != ExprKind::Literal || !std::holds_alternative<std::string>(literal.value)) return;
            try {
                if (*type == FieldType::Date) {
                    Date d = Date::parse(std::get<std::string>(literal.value));
                    if (!d.blank()) literal.value = d;
                } else if (*type == FieldType::Numeric || *type == FieldType::Float) {
                    if (auto n = toNumber(literal.value, "")) literal.value = *n;
                }
            } catch (const Error&) {
                // left as text: the comparison reports it when it runs
            }
        };
        bool comparison = e.kind == ExprKind::Between || e.kind == ExprKind::In ||
                          (e.kind == ExprKind::Binary && (e.op == "=" || e.op == "<>" || e.op == "<" || e.op == "<=" ||
                                                          e.op == ">" || e.op == ">="));
        if (comparison && !e.args.empty()) {
            std::optional<FieldType> type = typed(*e.args[0]);
            for (size_t i = 1; i < e.args.size(); ++i) fold(*e.args[i], type);
            if (e.args.size() == 2 && e.kind == ExprKind::Binary) fold(*e.args[0], typed(*e.args[1]));
        }
        for (const auto& a : e.args) foldLiterals(*a);
    }

    bool bindColumnQuiet(const Expr& e) const {
        try {
            return bindColumn(e);
        } catch (const Error&) {
            return false;
        }
    }
    bool isAliasOnly(int item) const { return !select_.items.empty() && outputAliasItem_[static_cast<size_t>(item)]; }

    int outputByName(const std::string& name) const {
        for (size_t i = 0; i < columns_.size(); ++i)
            if (equalsIgnoreCase(columns_[i].name, name)) return static_cast<int>(i);
        return -1;
    }

    InSet evaluateSubquery(const Select& sub) {
        InSet set;
        SelectRun run(sub, directory_, parameters_, password_);
        for (auto& row : run.run(false)) {
            if (row.values.empty()) continue;
            if (isNull(row.values[0])) set.hasNull = true;
            else set.keys.insert(groupKey(row.values[0]));
        }
        return set;
    }

    void expandStar(const SelectItem& item) {
        for (size_t s = 0; s < slots_.size(); ++s) {
            if (!item.starQualifier.empty() && static_cast<int>(s) != slotByName(item.starQualifier, 0)) continue;
            const Schema& schema = *slots_[s].schema;
            for (int f = 0; f < schema.fieldCount(); ++f) {
                const FieldDef& def = schema.field(f);
                if (def.system) continue;
                outputs_.push_back({nullptr, static_cast<int>(s), f});
                columns_.push_back({def.name, def.type, def.length, def.decimals, f});
                outputAliasItem_.push_back(false);
            }
        }
    }

    void bindAll(bool withOrderKeys) {
        outputs_.clear();
        columns_.clear();
        outputAliasItem_.clear();
        aggregates_.clear();
        subqueries_.clear();
        int unnamed = 0;
        for (const auto& item : select_.items) {
            if (item.star) {
                expandStar(item);
                continue;
            }
            bind(*item.expr, true, false);
            ResultColumn c = staticType(*item.expr);
            if (!item.alias.empty()) c.name = item.alias;
            else if (item.expr->kind == ExprKind::Column) c.name = slots_[static_cast<size_t>(item.expr->slot)].schema->field(item.expr->field).name;
            else c.name = unnamed++ == 0 ? "EXPR" : "EXPR_" + std::to_string(unnamed - 1);
            c.field = item.expr->kind == ExprKind::Column ? item.expr->field : -1;
            outputs_.push_back({item.expr.get(), -1, -1});
            columns_.push_back(c);
            outputAliasItem_.push_back(!item.alias.empty());
        }
        if (select_.where) {
            bind(*select_.where, false, false);
            foldLiterals(*select_.where);
        }
        for (const auto& g : select_.groupBy) bind(*g, false, true);
        for (size_t s = 0; s < slots_.size(); ++s)
            if (slots_[s].on) bind(*slots_[s].on, false, false);
        grouped_ = !select_.groupBy.empty() || !aggregates_.empty();
        if (select_.having) {
            bind(*select_.having, true, true);
            grouped_ = true;
        }
        if (withOrderKeys)
            for (const auto& o : select_.orderBy) bindOrder(*o.expr);
        // GROUP BY may name an output column by its alias: group by that column's expression.
        groupExprs_.clear();
        for (const auto& g : select_.groupBy) {
            const Expr* target = g.get();
            if (g->item >= 0 && outputs_[static_cast<size_t>(g->item)].expr) target = outputs_[static_cast<size_t>(g->item)].expr;
            groupExprs_.push_back(target);
        }
        planFilters();
    }

    void bindOrder(const Expr& e) {
        e.item = -1;
        if (e.kind == ExprKind::Literal && std::holds_alternative<double>(e.value)) {
            double n = std::get<double>(e.value);
            if (n < 1 || n > static_cast<double>(columns_.size()) || n != std::floor(n))
                throw Error(ErrorCode::SqlSyntax, "Niepoprawny numer kolumny w ORDER BY (pozycja " + std::to_string(e.position) + ")");
            e.item = static_cast<int>(n) - 1;
            return;
        }
        bind(e, grouped_, true);
    }

    // Compiles the conditions of each table that can be tested on stored bytes.
    void compileFilters() {
        for (Slot& slot : slots_) {
            slot.rawFilters.clear();
            slot.exprFilters.clear();
            for (const Expr* f : slot.filters) {
                std::optional<RawFilter> raw;
                try {
                    raw = compileRaw(*f, slot);
                } catch (const Error&) {
                    raw.reset();
                }
                if (raw) slot.rawFilters.push_back(*raw);
                else slot.exprFilters.push_back(f);
            }
        }
    }

    std::optional<RawFilter> compileRaw(const Expr& f, const Slot& slot) const {
        Context none{nullptr};
        const Expr* column = nullptr;
        std::string op;
        std::optional<Value> a, b;
        if (f.kind == ExprKind::Binary && f.args.size() == 2) {
            const Expr* l = f.args[0].get();
            const Expr* r = f.args[1].get();
            op = f.op;
            if (r->kind == ExprKind::Column && constant(*l)) {
                std::swap(l, r);
                op = op == "<" ? ">" : op == ">" ? "<" : op == "<=" ? ">=" : op == ">=" ? "<=" : op;
            }
            if (l->kind != ExprKind::Column || l->item >= 0 || !constant(*r)) return std::nullopt;
            if (op != "=" && op != "<>" && op != "<" && op != "<=" && op != ">" && op != ">=") return std::nullopt;
            column = l;
            a = eval(*r, none);
        } else if (f.kind == ExprKind::Between && !f.negated && f.args[0]->kind == ExprKind::Column &&
                   f.args[0]->item < 0 && constant(*f.args[1]) && constant(*f.args[2])) {
            column = f.args[0].get();
            op = "BETWEEN";
            a = eval(*f.args[1], none);
            b = eval(*f.args[2], none);
        } else {
            return std::nullopt;
        }
        if (isNull(*a) || (b && isNull(*b))) return std::nullopt;
        const FieldDef& def = slot.schema->field(column->field);
        RawFilter raw;
        raw.offset = def.offset;
        raw.length = def.length;
        auto bytesOf = [&](const Value& v) -> std::optional<std::string> {
            if (def.type == FieldType::Date && std::holds_alternative<Date>(v)) return std::get<Date>(v).dtos();
            if (def.type == FieldType::Character && std::holds_alternative<std::string>(v) && op != "BETWEEN" &&
                (op == "=" || op == "<>")) {
                std::string bytes = slot.schema->codePage().encode(rtrim(std::get<std::string>(v)));
                if (bytes.size() > static_cast<size_t>(def.length)) return std::nullopt;
                bytes.resize(static_cast<size_t>(def.length), ' ');
                return bytes;
            }
            return std::nullopt;
        };
        if (def.type == FieldType::Numeric || def.type == FieldType::Float) {
            if (!std::holds_alternative<double>(*a) || (b && !std::holds_alternative<double>(*b))) return std::nullopt;
            raw.number = true;
            double x = std::get<double>(*a);
            if (op == "=" || op == "BETWEEN") raw.lowNumber = x, raw.highNumber = b ? std::get<double>(*b) : x;
            else if (op == "<>") raw.notEqual = true, raw.lowNumber = x;
            else if (op == ">" || op == ">=") raw.lowNumber = x, raw.lowInclusive = op == ">=";
            else raw.highNumber = x, raw.highInclusive = op == "<=";
            return raw;
        }
        if (def.type != FieldType::Date && def.type != FieldType::Character) return std::nullopt;
        raw.blankIsNull = def.type == FieldType::Date;
        auto first = bytesOf(*a);
        if (!first) return std::nullopt;
        if (op == "=") raw.low = raw.high = first;
        else if (op == "<>") raw.notEqual = true, raw.low = first;
        else if (op == ">" || op == ">=") raw.low = first, raw.lowInclusive = op == ">=";
        else if (op == "<" || op == "<=") raw.high = first, raw.highInclusive = op == "<=";
        else {
            auto second = bytesOf(*b);
            if (!second) return std::nullopt;
            raw.low = first;
            raw.high = second;
        }
        return raw;
    }

    // Splits WHERE into conjuncts and hands those that concern one table to its scan.
    void planFilters() {
        residual_.clear();
        std::vector<const Expr*> conjuncts;
        collectConjuncts(select_.where.get(), conjuncts);
        for (const Expr* c : conjuncts) {
            std::set<int> used;
            bool pure = slotsUsed(*c, used);
            if (pure && used.size() == 1) {
                int s = *used.begin();
                // The missing side of a LEFT JOIN must stay visible to WHERE.
                if (slots_[static_cast<size_t>(s)].join != JoinKind::Left) {
                    slots_[static_cast<size_t>(s)].filters.push_back(c);
                    continue;
                }
            }
            if (pure && used.empty()) {
                slots_.empty() ? residual_.push_back(c) : slots_[0].filters.push_back(c);
                continue;
            }
            residual_.push_back(c);
        }
        // Conditions of an ON that concern the joined table alone filter that table.
        for (size_t s = 1; s < slots_.size(); ++s) {
            onResidual_[s].clear();
            std::vector<const Expr*> parts;
            collectConjuncts(slots_[s].on, parts);
            for (const Expr* c : parts) {
                std::set<int> used;
                bool pure = slotsUsed(*c, used);
                if (pure && used.size() == 1 && *used.begin() == static_cast<int>(s)) slots_[s].filters.push_back(c);
                else onResidual_[s].push_back(c);
            }
        }
    }

    static void collectConjuncts(const Expr* e, std::vector<const Expr*>& out) {
        if (!e) return;
        if (e->kind == ExprKind::Binary && e->op == "AND") {
            collectConjuncts(e->args[0].get(), out);
            collectConjuncts(e->args[1].get(), out);
        } else {
            out.push_back(e);
        }
    }

    // Collects the table slots an expression reads; false when it holds aggregates or output names.
    static bool slotsUsed(const Expr& e, std::set<int>& used) {
        if (e.kind == ExprKind::Column) {
            if (e.item >= 0) return false;
            used.insert(e.slot);
        }
        if (e.kind == ExprKind::Function && (e.aggregate >= 0 || e.op == "RECNO")) {
            if (e.op == "RECNO") used.insert(0);
            else return false;
        }
        for (const auto& a : e.args)
            if (!slotsUsed(*a, used)) return false;
        return true;
    }

    // ---- static types of output columns ----

    ResultColumn staticType(const Expr& e) const {
        ResultColumn c;
        switch (e.kind) {
        case ExprKind::Literal:
            if (const auto* s = std::get_if<std::string>(&e.value)) return {"", FieldType::Character, std::max<int>(1, static_cast<int>(s->size())), 0};
            if (const auto* d = std::get_if<double>(&e.value)) return {"", FieldType::Numeric, 20, *d == std::floor(*d) ? 0 : 4};
            if (std::holds_alternative<bool>(e.value)) return {"", FieldType::Logical, 1, 0};
            return {"", FieldType::Character, 1, 0};
        case ExprKind::Column: {
            const FieldDef& f = slots_[static_cast<size_t>(e.slot)].schema->field(e.field);
            return {f.name, f.type, f.length, f.decimals};
        }
        case ExprKind::Parameter: {
            const Value& v = parameters_.at(parameterKey(e.name));
            if (std::holds_alternative<double>(v)) return {"", FieldType::Numeric, 20, 4};
            if (std::holds_alternative<Date>(v)) return {"", FieldType::Date, 8, 0};
            if (std::holds_alternative<bool>(v)) return {"", FieldType::Logical, 1, 0};
            return {"", FieldType::Character, 0, 0};
        }
        case ExprKind::Unary:
            if (e.op == "NOT") return {"", FieldType::Logical, 1, 0};
            return staticType(*e.args[0]);
        case ExprKind::Binary: {
            if (e.op == "AND" || e.op == "OR" || e.op == "=" || e.op == "<>" || e.op == "<" || e.op == "<=" ||
                e.op == ">" || e.op == ">=")
                return {"", FieldType::Logical, 1, 0};
            ResultColumn a = staticType(*e.args[0]), b = staticType(*e.args[1]);
            if (a.type == FieldType::Character && b.type == FieldType::Character)
                return {"", FieldType::Character, a.length && b.length ? a.length + b.length : 0, 0};
            if (a.type == FieldType::Date || b.type == FieldType::Date)
                return e.op == "-" && a.type == b.type ? ResultColumn{"", FieldType::Numeric, 10, 0} : ResultColumn{"", FieldType::Date, 8, 0};
            int dec = e.op == "/" ? 4 : e.op == "*" ? a.decimals + b.decimals : std::max(a.decimals, b.decimals);
            return {"", FieldType::Numeric, 20, std::min(dec, 8)};
        }
        case ExprKind::Convert:
            if (e.op == "SQL_INTEGER") return {"", FieldType::Numeric, 11, 0};
            if (e.op == "SQL_DATE") return {"", FieldType::Date, 8, 0};
            if (e.op == "SQL_CHAR" || e.op == "SQL_VARCHAR") return {"", FieldType::Character, 0, 0};
            return {"", FieldType::Numeric, 20, 4};
        case ExprKind::Function: {
            const std::string& f = e.op;
            if (f == "COUNT") return {"", FieldType::Numeric, 10, 0};
            if (f == "SUM") {
                ResultColumn a = staticType(*e.args[0]);
                return {"", FieldType::Numeric, 20, a.type == FieldType::Numeric || a.type == FieldType::Float ? a.decimals : 0};
            }
            if (f == "AVG") return {"", FieldType::Numeric, 20, 4};
            if (f == "MIN" || f == "MAX") return staticType(*e.args[0]);
            if (f == "RTRIM" || f == "LTRIM" || f == "TRIM" || f == "UPPER" || f == "LOWER" || f == "UCASE" ||
                f == "LCASE" || f == "SUBSTRING" || f == "SUBSTR" || f == "LEFT" || f == "RIGHT") {
                ResultColumn a = e.args.empty() ? ResultColumn{} : staticType(*e.args[0]);
                return {"", FieldType::Character, a.type == FieldType::Character ? a.length : 0, 0};
            }
            if (f == "SPACE") {
                if (!e.args.empty() && e.args[0]->kind == ExprKind::Literal && std::holds_alternative<double>(e.args[0]->value))
                    return {"", FieldType::Character, static_cast<int>(std::get<double>(e.args[0]->value)), 0};
                return {"", FieldType::Character, 0, 0};
            }
            if (f == "CONCAT") {
                int total = 0;
                for (const auto& a : e.args) {
                    ResultColumn t = staticType(*a);
                    if (t.length == 0 || t.type != FieldType::Character) return {"", FieldType::Character, 0, 0};
                    total += t.length;
                }
                return {"", FieldType::Character, total, 0};
            }
            if (f == "TRUNCATE" || f == "ROUND") {
                int dec = 0;
                if (e.args.size() == 2 && e.args[1]->kind == ExprKind::Literal && std::holds_alternative<double>(e.args[1]->value))
                    dec = std::max(0, static_cast<int>(std::get<double>(e.args[1]->value)));
                return {"", FieldType::Numeric, 20, dec};
            }
            if (f == "MOD") {
                ResultColumn a = staticType(*e.args[0]);
                return {"", FieldType::Numeric, 20, a.decimals};
            }
            if (f == "IFNULL" || f == "COALESCE") return e.args.empty() ? ResultColumn{} : staticType(*e.args[0]);
            return {"", FieldType::Numeric, 20, 0};  // FLOOR, CEILING, LENGTH, RECNO, YEAR...
        }
        default: return {"", FieldType::Logical, 1, 0};
        }
    }

    // ---- evaluation ----

    Value fieldValue(int slot, int field, const Row& row) const {
        const char* bytes = row.bytes[static_cast<size_t>(slot)];
        if (!bytes) return {};
        const Schema& schema = *slots_[static_cast<size_t>(slot)].schema;
        return decodeField(schema.field(field), bytes, schema.codePage());
    }

    static Value logical(std::optional<bool> b) { return b ? Value{*b} : Value{}; }

    Value eval(const Expr& e, const Context& ctx) const {
        switch (e.kind) {
        case ExprKind::Literal: return e.value;
        case ExprKind::Column:
            if (e.item >= 0) return ctx.items ? (*ctx.items)[static_cast<size_t>(e.item)] : Value{};
            return fieldValue(e.slot, e.field, *ctx.row);
        case ExprKind::Parameter: return parameters_.at(parameterKey(e.name));
        case ExprKind::Unary: {
            Value v = eval(*e.args[0], ctx);
            if (isNull(v)) return {};
            if (e.op == "NOT") return !truthy(v);
            if (e.op == "+") return v;
            return -*toNumber(v, "Zmiana znaku");
        }
        case ExprKind::Binary: return binary(e, ctx);
        case ExprKind::Function: {
            if (e.aggregate >= 0) return (*ctx.aggregates)[static_cast<size_t>(e.aggregate)];
            if (e.op == "RECNO") return static_cast<double>(ctx.row->recnos.empty() ? 0 : ctx.row->recnos[0]);
            std::vector<Value> args;
            for (const auto& a : e.args) args.push_back(eval(*a, ctx));
            return scalarFunction(e.op, args, e.position);
        }
        case ExprKind::Convert: return convert(eval(*e.args[0], ctx), e.op, e.position);
        case ExprKind::IsNull: return isNull(eval(*e.args[0], ctx)) != e.negated;
        case ExprKind::Like: {
            Value v = eval(*e.args[0], ctx), p = eval(*e.args[1], ctx);
            if (isNull(v) || isNull(p)) return {};
            return like(rtrim(toText(v)), toText(p)) != e.negated;
        }
        case ExprKind::Between: {
            Value v = eval(*e.args[0], ctx);
            auto lo = compare(v, eval(*e.args[1], ctx));
            auto hi = compare(v, eval(*e.args[2], ctx));
            if (!lo || !hi) return {};
            return (*lo >= 0 && *hi <= 0) != e.negated;
        }
        case ExprKind::In: return in(e, ctx);
        }
        return {};
    }

    Value in(const Expr& e, const Context& ctx) const {
        Value v = eval(*e.args[0], ctx);
        if (isNull(v)) return {};
        bool found = false, sawNull = false;
        if (e.subquery) {
            const InSet& set = subqueries_.at(&e);
            found = set.keys.count(groupKey(v)) != 0;
            sawNull = set.hasNull;
        } else {
            for (size_t i = 1; i < e.args.size() && !found; ++i) {
                Value w = eval(*e.args[i], ctx);
                if (isNull(w)) sawNull = true;
                else found = equal(v, w);
            }
        }
        if (found) return !e.negated;
        if (sawNull) return {};
        return e.negated;
    }

    Value binary(const Expr& e, const Context& ctx) const {
        const std::string& op = e.op;
        if (op == "AND" || op == "OR") {
            Value a = eval(*e.args[0], ctx);
            bool isAnd = op == "AND";
            if (!isNull(a) && truthy(a) != isAnd) return !isAnd;  // short circuit: FALSE AND, TRUE OR
            Value b = eval(*e.args[1], ctx);
            if (!isNull(b) && truthy(b) != isAnd) return !isAnd;
            if (isNull(a) || isNull(b)) return {};
            return isAnd;
        }
        Value a = eval(*e.args[0], ctx), b = eval(*e.args[1], ctx);
        if (op == "=") return isNull(a) || isNull(b) ? Value{} : Value{equal(a, b)};
        if (op == "<>") return isNull(a) || isNull(b) ? Value{} : Value{!equal(a, b)};
        if (op == "<" || op == "<=" || op == ">" || op == ">=") {
            auto c = compare(a, b);
            if (!c) return {};
            if (op == "<") return *c < 0;
            if (op == "<=") return *c <= 0;
            if (op == ">") return *c > 0;
            return *c >= 0;
        }
        return arithmetic(op, a, b);
    }

    // ---- joins ----

    // Calls visit for every combination of rows that satisfies the joins and WHERE.
    template <typename Visit> void forEachRow(Visit&& visit) {
        Row row;
        row.bytes.assign(slots_.size(), nullptr);
        row.recnos.assign(slots_.size(), 0);
        Context ctx{&row};
        buildLookups();
        joinFrom(0, row, ctx, visit);
    }

    struct JoinPlan {
        const Expr* outer = nullptr;  // expression over earlier slots
        int innerField = -1;          // column of this slot
        std::unordered_map<std::string, std::vector<size_t>> lookup;
        std::vector<const Expr*> conditions;  // the rest, checked per pair
    };

    void planJoins() {
        plans_.assign(slots_.size(), JoinPlan{});
        std::vector<const Expr*> pending = residual_;
        residual_.clear();
        for (size_t s = 1; s < slots_.size(); ++s) {
            JoinPlan& plan = plans_[s];
            std::vector<const Expr*>& candidates = slots_[s].join == JoinKind::Comma ? pending : onResidual_[s];
            std::vector<const Expr*> keep;
            for (const Expr* c : candidates) {
                std::set<int> used;
                bool pure = slotsUsed(*c, used);
                bool ready = pure && !used.empty() && *used.rbegin() <= static_cast<int>(s);
                if (!ready) {
                    keep.push_back(c);
                    continue;
                }
                if (!plan.outer && c->kind == ExprKind::Binary && c->op == "=" && used.count(static_cast<int>(s))) {
                    for (int side = 0; side < 2; ++side) {
                        const Expr& inner = *c->args[static_cast<size_t>(side)];
                        const Expr& outer = *c->args[static_cast<size_t>(1 - side)];
                        std::set<int> outerUsed;
                        if (inner.kind == ExprKind::Column && inner.item < 0 && inner.slot == static_cast<int>(s) &&
                            slotsUsed(outer, outerUsed) && !outerUsed.count(static_cast<int>(s))) {
                            plan.outer = &outer;
                            plan.innerField = inner.field;
                            break;
                        }
                    }
                    if (plan.outer) continue;
                }
                plan.conditions.push_back(c);
            }
            candidates = keep;
            if (slots_[s].join != JoinKind::Comma)
                for (const Expr* c : keep) plan.conditions.push_back(c);
            if (slots_[s].join != JoinKind::Comma) onResidual_[s].clear();
        }
        residual_ = pending;
    }

    void buildLookups() {
        for (size_t s = 1; s < slots_.size(); ++s) {
            JoinPlan& plan = plans_[s];
            if (!plan.outer) continue;
            const Slot& slot = slots_[s];
            for (size_t i = 0; i < slot.size(); ++i) {
                Value v = decodeField(slot.schema->field(plan.innerField), slot.row(i), slot.schema->codePage());
                if (!isNull(v)) plan.lookup[groupKey(v)].push_back(i);
            }
        }
    }

    // Records of slot s that can join the rows already loaded, found through a tag on
    // the joined field; nothing when there is no such tag or too many keys to look up.
    std::optional<std::vector<uint32_t>> joinCandidates(Table& table, size_t s) const {
        const JoinPlan& plan = plans_[s];
        IndexSet* set = table.indexes();
        if (!plan.outer || !set) return std::nullopt;
        std::set<int> used;
        if (!slotsUsed(*plan.outer, used) || used.size() != 1 || *used.begin() >= static_cast<int>(s)) return std::nullopt;
        const Slot& outer = slots_[static_cast<size_t>(*used.begin())];
        size_t limit = std::max<size_t>(64, table.recordCount() / 50);
        if (outer.size() > limit) return std::nullopt;
        for (IndexedOrder* order : set->orders()) {
            if (!order->key || order->condition || !order->problem.empty() || order->key->singleField() != plan.innerField ||
                order->order->info().descending)
                continue;
            try {
                std::set<std::string> keys;
                Row row;
                row.bytes.assign(slots_.size(), nullptr);
                row.recnos.assign(slots_.size(), 0);
                Context ctx{&row};
                for (size_t i = 0; i < outer.size(); ++i) {
                    row.bytes[static_cast<size_t>(*used.begin())] = outer.row(i);
                    Value v = eval(*plan.outer, ctx);
                    if (isNull(v)) continue;
                    if (order->type == ExprType::Date && std::holds_alternative<std::string>(v)) v = Date::parse(std::get<std::string>(v));
                    if (order->type == ExprType::Numeric && std::holds_alternative<std::string>(v)) v = *toNumber(v, "Indeks");
                    if (order->type == ExprType::Character && !std::holds_alternative<std::string>(v)) v = toText(v);
                    keys.insert(order->seekKey(v, slots_[s].schema->codePage(), false));
                }
                std::vector<uint32_t> recnos;
                for (const auto& key : keys) {
                    Bound from{key, 0, true};
                    for (;;) {
                        auto batch = order->order->forward(from, 256);
                        bool done = batch.empty();
                        for (const auto& e : batch) {
                            if (compareToBound(e, Bound{key, 0, true}) != 0) {
                                done = true;
                                break;
                            }
                            recnos.push_back(e.recno);
                        }
                        if (recnos.size() > limit) return std::nullopt;
                        if (done) break;
                        from = Bound{batch.back().key, batch.back().recno, false};
                    }
                }
                std::sort(recnos.begin(), recnos.end());
                recnos.erase(std::unique(recnos.begin(), recnos.end()), recnos.end());
                return recnos;
            } catch (const Error&) {
                return std::nullopt;  // a key the tag cannot hold: scan
            }
        }
        return std::nullopt;
    }

    template <typename Visit> void joinFrom(size_t s, Row& row, Context& ctx, Visit& visit) {
        if (s == slots_.size()) {
            for (const Expr* c : residual_)
                if (!truthy(eval(*c, ctx))) return;
            visit(ctx);
            return;
        }
        const Slot& slot = slots_[s];
        const JoinPlan& plan = plans_[s];
        bool matched = false;
        auto tryRow = [&](size_t i) {
            row.bytes[s] = slot.row(i);
            row.recnos[s] = slot.recnos[i];
            for (const Expr* c : plan.conditions)
                if (!truthy(eval(*c, ctx))) return;
            matched = true;
            joinFrom(s + 1, row, ctx, visit);
        };
        if (s > 0 && plan.outer) {
            Value key = eval(*plan.outer, ctx);
            if (!isNull(key)) {
                auto it = plan.lookup.find(groupKey(key));
                if (it != plan.lookup.end())
                    for (size_t i : it->second) tryRow(i);
            }
        } else {
            for (size_t i = 0; i < slot.size(); ++i) tryRow(i);
        }
        if (!matched && slot.join == JoinKind::Left) {
            row.bytes[s] = nullptr;
            row.recnos[s] = 0;
            joinFrom(s + 1, row, ctx, visit);
        }
        row.bytes[s] = nullptr;
    }

    // ---- producing rows ----

    std::vector<Value> project(const Context& ctx) const {
        std::vector<Value> values;
        values.reserve(outputs_.size());
        for (const auto& o : outputs_) values.push_back(o.expr ? eval(*o.expr, ctx) : fieldValue(o.slot, o.field, *ctx.row));
        return values;
    }

    std::vector<Value> orderKeys(const Context& ctx, const std::vector<Value>& values) const {
        std::vector<Value> keys;
        Context withItems = ctx;
        withItems.items = &values;
        for (const auto& o : select_.orderBy)
            keys.push_back(o.expr->item >= 0 ? values[static_cast<size_t>(o.expr->item)] : eval(*o.expr, withItems));
        return keys;
    }

    void runPlain(std::vector<OutputRow>& out, bool withOrderKeys) {
        forEachRow([&](const Context& ctx) {
            OutputRow r;
            r.values = project(ctx);
            if (withOrderKeys) r.orderKeys = orderKeys(ctx, r.values);
            r.recno = ctx.row->recnos.empty() ? 0 : ctx.row->recnos[0];
            out.push_back(std::move(r));
        });
    }

    struct Group {
        Row first;
        std::vector<Accumulator> accumulators;
    };

    void accumulate(Group& g, const Context& ctx) const {
        for (size_t i = 0; i < aggregates_.size(); ++i) {
            const Expr& a = *aggregates_[i];
            Accumulator& acc = g.accumulators[i];
            if (a.star) {
                ++acc.count;
                continue;
            }
            Value v = eval(*a.args[0], ctx);
            if (isNull(v)) continue;
            if (a.distinct && !acc.seen.insert(groupKey(v)).second) continue;
            ++acc.count;
            if (a.op == "SUM" || a.op == "AVG") acc.sum += *toNumber(v, a.op.c_str());
            if (a.op == "MIN" && (isNull(acc.min) || orderCompare(v, acc.min) < 0)) acc.min = v;
            if (a.op == "MAX" && (isNull(acc.max) || orderCompare(v, acc.max) > 0)) acc.max = v;
        }
    }

    std::vector<Value> finish(const Group& g) const {
        std::vector<Value> values;
        for (size_t i = 0; i < aggregates_.size(); ++i) {
            const Expr& a = *aggregates_[i];
            const Accumulator& acc = g.accumulators[i];
            if (a.op == "COUNT") values.push_back(static_cast<double>(acc.count));
            else if (acc.count == 0) values.push_back(Value{});
            else if (a.op == "SUM") values.push_back(acc.sum);
            else if (a.op == "AVG") values.push_back(acc.sum / static_cast<double>(acc.count));
            else values.push_back(a.op == "MIN" ? acc.min : acc.max);
        }
        return values;
    }

    void runGrouped(std::vector<OutputRow>& out, bool withOrderKeys) {
        std::unordered_map<std::string, size_t> index;
        std::vector<Group> groups;
        forEachRow([&](const Context& ctx) {
            std::string key;
            for (const Expr* g : groupExprs_) {
                key += groupKey(eval(*g, ctx));
                key += '\x1F';
            }
            auto [it, fresh] = index.emplace(key, groups.size());
            if (fresh) groups.push_back({*ctx.row, std::vector<Accumulator>(aggregates_.size())});
            accumulate(groups[it->second], ctx);
        });
        if (groups.empty() && select_.groupBy.empty()) {
            Row empty;
            empty.bytes.assign(slots_.size(), nullptr);
            empty.recnos.assign(slots_.size(), 0);
            groups.push_back({empty, std::vector<Accumulator>(aggregates_.size())});
        }
        for (const Group& g : groups) {
            std::vector<Value> aggregateValues = finish(g);
            Context ctx{&g.first, &aggregateValues};
            OutputRow r;
            r.values = project(ctx);
            if (select_.having) {
                Context withItems = ctx;
                withItems.items = &r.values;
                if (!truthy(eval(*select_.having, withItems))) continue;
            }
            if (withOrderKeys) r.orderKeys = orderKeys(ctx, r.values);
            out.push_back(std::move(r));
        }
    }

    const Select& select_;
    const std::string& directory_;
    const Parameters& parameters_;
    const std::string& password_;
    std::vector<Slot> slots_;
    std::vector<Output> outputs_;
    std::vector<ResultColumn> columns_;
    std::vector<bool> outputAliasItem_;
    std::vector<const Expr*> aggregates_;
    std::vector<const Expr*> groupExprs_;
    std::map<const Expr*, InSet> subqueries_;
    std::vector<const Expr*> residual_;
    std::map<size_t, std::vector<const Expr*>> onResidual_;
    std::vector<JoinPlan> plans_;
    bool grouped_ = false;
    size_t examined_ = 0;
};

void sortRows(std::vector<OutputRow>& rows, const std::vector<OrderItem>& order) {
    std::stable_sort(rows.begin(), rows.end(), [&](const OutputRow& a, const OutputRow& b) {
        for (size_t i = 0; i < order.size(); ++i) {
            int c = orderCompare(a.orderKeys[i], b.orderKeys[i]);
            if (c != 0) return order[i].descending ? c > 0 : c < 0;
        }
        return false;
    });
}

} // namespace

Executor::Executor(std::string directory, const Parameters& parameters, std::string password)
    : directory_(std::move(directory)), parameters_(parameters), password_(std::move(password)) {}

ResultSet Executor::select(const Select& select) {
    ResultSet result;
    bool isUnion = select.unionNext != nullptr;
    SelectRun first(select, directory_, parameters_, password_);
    std::vector<OutputRow> rows = first.run(!isUnion);
    result.columns = first.columns();
    result.recordsExamined = first.examined();
    if (isUnion) {
        bool distinct = false;
        for (const Select* s = &select; s->unionNext; s = s->unionNext.get()) {
            distinct = distinct || !s->unionAll;
            SelectRun next(*s->unionNext, directory_, parameters_, password_);
            auto more = next.run(false);
            result.recordsExamined += next.examined();
            if (next.columns().size() != result.columns.size())
                throw Error(ErrorCode::SqlSyntax, "Zapytania połączone przez UNION mają różną liczbę kolumn");
            for (auto& r : more) rows.push_back(std::move(r));
        }
        if (distinct) removeDuplicates(rows);
        // ORDER BY of a union names output columns (by name or position).
        for (auto& r : rows) {
            r.orderKeys.clear();
            for (const auto& o : select.orderBy) {
                int column = -1;
                if (o.expr->kind == ExprKind::Literal && std::holds_alternative<double>(o.expr->value))
                    column = static_cast<int>(std::get<double>(o.expr->value)) - 1;
                else if (o.expr->kind == ExprKind::Column)
                    for (size_t i = 0; i < result.columns.size(); ++i)
                        if (equalsIgnoreCase(result.columns[i].name, o.expr->name)) column = static_cast<int>(i);
                if (column < 0 || column >= static_cast<int>(r.values.size()))
                    throw Error(ErrorCode::SqlSyntax, "ORDER BY zapytania z UNION musi wskazywać kolumnę wyniku");
                r.orderKeys.push_back(r.values[static_cast<size_t>(column)]);
            }
        }
    }
    if (!select.orderBy.empty()) sortRows(rows, select.orderBy);
    result.live = !isUnion && first.liveCandidate();
    if (result.live) result.tablePath = first.firstPath();
    for (auto& r : rows) {
        result.rows.push_back(std::move(r.values));
        if (result.live) result.recnos.push_back(r.recno);
    }
    return result;
}

std::vector<Value> Executor::liveRow(const Select& select, const std::string&, const char* record, uint32_t recno) {
    SelectRun run(select, directory_, parameters_, password_);
    run.prepareForRecords();
    return run.projectRecord(record, recno);
}

namespace {

// A one-table SELECT over the statement's table: RECNO() for finding the targets,
// or the assignment values for computing the new records.
std::shared_ptr<Select> oneTableSelect(const Statement& s, std::vector<ExprPtr> items) {
    auto select = std::make_shared<Select>();
    for (auto& e : items) {
        SelectItem item;
        item.expr = std::move(e);
        select->items.push_back(std::move(item));
    }
    TableRef ref;
    ref.name = s.table.name;
    ref.alias = s.table.alias;
    select->from.push_back(std::move(ref));
    select->where = s.where;
    return select;
}

struct Target {
    std::string path;
    std::unique_ptr<Table> table;
    std::vector<uint32_t> recnos;
};

Target findTargets(const Statement& s, const std::string& directory, const Parameters& parameters,
                   const std::string& password) {
    auto recno = std::make_shared<Expr>();
    recno->kind = ExprKind::Function;
    recno->op = "RECNO";
    auto select = oneTableSelect(s, {recno});
    Target t;
    t.path = resolveTablePath(directory, s.table.name);
    OpenOptions o;
    o.password = password;
    t.table = Table::open(t.path, o);
    SelectRun run(*select, directory, parameters, password);
    for (auto& row : run.run(false)) t.recnos.push_back(static_cast<uint32_t>(std::get<double>(row.values[0])));
    return t;
}

// Locks every target record; on the first one held elsewhere releases them all and fails.
void lockAll(Target& t) {
    for (size_t i = 0; i < t.recnos.size(); ++i) {
        if (t.table->tryLock(t.recnos[i])) continue;
        for (size_t j = 0; j < i; ++j) t.table->unlock(t.recnos[j]);
        throw Error(ErrorCode::RecordLocked,
                    "Rekord " + std::to_string(t.recnos[i]) + " jest zablokowany przez innego użytkownika", t.path);
    }
}

} // namespace

size_t Executor::update(const Statement& s) {
    Target t = findTargets(s, directory_, parameters_, password_);
    const Schema& schema = t.table->schema();
    std::vector<int> fields;
    for (const auto& a : s.assignments) {
        int f = schema.indexOf(a.field);
        if (f < 0) throw Error(ErrorCode::SqlUnknown, "Nie ma pola '" + a.field + "'", t.path);
        fields.push_back(f);
    }
    std::vector<ExprPtr> values;
    for (const auto& a : s.assignments) values.push_back(a.value);
    auto select = oneTableSelect(s, values);
    SelectRun compute(*select, directory_, parameters_, password_);
    compute.prepareForRecords();
    lockAll(t);
    try {
        // Every new record is computed before the first write: an error changes nothing.
        std::vector<Record> changed;
        for (uint32_t recno : t.recnos) {
            Record r = t.table->read(recno);
            std::vector<Value> values = compute.projectRecord(r.bytes().data(), recno);
            for (size_t i = 0; i < fields.size(); ++i) r.set(fields[i], values[i]);
            changed.push_back(std::move(r));
        }
        for (size_t i = 0; i < t.recnos.size(); ++i) t.table->write(t.recnos[i], changed[i]);
    } catch (...) {
        t.table->unlockAll();
        throw;
    }
    t.table->unlockAll();
    return t.recnos.size();
}

size_t Executor::remove(const Statement& s) {
    Target t = findTargets(s, directory_, parameters_, password_);
    lockAll(t);
    try {
        for (uint32_t recno : t.recnos) t.table->setDeleted(recno, true);
    } catch (...) {
        t.table->unlockAll();
        throw;
    }
    t.table->unlockAll();
    return t.recnos.size();
}

} // namespace xb::sql
