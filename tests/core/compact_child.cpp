// Logs in to (or creates) the store given on the command line with the password, as the
// program does, and stops dead at the k-th file operation, as a crash or a kill would. Exit 3:
// stopped; 0: the log-in finished before operation k; 1: a message was shown.
// A new base path and password after k make it re-key or rename the store instead.
#include "core/FileOperations.h"
#include "core/MessageBoxes.h"
#include "core/StoreFiles.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 4 && argc != 6)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const StoreKey key = StoreKey::DeriveStoreKey(QString::fromLocal8Bit(argv[2]));
    const int stopAt = std::atoi(argv[3]);
    int reached = 0;
    FileOperations::SetFaultPoint([&](FileOperations::Step, const QString&) {
        if (++reached == stopAt)
            std::_Exit(3); // no destructor, no flush, no clean-up: as if killed
    });
    MessageBoxes::SetResponder([](const MessageBoxes::Message& message) {
        std::fprintf(stderr, "%s\n", qPrintable(message.text));
        std::_Exit(1);
        return MessageBoxes::Answer::OK;
    });
    if (argc == 6)
        DBFunctions::UpdateDatabase(path.chopped(4), key, QString::fromLocal8Bit(argv[4]),
                                    StoreKey::DeriveStoreKey(QString::fromLocal8Bit(argv[5])));
    return argc == 6 || DBFunctions::OpenSession(path, key) ? 0 : 1;
}
