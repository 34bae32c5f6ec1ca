// The yardstick for start-up: the least a Qt Widgets program does to show one dialog. It
// carries the account dialog's title, so the same search finds either on screen.
#include <QApplication>
#include <QDialog>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle("Accounts");
    dialog.show();
    return application.exec();
}
