// The command line's numbers and the generator's settings, read alike by every command.
#include "cli/Arguments.h"

#include "cli/Refusal.h"
#include "core/Generate.h"

#include <QHash>

namespace Arguments {

int ReadNumber(const QString& text, int least, int most, const QString& what) {
    bool number = false;
    const int value = text.toInt(&number);
    if (!number || value < least || value > most)
        throw UsageError{
            QString("%1 is a whole number from %2 to %3.").arg(what).arg(least).arg(most)};
    return value;
}

qint16 ReadRow(const QString& text) {
    return qint16(ReadNumber(text, 1, 32767, "ROW"));
}

QList<QCommandLineOption> GeneratorOptions() {
    return {{"class", "The characters: letters, numbers or both (default).", "CLASS", "both"},
            {"case", "The letters' case: lower, upper or both (default).", "CASE", "both"},
            {"length", "Each password's length, 6 to 25 (default 10).", "N", "10"}};
}

QStringList GeneratePasswords(const QCommandLineParser& line, int count) {
    static const QHash<QString, QString> Classes = {
        {"letters", "Letters"}, {"numbers", "Numbers"}, {"both", "LettersNumbers"}};
    static const QHash<QString, QString> Cases = {
        {"lower", "LowerCase"}, {"upper", "UpperCase"}, {"both", "LowerUpperCase"}};
    const QString type = Classes.value(line.value("class"));
    const QString letterCase = Cases.value(line.value("case"));
    if (type.isEmpty() || letterCase.isEmpty())
        throw UsageError{"--class is letters, numbers or both; --case is lower, upper or both."};
    const int length = ReadNumber(line.value("length"), 6, 25, "--length");
    return Generate::GenerateFromSettings(type, letterCase, quint8(length), quint8(count));
}

} // namespace Arguments
