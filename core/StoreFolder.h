#pragma once

#include <QString>

// The folders stores go to: the user's own folder when none is typed, and the check that a
// folder can take a new store before anything is made in it.
namespace StoreFolder {

// The per-user data folder with the platform separator after it, made readable by its owner
// alone (mode 0700) when it does not exist yet.
QString Default();

// The warning that other users can change the folder, and so replace the stores in it; empty
// when they cannot.
QString OthersCanWriteWarning(const QString& folder);

// The message that refuses to create a file at the path, naming its folder and the system's
// reason (missing, not a folder, not writable); empty when the folder can take the file.
QString CreationRefusal(const QString& path);

} // namespace StoreFolder
