// The store key of an account password, by Argon2id.
#include "core/StoreKey.h"

#include "core/ErrorTrap.h"

#include <QByteArray>

#include <sodium.h>

#include <array>

namespace StoreKey {

static_assert(sizeof(Salt) - 1 == crypto_pwhash_SALTBYTES);

QString Encode(const QString& text) {
    static const bool ready = sodium_init() >= 0;
    std::array<unsigned char, 16> hash{};
    QByteArray input = text.toUtf8();
    const int result = ready ? crypto_pwhash(hash.data(), hash.size(), input.constData(),
                                             static_cast<unsigned long long>(input.size()),
                                             reinterpret_cast<const unsigned char*>(Salt), Passes,
                                             MemoryBytes, crypto_pwhash_ALG_ARGON2ID13)
                             : -1;
    sodium_memzero(input.data(), static_cast<size_t>(input.size()));
    if (result != 0)
        throw Failure(result, "The store key could not be derived (out of memory).");
    const QByteArray key = QByteArray(reinterpret_cast<const char*>(hash.data()), 15).toBase64();
    sodium_memzero(hash.data(), hash.size());
    return QString::fromLatin1(key);
}

QString DeriveStoreKey(const QString& password) {
    return Encode(password + KeySuffix);
}

} // namespace StoreKey
