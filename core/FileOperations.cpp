// Plain file operations on literal paths, with private modes and durable renames.
#include "core/FileOperations.h"

#include "core/ErrorTrap.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace FileOperations {
namespace {

namespace fs = std::filesystem;

fs::path ToPath(const QString& path) {
    return fs::path(path.toStdU16String());
}

void ThrowIfFailed(const std::error_code& error) {
    if (error)
        throw Failure(error.value(), QString::fromLocal8Bit(error.message()));
}

std::function<void()>& CurrentFaultPoint() {
    static std::function<void()> faultPoint;
    return faultPoint;
}

void ReachFaultPoint() {
    if (CurrentFaultPoint())
        CurrentFaultPoint()();
}

constexpr auto OwnerOnly = fs::perms::owner_read | fs::perms::owner_write;

// A rename is durable only once the folder that holds the name is written out.
void SyncFolderOf(const QString& path) {
#ifndef Q_OS_WIN
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
#else
    Q_UNUSED(path);
#endif
}

} // namespace

bool FileExists(const QString& path) {
    std::error_code error;
    return !path.contains(QChar(0)) && fs::is_regular_file(ToPath(path), error);
}

void CreatePrivateFile(const QString& path) {
    ReachFaultPoint();
#ifndef Q_OS_WIN
    const int file = ::open(QFile::encodeName(path).constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (file < 0)
        ThrowIfFailed(std::error_code(errno, std::generic_category()));
    ::close(file);
#else
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw Failure(file.error(), file.errorString());
#endif
}

void DeleteFile(const QString& path) {
    ReachFaultPoint();
    std::error_code error;
    if (!fs::remove(ToPath(path), error) && !error)
        error = std::make_error_code(std::errc::no_such_file_or_directory);
    ThrowIfFailed(error);
}

void DeleteIfPresent(const QString& path) {
    ReachFaultPoint();
    std::error_code error;
    fs::remove(ToPath(path), error);
    ThrowIfFailed(error);
}

void CopyFile(const QString& source, const QString& destination) {
    ReachFaultPoint();
    std::error_code error;
    fs::copy_file(ToPath(source), ToPath(destination), fs::copy_options::none, error);
    ThrowIfFailed(error);
    fs::permissions(ToPath(destination), OwnerOnly, error);
    ThrowIfFailed(error);
}

void ReplaceFile(const QString& source, const QString& destination) {
    ReachFaultPoint();
    std::error_code error;
    fs::rename(ToPath(source), ToPath(destination), error);
    ThrowIfFailed(error);
    SyncFolderOf(destination);
}

QDate LastModifiedDate(const QString& path) {
    return QFileInfo(path).lastModified().date();
}

void SetFaultPoint(std::function<void()> faultPoint) {
    CurrentFaultPoint() = std::move(faultPoint);
}

} // namespace FileOperations
