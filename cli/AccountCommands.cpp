// The account commands of ketterby-cli: create and passwd, with the New and Edit tabs' rules.
#include "cli/Commands.h"

#include "cli/Messages.h"
#include "cli/OpenStore.h"
#include "cli/PasswordInput.h"
#include "core/Accounts.h"
#include "core/Environment.h"
#include "core/StoreFolder.h"
#include "core/TextRules.h"

namespace Commands {
namespace {

using TextRules::TrimBlanks;

// The key of the new name and password, after telling why New or Edit refuses them, if they do.
Result<StoreKey> NewAccountKey(const QString& name, bool passwordRequired, const QString& prompt,
                               const QString& again) {
    auto [password, confirmation] = ReadNewPassword(prompt, again);
    Result<StoreKey> key =
        Accounts::CheckNewAccount(name, password, confirmation, passwordRequired);
    password.fill(QChar());
    confirmation.fill(QChar());
    Messages::Tell(key);
    return key;
}

} // namespace

bool CreateAccount(const QCommandLineParser& line) {
    Account account = AccountOf(line.positionalArguments()[0]);
    account.name = TrimBlanks(account.name);
    const Result<StoreKey> key = NewAccountKey(account.name, true, "Password: ", "Confirm: ");
    if (!key.Done())
        return false;
    // The user's own data folder is made private, as the windows make it.
    if (account.folder == Environment::DataFolder()) {
        account.folder = StoreFolder::Default();
        if (const QString warning = StoreFolder::OthersCanWriteWarning(account.folder);
            !warning.isEmpty())
            Messages::Print(warning);
    }
    return Messages::Tell(Accounts::Create(account.name, account.folder, *key));
}

bool ChangeAccount(const QCommandLineParser& line) {
    const Account account = AccountOf(line.positionalArguments()[0]);
    const QString oldName = TrimBlanks(account.name);
    const QString newName = line.isSet("rename") ? TrimBlanks(line.value("rename")) : oldName;
    QString oldPassword = ReadPassword("Old password: ");
    const Result<StoreKey> newKey =
        NewAccountKey(newName, false, "New password: ", "Confirm password: ");
    const bool changed =
        newKey.Done() &&
        Messages::Tell(Accounts::Change(account.folder, oldName, oldPassword, newName, *newKey));
    oldPassword.fill(QChar());
    return changed;
}

} // namespace Commands
