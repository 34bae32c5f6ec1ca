#pragma once

#include <QString>

// Where the core's messages go in a terminal: standard error, each line after the program's
// name. Nobody is there to answer a question, so every question is answered No.
namespace Messages {

void InstallResponder();

// Writes one message to standard error.
void Print(const QString& text);

// How many messages have been written so far.
int Count();

} // namespace Messages
