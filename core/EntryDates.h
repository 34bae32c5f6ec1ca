#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Entries are dated as m/d/yy text: month and day without leading zeros, a two-digit year.
namespace EntryDates {

QString Format(const QDate& date);

// A stored date text as a calendar date; none when the text is not one.
std::optional<QDate> Read(const QString& text);

} // namespace EntryDates
