// The real message boxes that the windows install as the program's way to speak.
#include "gui/MessageBoxOnScreen.h"

#include <QApplication>
#include <QMessageBox>

namespace MessageBoxes {
namespace {

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

} // namespace

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
    if (message.buttons == Buttons::OKCancel) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        return box.exec() == QMessageBox::Ok ? Answer::OK : Answer::Cancel;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::OK;
}

} // namespace MessageBoxes
