// Today's date, the program's folder and the user's data folder, which tests may pin.
#include "core/Environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace Environment {
namespace {
std::optional<QDate> pinnedToday;
std::optional<QString> pinnedFolder;
std::optional<QString> pinnedDataFolder;
} // namespace

QDate Today() {
    return pinnedToday.value_or(QDate::currentDate());
}

QString ApplicationFolder() {
    if (pinnedFolder)
        return *pinnedFolder;
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath() + "/");
}

QString DataFolder() {
    if (pinnedDataFolder)
        return *pinnedDataFolder;
    return QDir::toNativeSeparators(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/");
}

void SetToday(std::optional<QDate> date) {
    pinnedToday = date;
}
void SetApplicationFolder(std::optional<QString> folder) {
    pinnedFolder = std::move(folder);
}
void SetDataFolder(std::optional<QString> folder) {
    pinnedDataFolder = std::move(folder);
}

} // namespace Environment
