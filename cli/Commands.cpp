// The commands of ketterby-cli: list, show, search, export, import and generate.
#include "cli/Commands.h"

#include "cli/Arguments.h"
#include "cli/Csv.h"
#include "cli/ImportLayout.h"
#include "cli/Messages.h"
#include "cli/OpenStore.h"
#include "cli/Refusal.h"
#include "core/StoreReading.h"
#include "core/TableCatalogue.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include <unistd.h>

namespace Commands {
namespace {

using Messages::Trap;
using StoreReading::StoredEntry;

const QByteArray ExportHeader = "Table,Date,Description,User ID,Password\r\n";

// One line of output, its fields separated by tabs.
void PrintLine(const QStringList& fields) {
    std::fputs((fields.join('\t') + '\n').toUtf8().constData(), stdout);
}

// "1 entry", "2 entries".
QString Entries(qsizetype count) {
    return QString::number(count) + (count == 1 ? " entry" : " entries");
}

QString Row(const StoredEntry& stored) {
    return QString::number(stored.row);
}

// A new file readable by its owner alone, never in the place of anything already there; a
// failed write leaves no file behind.
void WriteNewFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                                   QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
                         file.write(content) == content.size() && file.flush();
    if (written)
        return;
    const QString reason = file.errorString();
    if (file.isOpen())
        file.remove();
    throw Refusal{"Could not write " + path + ": " + reason};
}

// The whole content on standard output, unbuffered, so that no copy stays in a buffer.
void WriteOutput(const QByteArray& content) {
    QFile output;
    if (output.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        output.write(content) == content.size())
        return;
    throw Refusal{"Could not write standard output: " + output.errorString()};
}

} // namespace

bool ListTables(const QCommandLineParser& line) {
    const auto session = OpenStore(line.positionalArguments()[0], Access::Read);
    return Trap("CountTables", [&] {
        for (const auto& table : StoreReading::CountTables(session->Connection()))
            PrintLine({table.name, QString::number(table.entries)});
    });
}

bool ShowEntries(const QCommandLineParser& line) {
    const QStringList arguments = line.positionalArguments();
    const bool showPassword = line.isSet("show-password");
    if (showPassword && arguments.size() < 3)
        throw UsageError{"--show-password shows the password of one entry: give its ROW."};
    const int row = arguments.size() < 3 ? 0 : Arguments::ReadRow(arguments[2]);
    const auto session = OpenStore(arguments[0], Access::Read);
    const QString table = TableNamed(*session, arguments[1]);
    return Trap("ReadTable", [&] {
        const QList<StoredEntry> entries = StoreReading::ReadTable(session->Connection(), table);
        if (row > entries.size())
            throw Refusal{"No record exists at that row."};
        for (const StoredEntry& stored : row > 0 ? entries.sliced(row - 1, 1) : entries) {
            const Entry& entry = stored.entry;
            QStringList fields = {Row(stored), entry.date, entry.description, entry.userID};
            if (showPassword)
                fields.append(entry.password);
            PrintLine(fields);
        }
    });
}

bool SearchEntries(const QCommandLineParser& line) {
    const QStringList arguments = line.positionalArguments();
    const auto session = OpenStore(arguments[0], Access::Read);
    return Trap("Search", [&] {
        for (const StoredEntry& found : StoreReading::Search(session->Connection(), arguments[1]))
            PrintLine({found.table, Row(found), found.entry.date, found.entry.description,
                       found.entry.userID});
    });
}

bool ExportEntries(const QCommandLineParser& line) {
    const QStringList arguments = line.positionalArguments();
    const QString& file = arguments[1];
    const bool toOutput = file == "-";
    // Refused before the password is asked for; the writing refuses a file again should it come.
    if (toOutput && ::isatty(STDOUT_FILENO))
        throw Refusal{"Standard output is a terminal, where the passwords would stay on screen: "
                      "export - writes only into a pipe or a file."};
    if (!toOutput && (QFileInfo(file).exists() || QFileInfo(file).isSymLink()))
        throw Refusal{file + " already exists; export writes only a new file."};
    const auto session = OpenStore(arguments[0], Access::Read);
    QList<StoredEntry> entries;
    if (!Trap("ReadAll", [&] { entries = StoreReading::ReadAll(session->Connection()); }))
        return false;
    QByteArray content = ExportHeader;
    for (const StoredEntry& stored : entries) {
        const Entry& entry = stored.entry;
        content += Csv::FormatRecord(
            {stored.table, entry.date, entry.description, entry.userID, entry.password});
    }
    if (toOutput)
        WriteOutput(content);
    else
        WriteNewFile(file, content);
    content.fill('\0');
    if (!toOutput)
        PrintLine({"Exported " + Entries(entries.size()) + " to " + file + "."});
    return true;
}

bool ImportEntries(const QCommandLineParser& line) {
    const QStringList arguments = line.positionalArguments();
    const QString& file = arguments[1];
    const ImportPlan plan = PlanImport(file, Csv::ReadFile(file), line.value("table"));
    QStringList refused;
    for (const auto& [number, fault] : plan.refused)
        refused.append(QString("%1, line %2: %3.").arg(file).arg(number).arg(fault));
    if (!refused.isEmpty() && (!line.isSet("skip-invalid") || plan.entries.isEmpty()))
        throw Refusal{refused.join('\n') + "\nNothing was imported" +
                      (plan.entries.isEmpty() ? "."
                                              : "; --skip-invalid imports the other " +
                                                    Entries(plan.entries.size()) + ".")};
    const auto session = OpenStore(arguments[0], Access::Change);
    QList<Import::ImportedTable> tables;
    if (!Trap("ImportEntries",
              [&] { tables = Import::ImportEntries(session->Connection(), plan.entries); }))
        return false;
    for (const auto& table : tables) {
        PrintLine({"Added " + Entries(table.added) + " to " + table.name + "."});
        if (!table.filledUp.isEmpty())
            PrintLine({QString("%1 holds %2 entries, so the rest went into %3.")
                           .arg(table.filledUp)
                           .arg(EntrySchema::EntryLimit)
                           .arg(table.name)});
    }
    if (!plan.ignoredColumns.isEmpty())
        PrintLine({"Columns left out: " + plan.ignoredColumns.join(", ") + "."});
    for (const QString& skipped : refused)
        Messages::Print("Skipped " + skipped);
    return true;
}

bool GeneratePasswords(const QCommandLineParser& line) {
    const int count = Arguments::ReadNumber(line.value("count"), 1, 255, "--count");
    for (const QString& password : Arguments::GeneratePasswords(line, count))
        PrintLine({password});
    return true;
}

} // namespace Commands
