#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Facts of the world the program reads: today's date, its own folder and the user's data
// folder. Tests may pin each.
namespace Environment {

QDate Today();

// The folder of the program's executable followed by the platform separator.
QString ApplicationFolder();

// The per-user data folder (normally ~/.local/share/Ketterby/) followed by the platform
// separator, whether or not it exists yet.
QString DataFolder();

void SetToday(std::optional<QDate> date);
void SetApplicationFolder(std::optional<QString> folder);
void SetDataFolder(std::optional<QString> folder);

} // namespace Environment
