// Insert: a generated password replaces the password of one entry, after confirmation.
#include "core/InsertPassword.h"

#include "core/ErrorTrap.h"
#include "core/MessageBoxes.h"
#include "core/Session.h"
#include "core/TableCatalogue.h"

namespace DBFunctions {

bool InsertPassword(const Session& session, qint16 row, const QString& password) {
    using MessageBoxes::LineBreak;
    return Trap("InsertPassword", [&] {
        if (password.isEmpty()) {
            MessageBoxes::Show("Please select a password first.", MessageBoxes::Icon::Exclamation);
            return;
        }
        const qint16 count = CountRecords(session);
        const QString table = Engine::QuoteName(session.CurrentTable);
        const auto entry =
            session.Connection().Prepare("SELECT * FROM " + table + " WHERE [ID] = ?;");
        entry->Bind(1, row);
        if (row > count || row < 1) {
            MessageBoxes::Show("Please select a valid row.", MessageBoxes::Icon::Exclamation);
            return;
        }
        const QString old = entry->Step() ? entry->Text(3) : QString();
        if (!MessageBoxes::Confirm("Are you sure you wish to continue: " + LineBreak +
                                   "Old Password: " + old + LineBreak +
                                   "New Password: " + password))
            return;
        const auto update =
            session.Connection().Prepare("UPDATE " + table + " SET [Password] = ? WHERE [ID] = ?;");
        update->Bind(1, password);
        update->Bind(2, row);
        update->Step();
    });
}

} // namespace DBFunctions
