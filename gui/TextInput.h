#pragma once

#include "core/TextRules.h"

#include <QString>

class QLineEdit;

namespace TextInput {

// Cancels a typed apostrophe or double quote: the code becomes 0, any other code stays.
void FilterQuotes(int& keyAscii);

// Runs FilterQuotes on every character typed into the box; pasted text is not filtered.
void InstallQuoteFilter(QLineEdit* box);

// Every box is read by the rule the terminal reads its texts by.
using TextRules::TrimBlanks;

} // namespace TextInput
