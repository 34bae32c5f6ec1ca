#pragma once

#include <QDate>
#include <QString>

#include <functional>

// Plain file operations on literal paths; each failure is thrown as a Failure carrying the
// system's error code and text.
namespace FileOperations {

// A normal file (not a folder) exists at the path.
bool FileExists(const QString& path);

// Creates an empty file readable and writable by its owner only; fails if anything is there.
void CreatePrivateFile(const QString& path);

void DeleteFile(const QString& path);
// Deletes the file if there is one.
void DeleteIfPresent(const QString& path);
// Copies to a destination that must not exist yet; the copy is private to the owner.
void CopyFile(const QString& source, const QString& destination);
// Replaces the destination in one atomic step and makes the change durable.
void ReplaceFile(const QString& source, const QString& destination);

QDate LastModifiedDate(const QString& path);

// For crash tests only: runs before every operation that changes a file, so a test can stop
// the program at each step in turn. An empty function removes it.
void SetFaultPoint(std::function<void()> faultPoint);

} // namespace FileOperations
