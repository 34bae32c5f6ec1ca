// Which account names stand as one literal file name.
#include "core/AccountName.h"

namespace AccountName {

bool IsLiteralFileName(const QString& name) {
    if (name == "." || name == "..")
        return false;
    for (const QChar character : name) {
        if (character.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(character))
            return false;
    }
    return true;
}

} // namespace AccountName
