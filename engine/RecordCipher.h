#pragma once
// Encryption of a table's records with a password (the event log is such a table).
//
// Every record's bytes after the deletion flag are encrypted with AES-256-XTS, the
// disk-sector mode made for fixed-size blocks rewritten in place; the tweak is the
// record number. The key comes from the password by PBKDF2-HMAC-SHA256 with a
// random salt. The header marks the table: byte 15 = 1 (the dBase "encrypted"
// flag), bytes 16-23 the salt, bytes 24-27 a check value of the key, so a wrong
// password is told apart from damage. Deletion flags, the header and the record
// count stay readable, so counting, packing and locking work as for any table.
// The cipher comes from OpenSSL's libcrypto.
#include <array>
#include <cstdint>
#include <string>

namespace xb {

class RecordCipher {
public:
    static constexpr size_t kHeaderOffset = 15;  // flag, then salt and check value
    static constexpr size_t kHeaderBytes = 13;
    static constexpr size_t kMinimumRecordData = 16;  // XTS needs a whole AES block

    // New random salt for a table being created; fills the 13 header bytes.
    static std::array<uint8_t, kHeaderBytes> newHeader(const std::string& password);
    static bool marked(const uint8_t* headerBytes) { return headerBytes[0] == 1; }

    // Throws BadPassword when the password is empty or does not fit the header's check value.
    RecordCipher(const uint8_t* headerBytes, const std::string& password, const std::string& file);

    // In place, on a whole record (deletion flag first, left as it is).
    void encrypt(uint32_t recno, char* record, size_t length) const;
    void decrypt(uint32_t recno, char* record, size_t length) const;

private:
    void apply(bool encrypt, uint32_t recno, char* record, size_t length) const;
    std::array<uint8_t, 64> key_{};
};

} // namespace xb
