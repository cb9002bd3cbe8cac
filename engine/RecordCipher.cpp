#include "RecordCipher.h"

#include "Error.h"

#include <cstring>
#include <memory>
#include <openssl/evp.h>
#include <openssl/rand.h>
#include <openssl/sha.h>

namespace xb {

namespace {

constexpr int kIterations = 20000;

std::array<uint8_t, 64> deriveKey(const std::string& password, const uint8_t* salt) {
    std::array<uint8_t, 64> key{};
    if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()), salt, 8, kIterations, EVP_sha256(),
                          static_cast<int>(key.size()), key.data()) != 1)
        throw Error(ErrorCode::Io, "Błąd wyznaczania klucza tabeli");
    return key;
}

std::array<uint8_t, 4> checkValue(const std::array<uint8_t, 64>& key) {
    std::string input(reinterpret_cast<const char*>(key.data()), key.size());
    input += "record-key-check";
    uint8_t digest[SHA256_DIGEST_LENGTH];
    SHA256(reinterpret_cast<const uint8_t*>(input.data()), input.size(), digest);
    return {digest[0], digest[1], digest[2], digest[3]};
}

} // namespace

std::array<uint8_t, RecordCipher::kHeaderBytes> RecordCipher::newHeader(const std::string& password) {
    if (password.empty()) throw Error(ErrorCode::BadPassword, "Puste hasło tabeli");
    std::array<uint8_t, kHeaderBytes> header{};
    header[0] = 1;
    if (RAND_bytes(header.data() + 1, 8) != 1) throw Error(ErrorCode::Io, "Brak liczb losowych dla soli klucza");
    auto check = checkValue(deriveKey(password, header.data() + 1));
    std::memcpy(header.data() + 9, check.data(), check.size());
    return header;
}

RecordCipher::RecordCipher(const uint8_t* headerBytes, const std::string& password, const std::string& file) {
    if (password.empty()) throw Error(ErrorCode::BadPassword, "Tabela jest zaszyfrowana: potrzebne hasło", file);
    key_ = deriveKey(password, headerBytes + 1);
    auto check = checkValue(key_);
    if (std::memcmp(check.data(), headerBytes + 9, check.size()) != 0)
        throw Error(ErrorCode::BadPassword, "Niepoprawne hasło tabeli", file);
}

void RecordCipher::apply(bool encrypt, uint32_t recno, char* record, size_t length) const {
    if (length < 1 + kMinimumRecordData) throw Error(ErrorCode::Unsupported, "Rekord za krótki do szyfrowania");
    std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(), EVP_CIPHER_CTX_free);
    uint8_t tweak[16] = {};
    for (int i = 0; i < 4; ++i) tweak[i] = static_cast<uint8_t>(recno >> (8 * i));
    auto* data = reinterpret_cast<uint8_t*>(record + 1);
    int size = static_cast<int>(length - 1), written = 0, last = 0;
    bool ok = ctx && EVP_CipherInit_ex(ctx.get(), EVP_aes_256_xts(), nullptr, key_.data(), tweak, encrypt ? 1 : 0) == 1 &&
              EVP_CipherUpdate(ctx.get(), data, &written, data, size) == 1 &&
              EVP_CipherFinal_ex(ctx.get(), data + written, &last) == 1;
    if (!ok || written + last != size) throw Error(ErrorCode::Io, "Błąd szyfrowania rekordu " + std::to_string(recno));
}

void RecordCipher::encrypt(uint32_t recno, char* record, size_t length) const { apply(true, recno, record, length); }
void RecordCipher::decrypt(uint32_t recno, char* record, size_t length) const { apply(false, recno, record, length); }

} // namespace xb
