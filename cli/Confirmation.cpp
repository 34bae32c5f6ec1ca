// The windows' Yes/No question before a deletion, asked at the terminal.
#include "cli/Confirmation.h"

#include "cli/PasswordInput.h"
#include "cli/Refusal.h"
#include "core/Outcome.h"

bool Confirm(const QCommandLineParser& line, const QString& question) {
    if (line.isSet("yes"))
        return true;
    if (!FromTerminal())
        throw Refusal{"There is no terminal to ask at, so nothing was deleted; --yes deletes "
                      "without asking."};
    const QString answer = ReadValue(QString(question).replace(LineBreak, "\n") + " [y/N] ", false);
    return answer.compare("y", Qt::CaseInsensitive) == 0 ||
           answer.compare("yes", Qt::CaseInsensitive) == 0;
}
