// The store key of an account password, by Argon2id, and its stretching for one store file.
#include "core/StoreKey.h"

#include "core/Failure.h"
#include "core/FileOperations.h"

#include <QByteArray>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <sodium.h>

#include <array>

static_assert(sizeof(StoreKey::Salt) - 1 == crypto_pwhash_SALTBYTES);

namespace {

// The engine's own key schedule for a passphrase: PBKDF2-HMAC-SHA1 of 64,000 rounds giving 32
// bytes, salted with the first 16 bytes of the file. Format constants: a store made with other
// settings opens only with them.
constexpr int FileSaltBytes = 16;
constexpr int RawKeyBytes = 32;
constexpr int StretchRounds = 64000;

void AppendHex(std::string& text, const unsigned char* bytes, size_t size) {
    static constexpr char Digits[] = "0123456789abcdef";
    for (size_t i = 0; i < size; ++i) {
        text += Digits[bytes[i] >> 4];
        text += Digits[bytes[i] & 15];
    }
}

} // namespace

StoreKey StoreKey::DeriveStoreKey(const QString& password) {
    static const bool ready = sodium_init() >= 0;
    std::array<unsigned char, 16> hash{};
    QByteArray input = (password + KeySuffix).toUtf8();
    const int result = ready ? crypto_pwhash(hash.data(), hash.size(), input.constData(),
                                             static_cast<unsigned long long>(input.size()),
                                             reinterpret_cast<const unsigned char*>(Salt), Passes,
                                             MemoryBytes, crypto_pwhash_ALG_ARGON2ID13)
                             : -1;
    sodium_memzero(input.data(), static_cast<size_t>(input.size()));
    if (result != 0)
        throw Failure(result, "The store key could not be derived (out of memory).");
    std::string text(sodium_base64_ENCODED_LEN(15, sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(text.data(), text.size(), hash.data(), 15, sodium_base64_VARIANT_ORIGINAL);
    sodium_memzero(hash.data(), hash.size());
    text.resize(std::char_traits<char>::length(text.c_str()));
    const int length = int(text.size());
    return StoreKey(std::move(text), length, false);
}

StoreKey StoreKey::ForFile(const QString& path) const {
    const QByteArray salt = FileOperations::ReadStart(path, FileSaltBytes);
    if (stretched || salt.size() != FileSaltBytes)
        return *this;
    std::array<unsigned char, RawKeyBytes> key{};
    if (PKCS5_PBKDF2_HMAC_SHA1(text.data(), int(text.size()),
                               reinterpret_cast<const unsigned char*>(salt.constData()),
                               FileSaltBytes, StretchRounds, RawKeyBytes, key.data()) != 1)
        return *this;
    std::string raw;
    raw.reserve(3 + 2 * (RawKeyBytes + FileSaltBytes));
    raw += "x'";
    AppendHex(raw, key.data(), key.size());
    OPENSSL_cleanse(key.data(), key.size());
    AppendHex(raw, reinterpret_cast<const unsigned char*>(salt.constData()), FileSaltBytes);
    raw += '\'';
    return StoreKey(std::move(raw), length, true);
}

StoreKey& StoreKey::operator=(const StoreKey& other) {
    if (this != &other) {
        Wipe();
        text = other.text;
        length = other.length;
        stretched = other.stretched;
    }
    return *this;
}

StoreKey::~StoreKey() {
    Wipe();
}

void StoreKey::Wipe() {
    sodium_memzero(text.data(), text.size());
}
