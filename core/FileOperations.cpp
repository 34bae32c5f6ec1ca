// Plain file operations on literal paths, with private modes and durable replacements.
#include "core/FileOperations.h"

#include "core/Failure.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#else
#include <io.h>
#endif

namespace FileOperations {
namespace {

namespace fs = std::filesystem;

fs::path ToPath(const QString& path) {
    return fs::path(path.toStdU16String());
}

[[noreturn]] void Throw(const std::error_code& error) {
    throw Failure(error.value(), QString::fromLocal8Bit(error.message()));
}

void ThrowIfFailed(const std::error_code& error) {
    if (error)
        Throw(error);
}

[[noreturn]] void ThrowSystemError(int number) {
    Throw(std::error_code(number, std::generic_category()));
}

std::function<void(Step, const QString&)>& CurrentFaultPoint() {
    static std::function<void(Step, const QString&)> faultPoint;
    return faultPoint;
}

void ReachFaultPoint(Step step, const QString& path) {
    if (CurrentFaultPoint())
        CurrentFaultPoint()(step, path);
}

constexpr auto OwnerOnly = fs::perms::owner_read | fs::perms::owner_write;

// Written data survives a power cut only once the file is synced.
void SyncFile(const QString& path) {
    ReachFaultPoint(Step::Sync, path);
#ifndef Q_OS_WIN
    const int file = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    const auto sync = ::fsync;
    const auto close = ::close;
#else
    const int file = ::_wopen(reinterpret_cast<const wchar_t*>(path.utf16()), _O_RDWR | _O_BINARY);
    const auto sync = ::_commit;
    const auto close = ::_close;
#endif
    if (file < 0)
        ThrowSystemError(errno);
    const int synced = sync(file);
    const int error = errno;
    close(file);
    if (synced != 0)
        ThrowSystemError(error);
}

// A rename or a delete is durable only once the folder that holds the name is written out.
void SyncFolderOf(const QString& path) {
    ReachFaultPoint(Step::SyncFolder, path);
#ifndef Q_OS_WIN
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
#endif
}

void RenameWithoutReplacing(const QString& source, const QString& destination) {
#ifndef Q_OS_WIN
    const QByteArray from = QFile::encodeName(source);
    const QByteArray to = QFile::encodeName(destination);
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return;
    if (errno != EINVAL && errno != ENOSYS)
        ThrowSystemError(errno);
#endif
    // Where the file system cannot refuse in the rename itself: a hard link is made only where
    // nothing is, in one step, and the temporary name then goes.
    if (::link(from.constData(), to.constData()) != 0 || ::unlink(from.constData()) != 0)
        ThrowSystemError(errno);
#else
    // The C runtime's rename never replaces an existing file here.
    if (::_wrename(reinterpret_cast<const wchar_t*>(source.utf16()),
                   reinterpret_cast<const wchar_t*>(destination.utf16())) != 0)
        ThrowSystemError(errno);
#endif
}

} // namespace

bool FileExists(const QString& path) {
    std::error_code error;
    return !path.contains(QChar(0)) && fs::is_regular_file(ToPath(path), error);
}

bool IsSymbolicLink(const QString& path) {
    return QFileInfo(path).isSymLink();
}

QString ResolveLink(const QString& path) {
    if (!IsSymbolicLink(path))
        return path;
    const QString target = QFileInfo(path).canonicalFilePath();
    return target.isEmpty() ? path : target;
}

bool IsRegularOrAbsent(const QString& path) {
    std::error_code error;
    const fs::file_status status = fs::status(ToPath(path), error);
    return !path.contains(QChar(0)) &&
           (status.type() == fs::file_type::not_found || status.type() == fs::file_type::regular);
}

QByteArray ReadStart(const QString& path, int count) {
    if (!FileExists(path))
        return {};
#ifndef Q_OS_WIN
    // Checked again on the open file: something else may have taken the name meanwhile.
    const int file = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status {};
    QByteArray bytes(count, Qt::Uninitialized);
    const ssize_t read = file >= 0 && ::fstat(file, &status) == 0 && S_ISREG(status.st_mode)
                             ? ::read(file, bytes.data(), size_t(count))
                             : 0;
    if (file >= 0)
        ::close(file);
    bytes.resize(std::max<ssize_t>(read, 0));
    return bytes;
#else
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(count) : QByteArray();
#endif
}

void CreatePrivateFile(const QString& path) {
    ReachFaultPoint(Step::Create, path);
#ifndef Q_OS_WIN
    const int file = ::open(QFile::encodeName(path).constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (file < 0)
        ThrowSystemError(errno);
    ::close(file);
#else
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        throw Failure(file.error(), file.errorString());
#endif
}

void DeleteFile(const QString& path) {
    ReachFaultPoint(Step::Delete, path);
    std::error_code error;
    if (!fs::remove(ToPath(path), error) && !error)
        error = std::make_error_code(std::errc::no_such_file_or_directory);
    ThrowIfFailed(error);
    SyncFolderOf(path);
}

void DeleteIfPresent(const QString& path) {
    ReachFaultPoint(Step::Delete, path);
    std::error_code error;
    const bool removed = fs::remove(ToPath(path), error);
    ThrowIfFailed(error);
    if (removed)
        SyncFolderOf(path);
}

void CopyFile(const QString& source, const QString& destination) {
    ReachFaultPoint(Step::Write, destination);
    std::error_code error;
    fs::copy_file(ToPath(source), ToPath(destination), fs::copy_options::none, error);
    ThrowIfFailed(error);
    fs::permissions(ToPath(destination), OwnerOnly, error);
    ThrowIfFailed(error);
}

void CopyModifiedTime(const QString& source, const QString& destination) {
    ReachFaultPoint(Step::Write, destination);
    std::error_code error;
    const auto time = fs::last_write_time(ToPath(source), error);
    ThrowIfFailed(error);
    fs::last_write_time(ToPath(destination), time, error);
    ThrowIfFailed(error);
}

void ReplaceFile(const QString& source, const QString& destination) {
    SyncFile(source);
    ReachFaultPoint(Step::Rename, source);
    std::error_code error;
    fs::rename(ToPath(source), ToPath(destination), error);
    ThrowIfFailed(error);
    SyncFolderOf(destination);
}

void MoveWithoutReplacing(const QString& source, const QString& destination) {
    SyncFile(source);
    ReachFaultPoint(Step::Rename, source);
    RenameWithoutReplacing(source, destination);
    SyncFolderOf(destination);
}

void CreateLink(const QString& target, const QString& path) {
    ReachFaultPoint(Step::Create, path);
    std::error_code error;
    fs::create_symlink(ToPath(target), ToPath(path), error);
    ThrowIfFailed(error);
    SyncFolderOf(path);
}

QDate LastModifiedDate(const QString& path) {
    return QFileInfo(path).lastModified().date();
}

void SetFaultPoint(std::function<void(Step, const QString&)> faultPoint) {
    CurrentFaultPoint() = std::move(faultPoint);
}

} // namespace FileOperations
