#pragma once

#include <QString>

// A secret, the account password first: typed at the terminal without echo, or the next line of
// standard input when that is not a terminal, so a script can pipe it in (and, line by line,
// the secrets after it). Never an argument or an environment variable, where other users of the
// machine can read it. Blanks around it are dropped, as the log-in's password box drops them.
QString ReadPassword();
