#pragma once

#include <QString>

// The texts of one entry, in the order of the table's columns; its ID is its grid row.
struct Entry {
    QString date;
    QString description;
    QString userID;
    QString password;
};

// The longest texts the New Entry dialog takes into an entry, in characters.
namespace EntryLimits {
inline constexpr int Description = 100;
inline constexpr int UserID = 50;
inline constexpr int Password = 50;
// A stored password can be longer: the in-place edit takes this many.
inline constexpr int StoredPassword = 100;
// The longest table name the windows take.
inline constexpr int TableName = 50;
} // namespace EntryLimits
