#pragma once

#include <QString>

class QLineEdit;

namespace FormRoutines {

// Cancels a typed apostrophe or double quote: the code becomes 0, any other code stays.
void FilterQuotes(int& keyAscii);

// Runs FilterQuotes on every character typed into the box; pasted text is not filtered.
void InstallQuoteFilter(QLineEdit* box);

// The text with its leading and trailing blanks removed, as every box is read.
QString TrimBlanks(const QString& text);

} // namespace FormRoutines
