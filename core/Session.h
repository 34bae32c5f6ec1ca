#pragma once

#include "core/Engine.h"
#include "core/StoreKey.h"
#include "core/StoreLock.h"

#include <QString>

#include <memory>

inline const QString DefaultTable = QStringLiteral("Default");

// The logged-in store: its one open connection and the table shown. It exists only while a
// store is open, so a procedure that is handed one never meets a closed store.
class Session {
  public:
    // Opens the store with its key and keeps its lock, if given, while open; throws a Failure
    // when it cannot.
    Session(const QString& path, const StoreKey& key, std::unique_ptr<StoreLock> lock = nullptr)
        : lock(std::move(lock)), connection(path, key) {}

    const Engine::Connection& Connection() const { return connection; }

    // The table shown in the entry grid.
    QString CurrentTable = DefaultTable;

  private:
    std::unique_ptr<StoreLock> lock; // released after the connection closes
    Engine::Connection connection;
};
