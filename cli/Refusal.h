#pragma once

#include <QString>

// A command that cannot go on: the reason goes to standard error and the exit status is 1. An
// empty reason means the core has already told the user why.
struct Refusal {
    QString reason;
};

// A command line that does not fit the command: the exit status is 2.
struct UsageError {
    QString reason;
};
