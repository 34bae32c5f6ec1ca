#include "store/StoreState.h"

#include "app/ErrorTrap.h"

#include <sqlcipher/sqlite3.h>

namespace Store {

const Engine::Connection& OpenStore() {
    if (!StoreConnection)
        throw Failure(SQLITE_MISUSE, "no store is open");
    return *StoreConnection;
}

} // namespace Store
