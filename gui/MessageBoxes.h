#pragma once

#include "core/Outcome.h"

#include <QString>

#include <functional>
#include <utility>

// The one way the windows speak to the user: a message with an icon and buttons, or a
// question. The program installs real message boxes, tests a recorder; until one is
// installed, messages go to standard error and questions are answered No.
namespace MessageBoxes {

inline const QString ApplicationTitle = QStringLiteral("Ketterby");

enum class Icon { Critical, Question, Exclamation, Information };
// The first button is the default one.
enum class Buttons { OK, OKCancel, YesNo };
enum class Answer { OK, Cancel, Yes, No };

struct Message {
    QString text;
    Icon icon;
    Buttons buttons;
    QString title;
};

using Responder = std::function<Answer(const Message&)>;

// An empty title shows the application's title.
Answer Show(const QString& text, Icon icon, Buttons buttons = Buttons::OK,
            const QString& title = {});

// Asks under "Please confirm..." with Yes as the default; true only for Yes.
bool Confirm(const QString& text);

// Shows what the outcome tells, in order: a refused selection with the exclamation icon and
// the given buttons, a refused input with the information icon, a failure with the critical
// icon; a silent refusal shows nothing. True when the outcome was done.
bool Tell(const Outcome& outcome, Buttons selectionButtons = Buttons::OK);

// Runs a window procedure's body; a failure it throws is shown under the procedure's name.
template <class Body> bool Trap(const QString& procedure, Body&& body) {
    return Tell(Attempt(procedure, std::forward<Body>(body)));
}

// Replaces whoever answers messages; an empty responder restores standard error.
void SetResponder(Responder responder);

} // namespace MessageBoxes
