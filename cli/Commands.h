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

} // namespace Commands
