#pragma once

#include "cli/Csv.h"
#include "core/ImportEntries.h"

#include <QList>
#include <QStringList>

// What an import file holds, read through its header line: the exports of the common password
// managers and browsers name their columns differently, and each name is taken for one field.
struct ImportPlan {
    QList<Import::ImportedEntry> entries;
    QStringList ignoredColumns;
};

// The entries of the records after the header. Every entry goes into `table` when it is given,
// else into its group or folder, else into "Default". A field the windows would not take (too
// long, a line break, a date not of the store's form, a table name with a quote) refuses the
// whole file with a Refusal naming the line.
ImportPlan PlanImport(const QString& path, const QList<Csv::Record>& records, const QString& table);
