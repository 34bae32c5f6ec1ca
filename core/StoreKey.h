#pragma once

#include "core/GuardedText.h"

#include <QString>

#include <string_view>
#include <utility>

// The key that opens a store, in one of two forms that the type keeps apart: the passphrase
// derived from an account password, which opens every store made under that password, or the
// passphrase stretched once with one store file's salt into the engine's raw key, which opens
// that file and every copy made under it without stretching again. Held in guarded memory,
// which never reaches swap and is wiped when the key goes, so no key text outlives its use.
class StoreKey {
  public:
    // Part of the store format: changing any of these locks every user out of their stores.
    static constexpr char KeySuffix = 'k';
    static constexpr char Salt[] = "KetterbyKeySalt1"; // exactly 16 bytes, no terminator used
    static constexpr unsigned long long Passes = 3;
    static constexpr size_t MemoryBytes = 64u * 1024u * 1024u;
    static constexpr int KeyLength = 20;

    // The key of a trimmed password as typed: Argon2id of the password plus the suffix, its
    // first 15 bytes in base64. Throws a Failure when the derivation cannot run.
    static StoreKey DeriveStoreKey(const QString& password);

    // This passphrase stretched for the store file at the path. A file too short to hold a
    // salt, or anything but a regular file, keeps the passphrase; the file is read without
    // ever waiting on it.
    StoreKey ForFile(const QString& path) const;

    // Characters of the passphrase (the stretched form keeps its passphrase's length).
    int Length() const { return length; }
    // The text the engine takes as a key: the passphrase, or the raw key and salt in the
    // engine's blob form.
    std::string_view EngineText() const { return text.View(); }

  private:
    StoreKey(GuardedText text, int length, bool stretched)
        : text(std::move(text)), length(length), stretched(stretched) {}

    GuardedText text;
    int length;
    bool stretched;
};
