#include "app/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace MessageBoxes {
namespace {

Responder& CurrentResponder() {
    static Responder responder;
    return responder;
}

QMessageBox::Icon ToQtIcon(Icon icon) {
    switch (icon) {
    case Icon::Critical:
        return QMessageBox::Critical;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

Answer ShowOnScreen(const Message& message) {
    QString shown = message.text;
    shown.replace(LineBreak, "\n");
    QMessageBox box(ToQtIcon(message.icon), message.title, shown, QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    if (message.buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::OK;
}

} // namespace

Answer Show(const QString& text, Icon icon, Buttons buttons, const QString& title) {
    const Message message{text, icon, buttons, title.isEmpty() ? ApplicationTitle : title};
    return CurrentResponder() ? CurrentResponder()(message) : ShowOnScreen(message);
}

bool Confirm(const QString& text) {
    return Show(text, Icon::Question, Buttons::YesNo, "Please confirm...") == Answer::Yes;
}

void ShowTooLong(int limit) {
    Show("Value entered is too long." + LineBreak + "Maximum length is " + QString::number(limit) +
             " characters.",
         Icon::Information);
}

void SetResponder(Responder responder) {
    CurrentResponder() = std::move(responder);
}

} // namespace MessageBoxes
