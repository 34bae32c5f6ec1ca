#pragma once

#include "core/Session.h"

#include <QString>

#include <memory>

enum class Access { Read, Change };

// An account as both front ends name it: its name and the folder its store is in.
struct Account {
    QString name;
    QString folder;
};

// A STORE argument as an account: a path to a store file (with "/" or ending in ".mdb") as
// its folder and name, else an account name in the user's data folder, where the windows look
// when the folder box is empty.
Account AccountOf(const QString& argument);

// Opens the store as a log-in does, after asking for the password. To read, nothing in its
// folder is written; to change it, the log-in's compaction and backup come first. Throws a
// Refusal, after telling why, when it cannot.
std::unique_ptr<Session> OpenStore(const QString& argument, Access access);
