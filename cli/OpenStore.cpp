// Opens a store from the command line as the log-in opens it.
#include "cli/OpenStore.h"

#include "cli/Messages.h"
#include "cli/PasswordInput.h"
#include "cli/Refusal.h"
#include "core/AccountName.h"
#include "core/Environment.h"
#include "core/FileOperations.h"
#include "core/StoreFiles.h"
#include "core/StoreKey.h"

#include <QFileInfo>

QString StorePath(const QString& argument) {
    if (argument.contains('/') || argument.endsWith(".mdb"))
        return argument;
    return Environment::DataFolder() + argument + ".mdb";
}

std::unique_ptr<Session> OpenStore(const QString& argument, Access access) {
    const QString path = StorePath(argument);
    const Refusal couldNotOpen{AccountName::CouldNotOpen};
    if (!FileOperations::FileExists(path))
        throw couldNotOpen;
    // Stretched once for the store's salt, the key serves the check and the connection alike.
    QString password = ReadPassword();
    const StoreKey key = StoreKey::DeriveStoreKey(password).ForFile(path);
    password.fill(QChar()); // nothing of the password stays in freed memory
    if (!DBFunctions::OpensWith(path, key))
        throw couldNotOpen;
    const int reported = Messages::Count();
    auto session = access == Access::Change ? DBFunctions::OpenSession(path, key)
                                            : DBFunctions::OpenWithoutWriting(path, key);
    if (session)
        return session;
    // The windows refuse a store of the wrong shape without a word; a terminal says why.
    if (Messages::Count() > reported)
        throw Refusal{};
    throw Refusal{"The store \"" + QFileInfo(path).completeBaseName() +
                  "\" has a table that does not have the five columns of an entry, or no table "
                  "\"Default\"."};
}
