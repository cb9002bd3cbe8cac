#pragma once
// A table's schema and one record's bytes with typed accessors.
// A Record owns a copy of the bytes (deletion flag first); it never refers back to the file.
#include "CodePage.h"
#include "Field.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace xb {

class Schema {
public:
    Schema(std::vector<FieldDef> fields, const CodePage& codePage);

    const std::vector<FieldDef>& fields() const { return fields_; }
    const FieldDef& field(int index) const { return fields_.at(static_cast<size_t>(index)); }
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    int recordLength() const { return recordLength_; }
    const CodePage& codePage() const { return *codePage_; }
    // Index of the field with this name (case-insensitive), -1 when none.
    int indexOf(std::string_view name) const;
    // Like indexOf but throws NoSuchField.
    int require(std::string_view name) const;

private:
    std::vector<FieldDef> fields_;
    int recordLength_;
    const CodePage* codePage_;
};

// Converts between a field's raw bytes and values.
namespace codec {
Value decode(const FieldDef& f, std::string_view raw, const CodePage& cp);
// Encodes `v` into exactly f.length bytes; throws ValueTooLarge, Unmappable, BadValue.
std::string encode(const FieldDef& f, const Value& v, const CodePage& cp);
// Parses an N/F field's text; false when blank or not a number.
bool parseNumber(std::string_view raw, double& out);
// A value's text as dump writes it (numbers without padding, dates YYYY-MM-DD, T/F).
std::string toText(const FieldDef& f, const Value& v);
// Parses the dump form back into a value of the field's type; throws BadValue.
Value fromText(const FieldDef& f, std::string_view text);
} // namespace codec

class Record {
public:
    Record() = default;
    Record(std::shared_ptr<const Schema> schema, std::string bytes);
    static Record blank(std::shared_ptr<const Schema> schema);

    const Schema& schema() const { return *schema_; }
    const std::shared_ptr<const Schema>& schemaPtr() const { return schema_; }
    bool deleted() const { return !bytes_.empty() && bytes_[0] == '*'; }
    void setDeleted(bool deleted) { bytes_[0] = deleted ? '*' : ' '; }

    Value value(int index) const;
    Value value(std::string_view name) const { return value(schema_->require(name)); }
    // Typed reads; a blank field gives "", 0, false or a blank date.
    std::string text(std::string_view name) const;    // right-trimmed UTF-8
    double number(std::string_view name) const;
    bool logical(std::string_view name) const;
    Date date(std::string_view name) const;
    bool blankField(int index) const;
    std::string_view raw(int index) const;

    void set(int index, const Value& v);
    void set(std::string_view name, const Value& v) { set(schema_->require(name), v); }
    void setRaw(int index, std::string_view bytes);

    const std::string& bytes() const { return bytes_; }

private:
    std::shared_ptr<const Schema> schema_;
    std::string bytes_;
};

} // namespace xb
