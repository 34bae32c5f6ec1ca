#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The password generator: one generator per pair of character class and letter case, each
// drawing from its own ordered symbol table. A generator returns `count` passwords of `length`
// symbols; the main window puts them into its list.
namespace Generate {

QStringList GenerateNumbers(quint8 length, quint8 count);
QStringList GenerateLettersLowerCase(quint8 length, quint8 count);
QStringList GenerateLettersUpperCase(quint8 length, quint8 count);
QStringList GenerateLettersLowerUpperCase(quint8 length, quint8 count);
QStringList GenerateLettersNumbersLowerCase(quint8 length, quint8 count);
QStringList GenerateLettersNumbersUpperCase(quint8 length, quint8 count);
QStringList GenerateLettersNumbersLowerUpperCase(quint8 length, quint8 count);

// Runs the generator that the settings `PasswordType` and `PasswordCase` name, compared exactly:
// "Numbers" whatever the case, else "Letters" or "LettersNumbers" with "LowerCase", "UpperCase"
// or "LowerUpperCase". Settings that name no generator give no passwords.
QStringList GenerateFromSettings(const QString& passwordType, const QString& passwordCase,
                                 quint8 length, quint8 count);

// The index that a draw 0 <= r < 1 picks in a table of `symbols` symbols: the nearest whole
// number to r * (symbols - 1), an exact half going to the even neighbour.
qsizetype PickIndex(float r, qsizetype symbols);

} // namespace Generate
