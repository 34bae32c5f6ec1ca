#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

// How the commands read their arguments and the options some of them share. A text that does
// not fit is thrown as a UsageError.
namespace Arguments {

// A number in a range, or a usage error naming the option or argument.
int ReadNumber(const QString& text, int least, int most, const QString& what);

// An entry's row: a number from 1 on.
qint16 ReadRow(const QString& text);

// The generator's settings: --class, --case and --length.
QList<QCommandLineOption> GeneratorOptions();

// Passwords from the generator the settings name.
QStringList GeneratePasswords(const QCommandLineParser& line, int count);

} // namespace Arguments
