#pragma once

#include <QString>

#include <functional>

// The help page help.htm, opened with the system's handler for HTML through a seam tests can
// replace.
namespace HelpPage {

// Opens the page beside the program, else the one in the installed data folder (its place
// relative to the program, so a moved prefix still finds it). Where neither exists, or nothing
// could open it, a message names the page's path.
void Show();

// Test seam: the opener says whether it could open the page; an empty function restores the
// system's handler.
using Opener = std::function<bool(const QString& path)>;
void SetOpener(Opener opener);

} // namespace HelpPage
