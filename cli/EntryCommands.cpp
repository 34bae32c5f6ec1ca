// The entry commands of ketterby-cli: add, edit, rm, mv and clip, each calling the entry
// operations the windows call, in the windows' order.
#include "cli/Commands.h"

#include "cli/Arguments.h"
#include "cli/Confirmation.h"
#include "cli/Messages.h"
#include "cli/OpenStore.h"
#include "cli/PasswordInput.h"
#include "cli/Refusal.h"
#include "clipboard/ClipboardExport.h"
#include "clipboard/ClipboardHold.h"
#include "core/EntryOperations.h"
#include "core/TextRules.h"

#include <QGuiApplication>

#include <algorithm>

namespace Commands {
namespace {

using EntrySchema::Field;
using Messages::Tell;

// The open store, and the table and row that the arguments after STORE name.
struct EntryArguments {
    std::unique_ptr<Session> session;
    QString table;
    qint16 row;
};

EntryArguments OpenEntry(const QCommandLineParser& line, Access access) {
    const QStringList arguments = line.positionalArguments();
    const qint16 row = Arguments::ReadRow(arguments[2]);
    auto session = OpenStore(arguments[0], access);
    const QString table = TableNamed(*session, arguments[1]);
    return {std::move(session), table, row};
}

// A FIELD argument, and how its value is asked for at a terminal.
struct FieldName {
    QString argument;
    Field field;
    QString prompt;
};
const FieldName FieldNames[] = {{"description", Field::Description, "New description: "},
                                {"user", Field::UserID, "New user ID: "},
                                {"password", Field::Password, "New password: "}};

} // namespace

bool AddEntry(const QCommandLineParser& line) {
    const QStringList arguments = line.positionalArguments();
    const QString description = TextRules::TrimBlanks(line.value("description"));
    const QString userID = TextRules::TrimBlanks(line.value("user"));
    const bool generate = line.isSet("generate");
    if (!generate && (line.isSet("class") || line.isSet("case") || line.isSet("length")))
        throw UsageError{"--class, --case and --length set the generator: give --generate too."};
    // The generator's settings are checked before anything is asked.
    QString password = generate ? Arguments::GeneratePasswords(line, 1).first() : QString();
    const auto session = OpenStore(arguments[0], Access::Write);
    const QString table = TableNamed(*session, arguments[1]);
    if (!generate)
        password = ReadValue("Entry password: ", true);
    const bool added = Tell(Entries::Add(*session, table, userID, password, description));
    password.fill(QChar());
    return added;
}

bool EditEntry(const QCommandLineParser& line) {
    const QString name = line.positionalArguments()[3];
    const auto field = std::find_if(std::begin(FieldNames), std::end(FieldNames),
                                    [&](const FieldName& known) { return known.argument == name; });
    if (field == std::end(FieldNames))
        throw UsageError{"FIELD is description, user or password."};
    const auto [session, table, row] = OpenEntry(line, Access::Write);
    if (!Tell(Entries::CheckSelected(*session, table, row)))
        return false;
    QString text = ReadValue(field->prompt, field->field == Field::Password);
    const bool saved = Tell(Entries::SaveField(*session, table, row, field->field, text));
    text.fill(QChar());
    return saved;
}

bool RemoveEntry(const QCommandLineParser& line) {
    const auto [session, table, row] = OpenEntry(line, Access::Write);
    return Tell(Entries::CheckDeletable(*session, table, row)) &&
           Confirm(line, Entries::DeletionQuestion(row)) &&
           Tell(Entries::Delete(*session, table, row));
}

bool MoveEntry(const QCommandLineParser& line) {
    const auto [session, table, row] = OpenEntry(line, Access::Write);
    const QString target = TableNamed(*session, line.positionalArguments()[3]);
    return Tell(Entries::Move(*session, table, row, target));
}

bool ClipEntry(const QCommandLineParser& line) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw Refusal{"There is no desktop clipboard here: no display is set."};
    const Field field = line.isSet("user") ? Field::UserID : Field::Password;
    Result<QString> text = [&] {
        const auto [session, table, row] = OpenEntry(line, Access::Read);
        if (Outcome refused = Entries::CheckSelected(*session, table, row); !refused.Done())
            return Result<QString>(refused);
        return Entries::ReadField(*session, table, row, field, "cmdExport");
    }(); // the store is closed while the clipboard holds the text
    if (!Tell(text))
        return false;
    const bool held = HoldOnClipboard(*text, [&] {
        Messages::Print(QString("The %1 is on the clipboard for %2 seconds; Ctrl+C clears it now.")
                            .arg(field == Field::UserID ? "user ID" : "password")
                            .arg(ClipboardExport::ClearingDelay / 1000));
    });
    text->fill(QChar());
    if (!held)
        throw Refusal{"Ctrl+C could not be watched for, so nothing was put on the clipboard."};
    return true;
}

} // namespace Commands
