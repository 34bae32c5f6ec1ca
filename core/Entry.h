#pragma once

#include <QString>
#include <QStringList>

// The texts of one entry, in the order of the table's columns; its ID is its place in the
// table, counted from 1.
struct Entry {
    QString date;
    QString description;
    QString userID;
    QString password;
};

// The entry schema: the one place that names a table's columns and the limits of its texts.
namespace EntrySchema {

// Every table has these columns, in this order; the ID is the entry's place in its table.
inline const QStringList Columns = {"Date", "Description", "User ID", "Password", "ID"};

// The fields a user can change, in the order the store keeps them.
enum class Field { Description, UserID, Password };

// The column that holds the field.
inline QString ColumnOf(Field field) {
    return Columns[int(field) + 1];
}

// Limits count the characters of a text as typed, blanks around it trimmed, before any
// quoting. A store holds passwords of up to 100 characters, as an edit in place writes them;
// the New Entry dialog takes 50.
inline constexpr int DescriptionLimit = 100;
inline constexpr int UserIDLimit = 50;
inline constexpr int PasswordLimit = 100;
inline constexpr int NewPasswordLimit = 50;
inline constexpr int TableNameLimit = 50;

// A table takes no entry beyond this many from New or an import.
inline constexpr qint16 EntryLimit = 99;

// The longest text a store takes into the field.
inline int Limit(Field field) {
    constexpr int limits[] = {DescriptionLimit, UserIDLimit, PasswordLimit};
    return limits[int(field)];
}

// The longest text the New Entry dialog takes into the field.
inline int NewEntryLimit(Field field) {
    return field == Field::Password ? NewPasswordLimit : Limit(field);
}

} // namespace EntrySchema
