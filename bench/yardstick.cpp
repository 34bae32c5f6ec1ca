// The yardstick for start-up: the least a Qt Widgets program does to show one dialog. It
// carries the account dialog's title, so the same search finds either on screen. Given the
// argument "text", the dialog shows one line of text as well: what the first text costs.
#include <QApplication>
#include <QDialog>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle("Accounts");
    if (argc > 1 && QByteArray(argv[1]) == "text")
        new QLabel("Account Name:", &dialog);
    dialog.show();
    return application.exec();
}
