#pragma once

#include <QString>

#include <utility>

// The account password: typed at the terminal without echo, or the first line of standard input
// when that is not a terminal, so a script can pipe it in. Never an argument or an environment
// variable, where other users of the machine can read it. Blanks around it are dropped, as the
// log-in's password box drops them.
QString ReadPassword(const QString& prompt = QStringLiteral("Password: "));

// Whether the values are typed at a terminal rather than read from a pipe.
bool FromTerminal();

// A value after the account password: typed at the terminal under the prompt, without echo
// when it is a secret, or the next line of standard input. Blanks around it are dropped.
QString ReadValue(const QString& prompt, bool secret);

// A new password and its confirmation: typed twice at the terminal without echo, under the two
// prompts, or the next line of standard input, which stands for both.
std::pair<QString, QString> ReadNewPassword(const QString& prompt, const QString& again);
