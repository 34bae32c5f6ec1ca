// The user's store folder, made private on first use, and the check of a folder for a new store.
#include "core/StoreFolder.h"

#include "core/Environment.h"
#include "core/Outcome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace StoreFolder {
namespace {

constexpr auto Private = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

// Every missing folder on the way is made private: a folder others can write lets them move
// the store folder away and put their own in its place.
void MakePrivatePath(const QString& folder) {
    const QString parent = QFileInfo(folder).path();
    if (parent != folder && !QFileInfo::exists(parent))
        MakePrivatePath(parent);
    QDir().mkdir(folder, Private);
}

} // namespace

QString OthersCanWriteWarning(const QString& folder) {
    const QFile::Permissions others = QFile::WriteGroup | QFile::WriteOther;
    if (!QFileInfo::exists(folder) || !(QFile::permissions(folder) & others))
        return {};
    return "Other users of this computer can change the folder " + folder + "," + LineBreak +
           "and so replace your stores. Make it yours alone (chmod 700).";
}

QString Default() {
    const QString folder = Environment::DataFolder();
    // A folder that cannot be made is named, with the reason, when a store is to be created.
    if (!QFileInfo::exists(folder))
        MakePrivatePath(QDir::cleanPath(folder));
    return folder;
}

QString CreationRefusal(const QString& path) {
    // With the separator after it, a file standing where the folder should be is "not a folder".
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath() + "/");
    const QByteArray name = QFile::encodeName(folder);
#ifdef O_TMPFILE
    // A file without a name tells whether the folder takes new files, where permissions alone
    // do not (an immutable folder, a read-only mount, the root user), and leaves nothing
    // behind even if the program dies meanwhile.
    const int probe = ::open(name.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (probe >= 0) {
        ::close(probe);
        return {};
    }
    const bool unanswered = errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL;
#else
    const bool unanswered = true;
#endif
    // Where the file system has no such files, the permissions are asked.
    if (unanswered && ::access(name.constData(), W_OK | X_OK) == 0)
        return {};
    const QString reason = QString::fromLocal8Bit(std::strerror(errno));
    return "Sorry, could not create this account in " + folder + LineBreak + reason;
}

} // namespace StoreFolder
