#pragma once

#include "core/Outcome.h"

#include <QString>

#include <utility>

// Where the core's notices go in a terminal: standard error, each line after the program's
// name.
namespace Messages {

// Writes one message to standard error.
void Print(const QString& text);

// Writes what the outcome tells, silent refusals too; true when it was done.
bool Tell(const Outcome& outcome);

// Runs a command's body; a failure it throws is told under the procedure's name.
template <class Body> bool Trap(const QString& procedure, Body&& body) {
    return Tell(Attempt(procedure, std::forward<Body>(body)));
}

} // namespace Messages
