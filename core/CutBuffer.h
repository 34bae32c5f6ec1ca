#pragma once

#include "core/Entry.h"

// The one entry that Cut took out of its table, until Paste puts it back. It lives for the
// whole run: changing the table, logging out and logging in leave it as it is.
struct CutBuffer {
    QString sourceTable;
    Entry entry;
    qint16 id = 0;
    bool full = false;
};
