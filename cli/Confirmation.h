#pragma once

#include <QCommandLineParser>
#include <QString>

// The question the windows ask before they delete, asked at the terminal: true when the answer
// is yes, or when --yes answered it beforehand. Without a terminal to ask at and without --yes,
// a Refusal: nothing is deleted unasked.
bool Confirm(const QCommandLineParser& line, const QString& question);
