// Finds the help page beside the program or in the installed data folder, and opens it.
#include "gui/HelpPage.h"

#include "core/Environment.h"
#include "core/FileOperations.h"
#include "gui/MessageBoxes.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

#include <algorithm>

namespace HelpPage {
namespace {

const QString PageName = QStringLiteral("help.htm");

Opener& CurrentOpener() {
    static Opener opener;
    return opener;
}

// Where the page may lie, the installed place last.
QStringList Places() {
    const QString programFolder = Environment::ApplicationFolder();
    return {
        QDir::cleanPath(programFolder + PageName),
        QDir::cleanPath(programFolder + KETTERBY_DATA_FROM_PROGRAM + QDir::separator() + PageName)};
}

// Without a launcher (xdg-open) the system's handler opens nothing and says so only on
// standard error.
bool Open(const QString& path) {
    return CurrentOpener() ? CurrentOpener()(path)
                           : QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void Inform(const QString& text, const QString& path) {
    MessageBoxes::Show(text + LineBreak + path, MessageBoxes::Icon::Information);
}

} // namespace

void Show() {
    const QStringList places = Places();
    const auto page = std::find_if(places.begin(), places.end(), FileOperations::FileExists);
    if (page == places.end())
        Inform("The help page could not be found:", places.last());
    else if (!Open(*page))
        Inform("No program could open the help page. Open it in a web browser:", *page);
}

void SetOpener(Opener opener) {
    CurrentOpener() = std::move(opener);
}

} // namespace HelpPage
