#pragma once

#include "core/Outcome.h"
#include "core/Session.h"
#include "core/StoreKey.h"

#include <QString>

#include <memory>

// Accounts as both front ends see them: an account is a name and a folder, its store the file
// folder + name + ".mdb". Each operation locks the store before it first opens it, so a store
// that another copy of the program has open or is writing is always "open in another window".
namespace Accounts {

// What a log-in does besides opening: a log-in of the windows compacts the store and
// refreshes its backup; a reading from a terminal writes nothing into the folder.
enum class Upkeep { CompactAndBackUp, WriteNothing };

inline const QString NameInUse =
    "This account name is already in use." + LineBreak + "Please use a different name.";
inline const QString ShorterPassword = QStringLiteral("Please enter a shorter password.");

QString StorePath(const QString& folder, const QString& name);

// Opens the account's store with the password, keeping it open and locked in the session.
// Refused, with the one message for both, when no store is there or the password does not
// open it; also when something other than files stands at the store's, its lock's or its
// backup's place, when another copy of the program has it open, or when another program is
// writing it. A store that is not of the entry schema is refused silently. Housekeeping that
// fails is told and the log-in goes on.
Result<std::unique_ptr<Session>> LogIn(const QString& name, const QString& folder,
                                       const QString& password, Upkeep upkeep);
// The same with the password's key already derived (StoreKey::DeriveStoreKey): the form
// above derives it and calls this one.
Result<std::unique_ptr<Session>> LogIn(const QString& name, const QString& folder,
                                       const StoreKey& passwordKey, Upkeep upkeep);

// The store key of a new account name and password, or why New or Edit refuses them: the
// name, then the password (which only Edit may leave empty), then its confirmation, then a
// password whose key is too long for a store.
Result<StoreKey> CheckNewAccount(const QString& name, const QString& password,
                                 const QString& confirmation, bool passwordRequired);

// Makes the account's store with its "Default" table and opens it.
Result<std::unique_ptr<Session>> Create(const QString& name, const QString& folder,
                                        const StoreKey& key);

// Renames an account and gives it a new key, all or nothing; the old name and password must
// open its store and the new name must be free.
Outcome Change(const QString& folder, const QString& oldName, const QString& oldPassword,
               const QString& newName, const StoreKey& newKey);
Outcome Change(const QString& folder, const QString& oldName, const StoreKey& oldPasswordKey,
               const QString& newName, const StoreKey& newKey);

} // namespace Accounts
