// Which account names and passwords an account can take.
#include "core/AccountName.h"

#include "core/Outcome.h"

namespace AccountName {

bool IsLiteralFileName(const QString& name) {
    if (name == "." || name == "..")
        return false;
    for (const QChar character : name) {
        if (character.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(character))
            return false;
    }
    return true;
}

QString NewAccountRefusal(const QString& name, const QString& password, const QString& confirmation,
                          bool passwordRequired) {
    if (name.isEmpty())
        return "Please enter a valid name.";
    if (name.size() > NameLimit)
        return TooLong(NameLimit).text;
    if (!IsLiteralFileName(name))
        return RefusalMessage;
    if (password.contains(' '))
        return "No spaces allowed in password!";
    // The password boxes drop a typed quote but keep a pasted one, which could then never be
    // typed at Login.
    if (password.contains('\'') || password.contains('"'))
        return "No quotes (' or \") allowed in password!";
    if (passwordRequired && password.isEmpty())
        return "Please enter a valid password.";
    if (password.size() > PasswordLimit)
        return TooLong(PasswordLimit).text;
    if (password != confirmation)
        return Mismatch;
    return {};
}

} // namespace AccountName
