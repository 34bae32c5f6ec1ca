// Opens a store from the command line through the one log-in, and finds its tables.
#include "cli/OpenStore.h"

#include "cli/Messages.h"
#include "cli/PasswordInput.h"
#include "cli/Refusal.h"
#include "core/AccountName.h"
#include "core/Accounts.h"
#include "core/Environment.h"
#include "core/FileOperations.h"
#include "core/TableCatalogue.h"

#include <QFileInfo>

Account AccountOf(const QString& argument) {
    if (!argument.contains('/') && !argument.endsWith(".mdb"))
        return {argument, Environment::DataFolder()};
    QString name = QFileInfo(argument).fileName();
    const QString folder = argument.left(argument.size() - name.size());
    if (name.endsWith(".mdb"))
        name.chop(4);
    return {name, folder};
}

std::unique_ptr<Session> OpenStore(const QString& argument, Access access) {
    const Account account = AccountOf(argument);
    // No password is asked for a store that is not there.
    if (!FileOperations::FileExists(Accounts::StorePath(account.folder, account.name)))
        throw Refusal{AccountName::CouldNotOpen};
    QString password = ReadPassword();
    auto opened = Accounts::LogIn(account.name, account.folder, password,
                                  access == Access::Change ? Accounts::Upkeep::CompactAndBackUp
                                                           : Accounts::Upkeep::WriteNothing);
    password.fill(QChar()); // nothing of the password stays in freed memory
    if (!Messages::Tell(opened))
        throw Refusal{};
    return std::move(*opened);
}

QString TableNamed(const Session& session, const QString& argument) {
    const auto table = AttemptValue(
        "TableExists", [&] { return Catalogue::StoredName(session.Connection(), argument); });
    if (!Messages::Tell(table))
        throw Refusal{};
    if (!*table)
        throw Refusal{"There is no table named " + argument + "."};
    return **table;
}
