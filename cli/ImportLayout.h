#pragma once

#include "cli/Csv.h"
#include "core/ImportEntries.h"

#include <QList>
#include <QStringList>

// A line of the file that the windows would not take, and why.
struct RefusedLine {
    qsizetype line;
    QString fault;
};

// What an import file holds, read through its header line: the exports of the common password
// managers and browsers name their columns differently, and each name is taken for one field.
struct ImportPlan {
    QList<Import::ImportedEntry> entries;
    QList<RefusedLine> refused;
    QStringList ignoredColumns;
};

// The entries of the records after the header. Every entry goes into `table` when it is given,
// else into its group or folder, else into "Default"; a file whose only site field is its URL
// (a browser's) takes the site's host as the description. A record with a field the windows
// would not take (too long, a control character, a date not of the store's form, a table name
// with a quote, a field that is not text) is refused: it is left out and its line listed. A file
// without a header line that names a known column, or without an entry after it, is refused
// whole with a Refusal.
ImportPlan PlanImport(const QString& path, const QList<Csv::Record>& records, const QString& table);
