#pragma once

// What a program linked with this counts inside its own process: the syncs that reach the disk,
// SQLCipher's key derivations (each a PBKDF2 run of thousands of iterations) and the SQL
// statements the program prepares.
namespace Counters {

struct Counts {
    long syncs = 0;
    long keyDerivations = 0;
    long statements = 0;
};

Counts Now();

} // namespace Counters
