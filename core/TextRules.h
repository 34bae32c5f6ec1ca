#pragma once

#include <QString>

// How a typed text is read, alike in a window's box and on a command line.
namespace TextRules {

// The text with its leading and trailing blanks removed, as every box is read.
QString TrimBlanks(const QString& text);

} // namespace TextRules
