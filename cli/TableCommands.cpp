// The table commands of ketterby-cli: mktable, rmtable and rntable, with the rules of the
// windows' Add, Remove and Rename.
#include "cli/Commands.h"

#include "cli/Confirmation.h"
#include "cli/Messages.h"
#include "cli/OpenStore.h"
#include "cli/Refusal.h"
#include "core/TableCommands.h"
#include "core/TextRules.h"

namespace Commands {
namespace {

using Messages::Tell;

// A new table's name as the input dialog hands it over: trimmed, and never empty, since the
// windows do nothing with an empty one.
QString NewTableName(const QString& argument) {
    const QString name = TextRules::TrimBlanks(argument);
    if (name.isEmpty())
        throw UsageError{"A table name cannot be empty."};
    return name;
}

} // namespace

bool AddTable(const QCommandLineParser& line) {
    const QStringList arguments = line.positionalArguments();
    const QString name = NewTableName(arguments[1]);
    return Tell(Tables::Add(*OpenStore(arguments[0], Access::Write), name));
}

bool RemoveTable(const QCommandLineParser& line) {
    const QStringList arguments = line.positionalArguments();
    const auto session = OpenStore(arguments[0], Access::Write);
    const QString name = TableNamed(*session, arguments[1]);
    return Tell(Tables::CheckRemovable(name)) && Confirm(line, Tables::RemovalQuestion(name)) &&
           Tell(Tables::Remove(*session, name));
}

bool RenameTable(const QCommandLineParser& line) {
    const QStringList arguments = line.positionalArguments();
    const QString newName = NewTableName(arguments[2]);
    const auto session = OpenStore(arguments[0], Access::Write);
    return Tell(Tables::Rename(*session, TableNamed(*session, arguments[1]), newName));
}

} // namespace Commands
