#pragma once

#include "core/Failure.h"

#include <QString>

#include <utility>

// Shows "Error [procedure]: number CR LF description" with the critical icon.
void ReportFailure(const QString& procedure, const Failure& failure);

// Every procedure that touches the store runs its body under one trap: a failure is reported
// under the procedure's name and the procedure ends, returning false.
template <class Body> bool Trap(const QString& procedure, Body&& body) {
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const Failure& failure) {
        ReportFailure(procedure, failure);
        return false;
    }
}
