// Routes every message of the windows to whoever answers them.
#include "gui/MessageBoxes.h"

#include <cstdio>

namespace MessageBoxes {
namespace {

Responder& CurrentResponder() {
    static Responder responder;
    return responder;
}

// Without a window nobody can say Yes, so nothing that asks first goes ahead.
Answer WriteToStandardError(const Message& message) {
    std::fprintf(stderr, "%s\n", qPrintable(message.text));
    return message.buttons == Buttons::YesNo ? Answer::No : Answer::OK;
}

} // namespace

Answer Show(const QString& text, Icon icon, Buttons buttons, const QString& title) {
    const Message message{text, icon, buttons, title.isEmpty() ? ApplicationTitle : title};
    return CurrentResponder() ? CurrentResponder()(message) : WriteToStandardError(message);
}

bool Confirm(const QString& text) {
    return Show(text, Icon::Question, Buttons::YesNo, "Please confirm...") == Answer::Yes;
}

bool Tell(const Outcome& outcome, Buttons selectionButtons) {
    for (const Notice& notice : outcome.Notices()) {
        switch (notice.kind) {
        case Notice::Kind::Selection:
            Show(notice.text, Icon::Exclamation, selectionButtons);
            break;
        case Notice::Kind::Input:
            Show(notice.text, Icon::Information);
            break;
        case Notice::Kind::Failure:
            Show(notice.text, Icon::Critical);
            break;
        case Notice::Kind::Silent:
            break;
        }
    }
    return outcome.Done();
}

void SetResponder(Responder responder) {
    CurrentResponder() = std::move(responder);
}

} // namespace MessageBoxes
