#pragma once

#include <QString>

#include <functional>
#include <optional>

class QDialog;

// Modal dialogs and the folder picker are shown through here, so tests can drive them.
namespace Dialogs {

using Driver = std::function<void(QDialog&)>;

// Shows the dialog modally and returns when it has closed.
void ShowModal(QDialog& dialog);

// Runs the step once the dialog has first been drawn and that drawing has reached the screen;
// never, if the dialog goes before it is drawn.
void AfterFirstPaint(QDialog& dialog, std::function<void()> step);

struct FolderRequest {
    QString title;
    QString startFolder;
    QString filter; // empty: pick a folder itself; otherwise pick a file of this filter
};

// The chosen folder with a trailing separator, or nothing when the picker was cancelled.
using FolderPicker = std::function<std::optional<QString>(const FolderRequest&)>;
std::optional<QString> PickFolder(const FolderRequest& request);

// Test seams: an empty function restores the real behaviour. A driver that returns with the
// dialog still open closes it as the window's close box would.
void SetDriver(Driver driver);
void SetFolderPicker(FolderPicker picker);

} // namespace Dialogs
