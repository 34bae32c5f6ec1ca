#pragma once

#include <QString>

// The store key of an account password. Every constant here is part of the store format:
// changing one locks every user out of their stores.
namespace StoreKey {

inline constexpr char KeySuffix = 'k';
inline constexpr char Salt[] = "KetterbyKeySalt1"; // exactly 16 bytes, no terminator used
inline constexpr unsigned long long Passes = 3;
inline constexpr size_t MemoryBytes = 64u * 1024u * 1024u;
inline constexpr int KeyLength = 20;

// Argon2id of the text; the store key is the base64 of the first 15 of its 16 bytes.
QString Encode(const QString& text);

// The key for a trimmed password as typed: the encoding of the password plus the suffix.
QString DeriveStoreKey(const QString& password);

} // namespace StoreKey
