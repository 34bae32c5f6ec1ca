// The one way modal dialogs and the folder picker are shown.
#include "gui/Dialogs.h"

#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

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

// Watches a dialog for its first drawing, then goes.
class FirstPaint : public QObject {
  public:
    FirstPaint(QDialog& dialog, std::function<void()> step)
        : QObject(&dialog), step(std::move(step)) {
        dialog.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            // Queued, the step runs after this drawing is done and sent to the screen.
            QTimer::singleShot(0, watched, std::move(step));
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

  private:
    std::function<void()> step;
};

} // namespace

void AfterFirstPaint(QDialog& dialog, std::function<void()> step) {
    new FirstPaint(dialog, std::move(step));
}

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
