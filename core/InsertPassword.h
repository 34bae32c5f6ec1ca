#pragma once

#include <QString>

class Session;

namespace DBFunctions {

// Puts the generated password into the entry on the row of the current table, once the user
// has seen the old and the new password and said Yes. False only when an error ended it, in
// which case the caller leaves the grid as it is.
bool InsertPassword(const Session& session, qint16 row, const QString& password);

} // namespace DBFunctions
