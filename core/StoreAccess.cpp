// Opening an existing store to read it: the lock and the shape check of a log-in, no writing.
#include "core/StoreAccess.h"

#include "core/ErrorTrap.h"
#include "core/FileOperations.h"
#include "core/StoreFiles.h"

#include <QFileInfo>

namespace DBFunctions {

bool CanOpenStore(const QString& path, const QString& key) {
    if (!FileOperations::FileExists(path))
        return false;
    try {
        const Engine::Connection probe(path, key); // a wrong key fails here, at the first read
        return true;
    } catch (const Failure&) {
        return false;
    }
}

std::unique_ptr<Session> OpenWithoutWriting(const QString& path, const QString& key) {
    std::unique_ptr<Session> session;
    Trap("SetupDatabase", [&] {
        // The lock goes on the file a link leads to, as a log-in takes it.
        const QString store = FileOperations::ResolveLink(path);
        auto lock = StoreLock::Take(store, QFileInfo(path).completeBaseName());
        if (lock)
            session = std::make_unique<Session>(store, key, std::move(lock));
    });
    if (session && !ValidateDatabase(session->Connection()))
        session.reset();
    return session;
}

} // namespace DBFunctions
