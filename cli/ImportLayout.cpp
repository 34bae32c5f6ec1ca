// Reads the columns of other password managers' CSV exports, and of Ketterby's own, as entries.
#include "cli/ImportLayout.h"

#include "cli/Refusal.h"
#include "core/EntryDates.h"
#include "core/TableCatalogue.h"

#include <QUrl>

#include <algorithm>
#include <array>
#include <optional>

namespace {

enum Field { Table, Date, Description, UserID, Password, Site, FieldCount };
using Columns = std::array<qsizetype, FieldCount>; // each field's column, -1 for none

// Header names, compared without letter case or blanks around them, and the field each fills.
struct Alias {
    const char* header;
    Field field;
};
constexpr Alias Aliases[] = {
    {"table", Table},       {"group", Table},
    {"folder", Table},      {"grouping", Table},
    {"date", Date},         {"description", Description},
    {"title", Description}, {"name", Description},
    {"user id", UserID},    {"username", UserID},
    {"login", UserID},      {"login_username", UserID},
    {"password", Password}, {"login_password", Password},
    {"url", Site},
};

struct FieldRule {
    const char* name;
    int limit;
};
constexpr FieldRule Rules[FieldCount] = {{"table name", EntrySchema::TableNameLimit},
                                         {"date", 10},
                                         {"description", EntrySchema::DescriptionLimit},
                                         {"user ID", EntrySchema::UserIDLimit},
                                         {"password", EntrySchema::PasswordLimit},
                                         {"site's host name", EntrySchema::DescriptionLimit}};

std::optional<Field> FieldOf(const QString& header) {
    const QString name = header.trimmed().toLower();
    const auto alias = std::find_if(std::begin(Aliases), std::end(Aliases),
                                    [&](const Alias& alias) { return name == alias.header; });
    return alias == std::end(Aliases) ? std::nullopt : std::optional(alias->field);
}

// The text of a field in the record; a site is named by its URL's host.
QString TextOf(const Csv::Record& record, const Columns& columns, Field field) {
    if (columns[field] < 0)
        return {};
    const QString& text = record.fields[columns[field]];
    if (field != Site)
        return text;
    const QString host = QUrl(text.trimmed()).host();
    return host.isEmpty() ? text : host;
}

// Why the windows would not take the text into the field; empty when they would.
QString FaultOf(Field field, const QString& text) {
    const FieldRule& rule = Rules[field];
    if (text.size() > rule.limit)
        return QString("the %1 is longer than %2 characters").arg(rule.name).arg(rule.limit);
    if (std::any_of(text.cbegin(), text.cend(),
                    [](QChar c) { return c.category() == QChar::Other_Control; }))
        return QString("the %1 holds a line break, a tab or another control character")
            .arg(rule.name);
    if (field == Table && (text.contains('\'') || text.contains('"')))
        return "a table name cannot hold a quote";
    if (field == Date && !text.isEmpty() && !EntryDates::Read(text))
        return "the date \"" + text + "\" is not a date of the form m/d/yy";
    return {};
}

// Each field's column: the first whose header names it. The site stands in for a description
// only where there is none.
Columns ColumnsOf(const QStringList& header) {
    Columns columns;
    columns.fill(-1);
    for (qsizetype column = 0; column < header.size(); ++column)
        if (const auto field = FieldOf(header[column]); field && columns[*field] < 0)
            columns[*field] = column;
    if (columns[Description] >= 0)
        columns[Site] = -1;
    return columns;
}

} // namespace

ImportPlan PlanImport(const QString& path, const QList<Csv::Record>& records,
                      const QString& table) {
    if (records.isEmpty())
        throw Refusal{path + " holds no header line. Nothing was imported."};
    const Csv::Record& header = records.first();
    if (!header.fault.isEmpty())
        Csv::RefuseLine(path, header.line, header.fault);
    Columns columns = ColumnsOf(header.fields);
    ImportPlan plan;
    for (qsizetype column = 0; column < header.fields.size(); ++column)
        if (std::find(columns.cbegin(), columns.cend(), column) == columns.cend())
            plan.ignoredColumns.append(header.fields[column]);
    if (columns[Description] < 0 && columns[UserID] < 0 && columns[Password] < 0)
        Csv::RefuseLine(path, header.line,
                        "no column is a title or name, a user name or login, or a password, so "
                        "this is not a header line of an export of passwords");
    if (records.size() == 1)
        Csv::RefuseLine(path, header.line, "a header line and no entry after it");
    if (const QString fault = FaultOf(Table, table); !fault.isEmpty())
        throw UsageError{"--table: " + fault + "."};
    if (!table.isEmpty())
        columns[Table] = -1;
    for (const Csv::Record& record : records.sliced(1)) {
        QString fault = record.fault;
        if (fault.isEmpty() && record.fields.size() != header.fields.size())
            fault = QString("%1 fields where the header line has %2")
                        .arg(record.fields.size())
                        .arg(header.fields.size());
        std::array<QString, FieldCount> texts;
        for (int field = 0; field < FieldCount && fault.isEmpty(); ++field) {
            texts[field] = TextOf(record, columns, Field(field));
            fault = FaultOf(Field(field), texts[field]);
        }
        if (!fault.isEmpty()) {
            plan.refused.append({record.line, fault});
            continue;
        }
        const QString group = table.isEmpty() ? texts[Table].trimmed() : table;
        plan.entries.append({group.isEmpty() ? DefaultTable : group,
                             {texts[Date], columns[Site] < 0 ? texts[Description] : texts[Site],
                              texts[UserID], texts[Password]}});
    }
    return plan;
}
