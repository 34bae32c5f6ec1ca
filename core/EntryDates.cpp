// The m/d/yy dates of entries: written for new entries, read back as calendar dates.
#include "core/EntryDates.h"

#include <QRegularExpression>

namespace EntryDates {
namespace {

// Two-digit years are read in the window 1950-2049: 00-49 are 2000-2049, 50-99 are
// 1950-1999. Stores written since the 1990s read as they were meant, and dates written today
// keep their order for another quarter century. A four-digit year is taken as it stands.
constexpr int WindowStart = 1950;

} // namespace

QString Format(const QDate& date) {
    return date.toString("M/d/yy");
}

std::optional<QDate> Read(const QString& text) {
    static const QRegularExpression pattern(R"(^(\d{1,2})/(\d{1,2})/(\d{2}|\d{4})$)");
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    int year = match.captured(3).toInt();
    if (match.capturedLength(3) == 2)
        year += year < WindowStart % 100 ? 2000 : 1900;
    const QDate date(year, match.captured(1).toInt(), match.captured(2).toInt());
    return date.isValid() ? std::optional(date) : std::nullopt;
}

} // namespace EntryDates
