// Routes every message of the program to whoever answers them.
#include "core/MessageBoxes.h"

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

QString TooLong(int limit) {
    return "Value entered is too long." + LineBreak + "Maximum length is " +
           QString::number(limit) + " characters.";
}

void ShowTooLong(int limit) {
    Show(TooLong(limit), Icon::Information);
}

void SetResponder(Responder responder) {
    CurrentResponder() = std::move(responder);
}

} // namespace MessageBoxes
