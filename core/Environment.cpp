// Today's date and the program's folder, which tests may pin.
#include "core/Environment.h"

#include <QCoreApplication>
#include <QDir>

namespace Environment {
namespace {
std::optional<QDate> pinnedToday;
std::optional<QString> pinnedFolder;
} // namespace

QDate Today() {
    return pinnedToday.value_or(QDate::currentDate());
}

QString ApplicationFolder() {
    if (pinnedFolder)
        return *pinnedFolder;
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/");
}

void SetToday(std::optional<QDate> date) {
    pinnedToday = date;
}
void SetApplicationFolder(std::optional<QString> folder) {
    pinnedFolder = std::move(folder);
}

} // namespace Environment
