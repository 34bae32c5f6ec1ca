// How typed texts are read: blanks around them do not count.
#include "core/TextRules.h"

namespace TextRules {

QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == ' ')
        ++first;
    while (last > first && text[last - 1] == ' ')
        --last;
    return text.mid(first, last - first);
}

} // namespace TextRules
