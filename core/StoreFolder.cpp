// The user's store folder, made private on first use, and the check of a folder for a new store.
#include "core/StoreFolder.h"

#include "core/Environment.h"
#include "core/MessageBoxes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace StoreFolder {

QString Default() {
    const QString folder = Environment::DataFolder();
    // A folder that cannot be made is named, with the reason, when a store is to be created.
    if (!QFileInfo::exists(folder)) {
        QDir().mkpath(QFileInfo(QDir::cleanPath(folder)).path());
        QDir().mkdir(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    return folder;
}

QString CreationRefusal(const QString& path) {
    // With the separator after it, a file standing where the folder should be is "not a folder".
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath() + "/");
    // Asked of the system rather than found out by creating, so a refusal leaves nothing behind.
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0)
        return {};
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    return "Sorry, could not create this account in " + folder + MessageBoxes::LineBreak + reason;
}

} // namespace StoreFolder
