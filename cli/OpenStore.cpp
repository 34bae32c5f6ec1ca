// Opens a store from the command line as the log-in opens it.
#include "cli/OpenStore.h"

#include "cli/Messages.h"
#include "cli/PasswordInput.h"
#include "cli/Refusal.h"
#include "core/Engine.h"
#include "core/Environment.h"
#include "core/FileOperations.h"
#include "core/StoreAccess.h"
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
    const Refusal couldNotOpen{"Sorry, could not locate or open this account."};
    if (!FileOperations::FileExists(path))
        throw couldNotOpen;
    // Stretched once for the store's salt, the key serves the check and the connection alike.
    QString password = ReadPassword();
    const QString key = Engine::FileKey(path, StoreKey::DeriveStoreKey(password));
    password.fill(QChar()); // nothing of the password stays in freed memory
    if (!DBFunctions::CanOpenStore(path, key))
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
