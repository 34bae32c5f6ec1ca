#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// CSV files as RFC 4180 has them, read and written by libcsv: fields separated by commas,
// quoted where they need it, records ended by CR LF (a lone LF is read too), UTF-8 text.
namespace Csv {

// One record and the line of the file where it begins.
struct Record {
    qsizetype line;
    QStringList fields;
};

// Every record of the file. A file that is not CSV of UTF-8 text (a NUL byte, invalid UTF-8,
// broken quoting, a field of more than 1 MiB) is refused with a Refusal that names the line.
QList<Record> ReadFile(const QString& path);

// One record as a line of the file: every field quoted, CR LF after it.
QByteArray FormatRecord(const QStringList& fields);

// The refusal of an import file for a fault on one of its lines.
[[noreturn]] void RefuseLine(const QString& path, qsizetype line, const QString& fault);

} // namespace Csv
