// Insert: a generated password replaces the password of one entry, after confirmation.
#include "core/InsertPassword.h"

#include "core/EntryOperations.h"
#include "core/ErrorTrap.h"
#include "core/MessageBoxes.h"

namespace DBFunctions {

bool InsertPassword(const Session& session, qint16 row, const QString& password) {
    using MessageBoxes::LineBreak;
    return Trap("InsertPassword", [&] {
        if (password.isEmpty()) {
            MessageBoxes::Show("Please select a password first.", MessageBoxes::Icon::Exclamation);
            return;
        }
        if (!CheckSelectedRow(session, row))
            return;
        const QString old = ReadField(session, row, Field::Password);
        if (MessageBoxes::Confirm("Are you sure you wish to continue: " + LineBreak +
                                  "Old Password: " + old + LineBreak + "New Password: " + password))
            WriteField(session, row, Field::Password, password);
    });
}

} // namespace DBFunctions
