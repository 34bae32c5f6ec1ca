#pragma once

#include "core/CutBuffer.h"
#include "core/Session.h"

#include <memory>

class FlexGrid;
class QComboBox;
class QListWidget;
class QMenu;
class QTabWidget;

// The open store and the controls that show it: what a log-in fills, a log-out empties and
// the looks show or hide. The main window is one; the account dialog and the table commands
// are handed it, so nothing reaches the window through a global.
struct StoreView {
    virtual ~StoreView() = default;

    // Makes the controls below, if they are not made yet: at start-up the main window makes
    // them only once the account dialog is on screen.
    virtual void MakeControls() = 0;

    // The logged-in store, or none while logged out.
    std::unique_ptr<Session> session;
    // The entry last cut, kept across log-outs and log-ins.
    CutBuffer cutBuffer;

    QTabWidget* SSTab1 = nullptr;
    QMenu* mnuCommands = nullptr;
    FlexGrid* msgMSFlexGrid = nullptr;
    QComboBox* cmbCurrentTable = nullptr;
    QListWidget* TablesList = nullptr;
};
