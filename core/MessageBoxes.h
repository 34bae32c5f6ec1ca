#pragma once

#include <QString>

#include <functional>

// The one way the program speaks to the user: a message with an icon and buttons, or a
// question. The windows install real message boxes, tests a recorder; until one is
// installed, messages go to standard error and questions are answered No.
namespace MessageBoxes {

inline const QString LineBreak = QStringLiteral("\r\n");
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

// "Value entered is too long." CR LF "Maximum length is N characters." (information icon).
void ShowTooLong(int limit);
// The text of that message.
QString TooLong(int limit);

// Replaces whoever answers messages; an empty responder restores standard error.
void SetResponder(Responder responder);

} // namespace MessageBoxes
