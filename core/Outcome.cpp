// The texts of the notices every part of the program gives alike.
#include "core/Outcome.h"

Notice FailureNotice(const QString& procedure, const Failure& failure) {
    return {Notice::Kind::Failure, "Error [" + procedure + "]: " + QString::number(failure.number) +
                                       LineBreak + failure.description};
}

Notice TooLong(int limit) {
    return {Notice::Kind::Input, "Value entered is too long." + LineBreak + "Maximum length is " +
                                     QString::number(limit) + " characters."};
}
