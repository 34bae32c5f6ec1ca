#pragma once

// Makes every combo box of the program tell a screen reader its accessible name as its name,
// and its current text as its value and as its text, with its items as children. Qt's own
// interface on Linux gives the current text as the name, so a chooser would say "10" or
// "Default" and never what it chooses. Call before the first combo box is made; a second call
// does nothing.
void InstallAccessibleComboBoxes();
