// Finds the help page beside the program or in the installed data folder, and opens it.
#include "gui/HelpPage.h"

#include "core/Environment.h"
#include "core/FileOperations.h"

#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace HelpPage {
namespace {

const QString PageName = QStringLiteral("help.htm");

Opener& CurrentOpener() {
    static Opener opener;
    return opener;
}

} // namespace

QString Locate() {
    const QString programFolder = Environment::ApplicationFolder();
    for (const QString& folder :
         {programFolder, programFolder + KETTERBY_DATA_FROM_PROGRAM + QDir::separator()}) {
        if (const QString path = QDir::cleanPath(folder + PageName);
            FileOperations::FileExists(path))
            return path;
    }
    return {};
}

void Open(const QString& path) {
    if (CurrentOpener())
        CurrentOpener()(path);
    else
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SetOpener(Opener opener) {
    CurrentOpener() = std::move(opener);
}

} // namespace HelpPage
