#pragma once

#include <QDate>
#include <QString>

#include <optional>

// Facts of the world the program reads: today's date and its own folder. Tests may pin both.
namespace Environment {

QDate Today();

// The folder of the program's executable followed by the platform separator.
QString ApplicationFolder();

void SetToday(std::optional<QDate> date);
void SetApplicationFolder(std::optional<QString> folder);

} // namespace Environment
