#pragma once

#include "core/Session.h"

#include <QString>

#include <memory>

// Opening a store that exists, for a program that only reads it.
namespace DBFunctions {

// Whether a store file is at the path and opens with the key; the store is left as it is.
bool CanOpenStore(const QString& path, const QString& key);

// Opens an existing store as a log-in does, with the lock and the shape check, but writes
// nothing: no compaction and no backup, so its folder stays as it was. None after a failure
// (reported under "SetupDatabase", or by the lock; a store of the wrong shape without a message).
std::unique_ptr<Session> OpenWithoutWriting(const QString& path, const QString& key);

} // namespace DBFunctions
