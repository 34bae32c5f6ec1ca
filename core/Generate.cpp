// The password generator: seven symbol tables, one rule from a draw to a symbol, and the draws.
#include "core/Generate.h"

#include <QRandomGenerator>

#include <cmath>
#include <vector>

namespace Generate {
namespace {

const QString Digits = QStringLiteral("0123456789");
const QString Capitals = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString SmallLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");

// 24 random bits over 2^24: uniform on 0 <= r < 1, and every value is exact in a float.
float ToDraw(quint32 word) {
    return float(word >> 8) / float(1 << 24);
}

// Every draw comes from the operating system's cryptographic source, so a password cannot be
// foretold from the moment it was made; that source needs no seed, least of all the clock. One
// request fetches the words for the whole batch.
QStringList Passwords(const QString& symbols, quint8 length, quint8 count) {
    std::vector<quint32> words(size_t(length) * count);
    QRandomGenerator::system()->fillRange(words.data(), qsizetype(words.size()));
    QStringList passwords;
    auto word = words.cbegin();
    for (int made = 0; made < count; ++made) {
        QString password;
        for (int drawn = 0; drawn < length; ++drawn)
            password += symbols.at(PickIndex(ToDraw(*word++), symbols.size()));
        passwords.append(password);
    }
    return passwords;
}

} // namespace

QStringList GenerateNumbers(quint8 length, quint8 count) {
    return Passwords(Digits, length, count);
}
QStringList GenerateLettersLowerCase(quint8 length, quint8 count) {
    return Passwords(SmallLetters, length, count);
}
QStringList GenerateLettersUpperCase(quint8 length, quint8 count) {
    return Passwords(Capitals, length, count);
}
QStringList GenerateLettersLowerUpperCase(quint8 length, quint8 count) {
    return Passwords(Capitals + SmallLetters, length, count);
}
QStringList GenerateLettersNumbersLowerCase(quint8 length, quint8 count) {
    return Passwords(Digits + SmallLetters, length, count);
}
QStringList GenerateLettersNumbersUpperCase(quint8 length, quint8 count) {
    return Passwords(Digits + Capitals, length, count);
}
QStringList GenerateLettersNumbersLowerUpperCase(quint8 length, quint8 count) {
    return Passwords(Digits + Capitals + SmallLetters, length, count);
}

QStringList GenerateFromSettings(const QString& passwordType, const QString& passwordCase,
                                 quint8 length, quint8 count) {
    struct Choice {
        const char* type;
        const char* letterCase; // none: digits have no case, so any case goes
        QStringList (*generator)(quint8, quint8);
    };
    static constexpr Choice Choices[] = {
        {"Numbers", nullptr, GenerateNumbers},
        {"Letters", "LowerCase", GenerateLettersLowerCase},
        {"Letters", "UpperCase", GenerateLettersUpperCase},
        {"Letters", "LowerUpperCase", GenerateLettersLowerUpperCase},
        {"LettersNumbers", "LowerCase", GenerateLettersNumbersLowerCase},
        {"LettersNumbers", "UpperCase", GenerateLettersNumbersUpperCase},
        {"LettersNumbers", "LowerUpperCase", GenerateLettersNumbersLowerUpperCase},
    };
    for (const Choice& choice : Choices)
        if (passwordType == QLatin1String(choice.type) &&
            (!choice.letterCase || passwordCase == QLatin1String(choice.letterCase)))
            return choice.generator(length, count);
    return {};
}

// The index is the nearest whole number to r * (symbols - 1), not r * symbols cut down, so the
// first and last symbols each cover half a unit and come up half as often as the others. This is
// kept on purpose: it is Ketterby's known behaviour, with known shares, and it costs little, at
// most 0.041 bits of a symbol's 3.32 (digits; 0.007 of 5.95 for the widest table). The product is
// exact in a double (a 24-bit draw times a small whole number), so a half is a true half, and the
// default rounding mode sends it to the even neighbour.
qsizetype PickIndex(float r, qsizetype symbols) {
    return qsizetype(std::nearbyint(double(r) * double(symbols - 1)));
}

} // namespace Generate
