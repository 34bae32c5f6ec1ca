#pragma once

#include <QString>

// The account password: typed at the terminal without echo, or the first line of standard input
// when that is not a terminal, so a script can pipe it in. Never an argument or an environment
// variable, where other users of the machine can read it. Blanks around it are dropped, as the
// log-in's password box drops them.
QString ReadPassword();
