#include "Csv.h"

#include "../Error.h"

namespace xb::csv {

std::string quote(const std::string& field) {
    if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string line(const std::vector<std::string>& fields) {
    std::string out;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i) out += ',';
        out += quote(fields[i]);
    }
    return out + "\r\n";
}

bool readRecord(std::istream& in, std::vector<std::string>& fields) {
    fields.clear();
    int c = in.get();
    if (c == EOF) return false;
    std::string field;
    bool quoted = false, wasQuoted = false;
    for (;; c = in.get()) {
        if (quoted) {
            if (c == EOF) throw Error(ErrorCode::BadValue, "Niezamknięty cudzysłów w danych CSV");
            if (c == '"') {
                if (in.peek() == '"') {
                    field += '"';
                    in.get();
                } else {
                    quoted = false;
                }
            } else {
                field += static_cast<char>(c);
            }
            continue;
        }
        if (c == '"' && field.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == ',') {
            fields.push_back(std::move(field));
            field.clear();
            wasQuoted = false;
        } else if (c == '\r' || c == '\n' || c == EOF) {
            if (c == '\r' && in.peek() == '\n') in.get();
            fields.push_back(std::move(field));
            return true;
        } else {
            field += static_cast<char>(c);
        }
    }
}

} // namespace xb::csv
