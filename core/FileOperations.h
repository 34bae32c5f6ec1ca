#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <functional>

// Plain file operations on literal paths; each failure is thrown as a Failure carrying the
// system's error code and text.
namespace FileOperations {

// A normal file (not a folder) exists at the path, or a link leads to one.
bool FileExists(const QString& path);
// A symbolic link is at the path, whether or not it leads anywhere.
bool IsSymbolicLink(const QString& path);
// The file a symbolic link at the path finally leads to; the path itself when there is no
// link there or it leads nowhere.
QString ResolveLink(const QString& path);

// Nothing is at the path, or a regular file is once links are followed: anything else (a
// folder, a FIFO, a device) is no store file and is never opened.
bool IsRegularOrAbsent(const QString& path);
// The first bytes of a regular file, at most count; none for anything else. Never waits on
// the file, as opening a FIFO for reading would.
QByteArray ReadStart(const QString& path, int count);

// Creates an empty file readable and writable by its owner only; fails if anything is there.
void CreatePrivateFile(const QString& path);

// Deletes the file for good: the folder is written out, so a power cut cannot bring it back.
void DeleteFile(const QString& path);
// Deletes the file if there is one, as durably.
void DeleteIfPresent(const QString& path);
// Copies to a destination that must not exist yet; the copy is private to the owner.
void CopyFile(const QString& source, const QString& destination);
// Gives the destination the source's last-modified time.
void CopyModifiedTime(const QString& source, const QString& destination);
// Puts the source in the destination's place in one atomic step and makes it durable: the
// source is synced before the rename and the folder after it. Whatever is at the destination,
// a symbolic link too, is replaced, never followed.
void ReplaceFile(const QString& source, const QString& destination);
// The same, but refuses ("File exists") when anything is at the destination.
void MoveWithoutReplacing(const QString& source, const QString& destination);
// Makes a symbolic link at the path that leads to the target, durably; refuses ("File exists")
// when anything is at the path.
void CreateLink(const QString& target, const QString& path);

QDate LastModifiedDate(const QString& path);

// For tests only: runs before every step that changes a file or makes a change durable, so a
// crash test can stop the program at each step in turn and an order test can record them.
// An empty function removes it.
enum class Step { Create, Write, Sync, Rename, SyncFolder, Delete };
void SetFaultPoint(std::function<void(Step step, const QString& path)> faultPoint);

} // namespace FileOperations
