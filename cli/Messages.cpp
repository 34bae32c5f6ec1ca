// The core's message boxes, written to standard error.
#include "cli/Messages.h"

#include "core/MessageBoxes.h"

#include <cstdio>

namespace Messages {
namespace {
int written = 0;
} // namespace

void InstallResponder() {
    MessageBoxes::SetResponder([](const MessageBoxes::Message& message) {
        Print(message.text);
        return message.buttons == MessageBoxes::Buttons::YesNo ? MessageBoxes::Answer::No
                                                               : MessageBoxes::Answer::OK;
    });
}

void Print(const QString& text) {
    QString lines = text;
    lines.replace(MessageBoxes::LineBreak, "\n");
    std::fprintf(stderr, "ketterby-cli: %s\n", lines.toUtf8().constData());
    ++written;
}

int Count() {
    return written;
}

} // namespace Messages
