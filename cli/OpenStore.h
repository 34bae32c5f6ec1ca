#pragma once

#include "core/Session.h"

#include <QString>

#include <memory>

// What opening a store writes into its folder: nothing to read it, nor to make one change that
// is written in one transaction, so a refused change leaves the folder as it was; for a change
// of many entries (an import), the log-in's compaction and backup first.
enum class Access { Read, Write, Change };

// An account as both front ends name it: its name and the folder its store is in.
struct Account {
    QString name;
    QString folder;
};

// A STORE argument as an account: a path to a store file (with "/" or ending in ".mdb") as
// its folder and name, else an account name in the user's data folder, where the windows look
// when the folder box is empty.
Account AccountOf(const QString& argument);

// Opens the store as a log-in does, after asking for the password. Throws a Refusal, after
// telling why, when it cannot.
std::unique_ptr<Session> OpenStore(const QString& argument, Access access);

// The table a TABLE argument names in any letter case, as the store spells it; a Refusal when
// there is none.
QString TableNamed(const Session& session, const QString& argument);
