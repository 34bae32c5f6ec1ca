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
    QString fault; // why a field is not text (a NUL byte, invalid UTF-8, more than 1 MiB)
};

// Every record of the text of the file at `path`, after the byte order mark some programs put
// first. Text that is not CSV (broken quoting) is refused with a Refusal that names the line;
// a record whose field is not text is kept with its fault.
QList<Record> ReadText(const QByteArray& bytes, const QString& path);

// Every record of the file, as ReadText reads it; a file that cannot be read or is larger than
// 64 MiB is refused.
QList<Record> ReadFile(const QString& path);

// One record as a line of the file: every field quoted, CR LF after it.
QByteArray FormatRecord(const QStringList& fields);

// The refusal of an import file for a fault on one of its lines.
[[noreturn]] void RefuseLine(const QString& path, qsizetype line, const QString& fault);

} // namespace Csv
