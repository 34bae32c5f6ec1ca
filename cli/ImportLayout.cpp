// Reads the columns of other password managers' CSV exports, and of Ketterby's own, as entries.
#include "cli/ImportLayout.h"

#include "cli/Refusal.h"
#include "core/EntryDates.h"
#include "core/TableCatalogue.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

enum Field { Table, Date, Description, UserID, Password, FieldCount };

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
};

struct FieldRule {
    const char* name;
    int limit;
};
constexpr FieldRule Rules[FieldCount] = {{"table name", EntrySchema::TableNameLimit},
                                         {"date", 10},
                                         {"description", EntrySchema::DescriptionLimit},
                                         {"user ID", EntrySchema::UserIDLimit},
                                         {"password", EntrySchema::PasswordLimit}};

std::optional<Field> FieldOf(const QString& header) {
    const QString name = header.trimmed().toLower();
    const auto alias = std::find_if(std::begin(Aliases), std::end(Aliases),
                                    [&](const Alias& alias) { return name == alias.header; });
    return alias == std::end(Aliases) ? std::nullopt : std::optional(alias->field);
}

// Why the windows would not take the text into the field; empty when they would.
QString FaultOf(Field field, const QString& text) {
    const FieldRule& rule = Rules[field];
    if (text.size() > rule.limit)
        return QString("the %1 is longer than %2 characters").arg(rule.name).arg(rule.limit);
    if (std::any_of(text.cbegin(), text.cend(),
                    [](QChar c) { return c.category() == QChar::Other_Control; }))
        return QString("the %1 holds a line break or another control character").arg(rule.name);
    if (field == Table && (text.contains('\'') || text.contains('"')))
        return "a table name cannot hold a quote";
    if (field == Date && !text.isEmpty() && !EntryDates::Read(text))
        return "the date \"" + text + "\" is not a date of the form m/d/yy";
    return {};
}

} // namespace

ImportPlan PlanImport(const QString& path, const QList<Csv::Record>& records,
                      const QString& table) {
    if (records.isEmpty())
        throw Refusal{path + " holds no header line. Nothing was imported."};
    const Csv::Record& header = records.first();
    ImportPlan plan;
    std::array<qsizetype, FieldCount> columns;
    columns.fill(-1);
    for (qsizetype column = 0; column < header.fields.size(); ++column) {
        const auto field = FieldOf(header.fields[column]);
        if (field && columns[*field] < 0)
            columns[*field] = column;
        else
            plan.ignoredColumns.append(header.fields[column]);
    }
    if (columns[Description] < 0 && columns[UserID] < 0 && columns[Password] < 0)
        Csv::RefuseLine(path, header.line,
                        "no column is a title or name, a user name or login, or a password, so "
                        "this is not a header line of an export of passwords");
    const auto read = [&](const Csv::Record& record, Field field) {
        const QString text = columns[field] < 0 ? QString() : record.fields[columns[field]];
        if (const QString fault = FaultOf(field, text); !fault.isEmpty())
            Csv::RefuseLine(path, record.line, fault);
        return text;
    };
    if (const QString fault = FaultOf(Table, table); !fault.isEmpty())
        throw UsageError{"--table: " + fault + "."};
    for (const Csv::Record& record : records.sliced(1)) {
        if (record.fields.size() != header.fields.size())
            Csv::RefuseLine(path, record.line,
                            QString("%1 fields where the header line has %2")
                                .arg(record.fields.size())
                                .arg(header.fields.size()));
        const QString group = table.isEmpty() ? read(record, Table).trimmed() : table;
        plan.entries.append({group.isEmpty() ? DefaultTable : group,
                             {read(record, Date), read(record, Description), read(record, UserID),
                              read(record, Password)}});
    }
    return plan;
}
