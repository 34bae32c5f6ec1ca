#pragma once

#include <QCommandLineParser>

// The commands, each given its parsed command line; true when it did its work. A refusal is
// thrown as a Refusal, a command line that does not fit as a UsageError.
namespace Commands {

bool ListTables(const QCommandLineParser& line);
bool ShowEntries(const QCommandLineParser& line);
bool SearchEntries(const QCommandLineParser& line);
bool ExportEntries(const QCommandLineParser& line);
bool ImportEntries(const QCommandLineParser& line);
bool GeneratePasswords(const QCommandLineParser& line);

bool CreateAccount(const QCommandLineParser& line);
bool ChangeAccount(const QCommandLineParser& line);

bool AddEntry(const QCommandLineParser& line);
bool EditEntry(const QCommandLineParser& line);
bool RemoveEntry(const QCommandLineParser& line);
bool MoveEntry(const QCommandLineParser& line);
bool ClipEntry(const QCommandLineParser& line);

bool AddTable(const QCommandLineParser& line);
bool RemoveTable(const QCommandLineParser& line);
bool RenameTable(const QCommandLineParser& line);

} // namespace Commands
