// The store key of an account password, by Argon2id, and its stretching for one store file.
#include "core/StoreKey.h"

#include "core/Failure.h"
#include "core/FileOperations.h"

#include <QByteArray>

#include <openssl/crypto.h>
#include <openssl/evp.h>
#include <sodium.h>

#include <array>
#include <cstring>

static_assert(sizeof(StoreKey::Salt) - 1 == crypto_pwhash_SALTBYTES);

namespace {

// The first 15 bytes of the hash in base64 are the whole passphrase.
constexpr size_t HashBytesUsed = 15;
static_assert(sodium_base64_ENCODED_LEN(HashBytesUsed, sodium_base64_VARIANT_ORIGINAL) ==
              StoreKey::KeyLength + 1);

// The engine's own key schedule for a passphrase: PBKDF2-HMAC-SHA1 of 64,000 rounds giving 32
// bytes, salted with the first 16 bytes of the file. Format constants: a store made with other
// settings opens only with them.
constexpr int FileSaltBytes = 16;
constexpr int RawKeyBytes = 32;
constexpr int StretchRounds = 64000;

// Writes the bytes in lower-case hexadecimal at the place given; returns the place after them.
char* WriteHex(char* place, const unsigned char* bytes, size_t size) {
    sodium_bin2hex(place, 2 * size + 1, bytes, size);
    return place + 2 * size;
}

} // namespace

StoreKey StoreKey::DeriveStoreKey(const QString& password) {
    QByteArray typed = password.toUtf8();
    GuardedText input(size_t(typed.size()) + 1);
    std::memcpy(input.Data(), typed.constData(), size_t(typed.size()));
    input.Data()[typed.size()] = KeySuffix;
    sodium_memzero(typed.data(), size_t(typed.size()));
    std::array<unsigned char, 16> hash{};
    const int result =
        crypto_pwhash(hash.data(), hash.size(), input.View().data(), input.View().size(),
                      reinterpret_cast<const unsigned char*>(Salt), Passes, MemoryBytes,
                      crypto_pwhash_ALG_ARGON2ID13);
    if (result != 0)
        throw Failure(result, "The store key could not be derived (out of memory).");
    GuardedText text(KeyLength);
    sodium_bin2base64(text.Data(), KeyLength + 1, hash.data(), HashBytesUsed,
                      sodium_base64_VARIANT_ORIGINAL);
    sodium_memzero(hash.data(), hash.size());
    return StoreKey(std::move(text), KeyLength, false);
}

StoreKey StoreKey::ForFile(const QString& path) const {
    const QByteArray salt = FileOperations::ReadStart(path, FileSaltBytes);
    if (stretched || salt.size() != FileSaltBytes)
        return *this;
    std::array<unsigned char, RawKeyBytes> key{};
    const std::string_view passphrase = text.View();
    if (PKCS5_PBKDF2_HMAC_SHA1(passphrase.data(), int(passphrase.size()),
                               reinterpret_cast<const unsigned char*>(salt.constData()),
                               FileSaltBytes, StretchRounds, RawKeyBytes, key.data()) != 1)
        return *this;
    // x'<key><salt>' in hexadecimal: the engine's raw key with its salt.
    GuardedText raw(3 + 2 * (RawKeyBytes + FileSaltBytes));
    char* place = raw.Data();
    *place++ = 'x';
    *place++ = '\'';
    place = WriteHex(place, key.data(), key.size());
    OPENSSL_cleanse(key.data(), key.size());
    place =
        WriteHex(place, reinterpret_cast<const unsigned char*>(salt.constData()), FileSaltBytes);
    *place = '\'';
    return StoreKey(std::move(raw), length, true);
}
