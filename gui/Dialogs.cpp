// The one way modal dialogs and the folder picker are shown.
#include "gui/Dialogs.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace Dialogs {
namespace {

Driver& CurrentDriver() {
    static Driver driver;
    return driver;
}

FolderPicker& CurrentPicker() {
    static FolderPicker picker;
    return picker;
}

std::optional<QString> PickOnScreen(const FolderRequest& request) {
    QFileDialog dialog(nullptr, request.title, request.startFolder, request.filter);
    dialog.setFileMode(request.filter.isEmpty() ? QFileDialog::Directory
                                                : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    const QString folder =
        request.filter.isEmpty() ? chosen.absoluteFilePath() : chosen.absolutePath();
    return QDir::toNativeSeparators(folder + "/");
}

} // namespace

void ShowModal(QDialog& dialog) {
    if (!CurrentDriver()) {
        dialog.exec();
        return;
    }
    dialog.show();
    CurrentDriver()(dialog);
    if (dialog.isVisible())
        dialog.close();
}

std::optional<QString> PickFolder(const FolderRequest& request) {
    return CurrentPicker() ? CurrentPicker()(request) : PickOnScreen(request);
}

void SetDriver(Driver driver) {
    CurrentDriver() = std::move(driver);
}
void SetFolderPicker(FolderPicker picker) {
    CurrentPicker() = std::move(picker);
}

} // namespace Dialogs
