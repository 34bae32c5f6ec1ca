#include "store/StoreState.h"

#include "app/ErrorTrap.h"

namespace Store {

const Engine::Connection& OpenStore() {
    if (!StoreConnection)
        throw Failure(Engine::MisuseCode, "no store is open");
    return *StoreConnection;
}

} // namespace Store
