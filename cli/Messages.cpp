// The core's notices, written to standard error.
#include "cli/Messages.h"

#include <cstdio>

namespace Messages {

void Print(const QString& text) {
    QString lines = text;
    lines.replace(LineBreak, "\n");
    std::fprintf(stderr, "ketterby-cli: %s\n", lines.toUtf8().constData());
}

bool Tell(const Outcome& outcome) {
    for (const Notice& notice : outcome.Notices())
        Print(notice.text);
    return outcome.Done();
}

} // namespace Messages
