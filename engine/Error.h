#pragma once
// Errors of the xBase engine. Every failure carries a numeric code; callers tell
// "record locked" (5035) and "table in use" (7008) apart from everything else.
#include <stdexcept>
#include <string>

namespace xb {

enum class ErrorCode : int {
    RecordLocked = 5035,   // record is locked by another handle or process
    TableInUse = 7008,     // exclusive conflict: table open elsewhere / held exclusively
    NotFound = 6001,       // file does not exist
    Io = 6002,             // operating-system I/O failure
    Corrupt = 6003,        // file is not a valid table / index, or is truncated
    Unsupported = 6004,    // valid file, but a feature we do not write or read
    BadFieldList = 6005,   // malformed field list or field definition
    NoSuchField = 6006,    // field name unknown in this table
    ValueTooLarge = 6007,  // number does not fit its field
    Unmappable = 6008,     // character that the table's code page cannot hold
    BadValue = 6009,       // value of the wrong kind for a field (text into a date...)
    NotExclusive = 6010,   // operation needs an exclusive open
    ReadOnly = 6011,       // write to a handle opened read-only
    WrongState = 6012,     // dataset operation not allowed in its current state
    NotLocked = 6013,      // write of a record that this handle has not locked
    NoRecord = 6014,       // no current record / record number out of range
    AlreadyExists = 6015,  // create over an existing file
    SqlSyntax = 6020,      // statement that does not parse (names position and token)
    SqlUnknown = 6021,     // unknown table, field or function in a statement
    SqlParameter = 6022,   // parameter without a value
    SqlType = 6023,        // operands of the wrong kind
    BadPassword = 6030,    // encrypted table opened without its password or with a wrong one
};

class Error : public std::runtime_error {
public:
    Error(ErrorCode code, std::string message, std::string file = {});
    ErrorCode code() const { return code_; }
    int number() const { return static_cast<int>(code_); }
    const std::string& file() const { return file_; }

private:
    ErrorCode code_;
    std::string file_;
};

} // namespace xb
