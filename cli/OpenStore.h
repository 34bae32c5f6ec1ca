#pragma once

#include "core/Session.h"

#include <QString>

#include <memory>

enum class Access { Read, Change };

// A STORE argument as a path: itself when it names a folder or ends in ".mdb", else the store
// of that account in the user's data folder, where the windows look when the folder box is
// empty.
QString StorePath(const QString& argument);

// Opens the store as a log-in does: asks for the password, checks that the store opens with
// its key, takes the lock and checks the shape. To read, nothing in its folder is written; to
// change it, the log-in's compaction and backup come first. Throws a Refusal when it cannot.
std::unique_ptr<Session> OpenStore(const QString& argument, Access access);
