#pragma once

#include "store/Engine.h"

#include <QString>

#include <memory>

// The process-wide state of the open store; reset only by CloseDatabase.
namespace Store {

// The one open connection to the logged-in store, or none.
inline std::unique_ptr<Engine::Connection> StoreConnection;

// The table shown in the entry grid.
inline QString CurrentTable;

inline const QString DefaultTable = QStringLiteral("Default");

// The open store, for procedures that need one; a failure when none is open.
const Engine::Connection& OpenStore();

} // namespace Store
