#pragma once

#include <QString>

// The texts of one entry, in the order of the table's columns; its ID is its grid row.
struct Entry {
    QString date;
    QString description;
    QString userID;
    QString password;
};
