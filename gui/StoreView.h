#pragma once

#include "core/Session.h"

#include <memory>

// What the account dialog asks of the window that shows the open store. The dialog opens a
// store itself and hands it over; it never reaches into the window's controls.
class StoreView {
  public:
    // Closes the open store, if any, and shows the logged-out look.
    virtual void CloseStore() = 0;
    // Takes the store just opened and shows its "Default" table in the logged-in look.
    virtual void ShowStore(std::unique_ptr<Session> session) = 0;

  protected:
    ~StoreView() = default;
};
