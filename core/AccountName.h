#pragma once

#include <QString>

namespace AccountName {

// A name that stands as one literal file name on every platform the program runs on: no path
// separator, no character a file system refuses, not "." or "..".
bool IsLiteralFileName(const QString& name);

// Why a name was refused, for the New and Edit tabs.
inline const QString RefusalMessage = QStringLiteral(
    "Please enter a valid name.\r\nAn account name cannot contain any of \\ / : * ? \" < > | "
    "or a control character, and cannot be \".\" or \"..\".");

inline constexpr int NameLimit = 50;
inline constexpr int PasswordLimit = 50;
inline const QString Mismatch = QStringLiteral("Sorry, both passwords must match!");

// Why New or Edit refuses a new account name and password, or nothing when it takes them. The
// checks run in this order: the name, then the password (which only Edit may leave empty, and
// which may hold neither blank nor quote), then its confirmation.
QString NewAccountRefusal(const QString& name, const QString& password, const QString& confirmation,
                          bool passwordRequired);

// The refusal of an account whose store is missing, does not open with the password, or has
// something other than a file where its files belong.
inline const QString CouldNotOpen = QStringLiteral("Sorry, could not locate or open this account.");

} // namespace AccountName
