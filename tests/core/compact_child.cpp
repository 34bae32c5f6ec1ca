// Compacts the store given on the command line again and again, until it is killed.
#include "app/MessageBoxes.h"
#include "store/StoreFiles.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 3)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString key = QString::fromLocal8Bit(argv[2]);
    MessageBoxes::SetResponder([](const MessageBoxes::Message& message) {
        std::fprintf(stderr, "%s\n", qPrintable(message.text));
        std::exit(1);
        return MessageBoxes::Answer::OK;
    });
    std::puts("ready");
    std::fflush(stdout);
    for (;;)
        Routines::CompactDatabase(path, Routines::CompactionPath(path), key, key);
}
