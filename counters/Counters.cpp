// Counts by standing in front of the C library, the crypto library and the engine: this
// program's definitions come first, count, and pass each call on.
#include "counters/Counters.h"

#include <atomic>
#include <dlfcn.h>

namespace {

std::atomic<long> syncs{0};
std::atomic<long> keyDerivations{0};
std::atomic<long> statements{0};

// SQLCipher also runs PBKDF2 with a couple of iterations for its page MAC key; that one costs
// nothing and is not a key derivation in the sense that matters here.
constexpr int CheapIterations = 16;

template <class Function> Function Next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

int fsync(int file) {
    static const auto next = Next<int (*)(int)>("fsync");
    ++syncs;
    return next(file);
}

int fdatasync(int file) {
    static const auto next = Next<int (*)(int)>("fdatasync");
    ++syncs;
    return next(file);
}

int PKCS5_PBKDF2_HMAC_SHA1(const char* pass, int passLength, const unsigned char* salt,
                           int saltLength, int iterations, int keyLength, unsigned char* out) {
    using Pbkdf2 = int (*)(const char*, int, const unsigned char*, int, int, int, unsigned char*);
    static const auto next = Next<Pbkdf2>("PKCS5_PBKDF2_HMAC_SHA1");
    if (iterations > CheapIterations)
        ++keyDerivations;
    return next(pass, passLength, salt, saltLength, iterations, keyLength, out);
}

struct sqlite3;
struct sqlite3_stmt;

int sqlite3_prepare_v2(sqlite3* database, const char* sql, int length, sqlite3_stmt** statement,
                       const char** tail) {
    using Prepare = int (*)(sqlite3*, const char*, int, sqlite3_stmt**, const char**);
    static const auto next = Next<Prepare>("sqlite3_prepare_v2");
    ++statements;
    return next(database, sql, length, statement, tail);
}

} // extern "C"

namespace Counters {

Counts Now() {
    return {syncs.load(), keyDerivations.load(), statements.load()};
}

} // namespace Counters
