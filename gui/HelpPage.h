#pragma once

#include <QString>

#include <functional>

// The help page help.htm: where it lies, and opening it with the system's handler for HTML
// through a seam tests can replace.
namespace HelpPage {

// The page beside the program, else the one in the installed data folder (its place relative
// to the program, so a moved prefix still finds it); empty when neither exists.
QString Locate();

// Asks the system to open the page; whether it could is not examined.
void Open(const QString& path);

// Test seam: an empty function restores the system's handler.
using Opener = std::function<void(const QString& path)>;
void SetOpener(Opener opener);

} // namespace HelpPage
