#pragma once

#include "gui/MessageBoxes.h"

namespace MessageBoxes {

// Shows the message as a modal box over the active window and returns the button pressed.
Answer ShowOnScreen(const Message& message);

} // namespace MessageBoxes
