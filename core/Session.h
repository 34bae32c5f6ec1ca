#pragma once

#include "core/Engine.h"
#include "core/StoreKey.h"
#include "core/StoreLock.h"

#include <QString>

#include <memory>

// The logged-in store: its one open connection, and its lock while it is open. It exists only
// while a store is open, so a procedure that is handed one never meets a closed store.
class Session {
  public:
    // Opens the store with its key; throws a Failure when it cannot.
    Session(const QString& path, const StoreKey& key)
        : connection(std::make_unique<Engine::Connection>(path, key)) {}
    // Keeps a connection that is already open, and the lock that keeps others away from it.
    Session(std::unique_ptr<StoreLock> lock, std::unique_ptr<Engine::Connection> connection)
        : lock(std::move(lock)), connection(std::move(connection)) {}

    const Engine::Connection& Connection() const { return *connection; }

  private:
    std::unique_ptr<StoreLock> lock; // released after the connection closes
    std::unique_ptr<Engine::Connection> connection;
};
