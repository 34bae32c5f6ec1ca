// The password generator: the table each pair of settings draws from, at which shares and in
// batches of which size, and the rule that turns a draw into a symbol.
#include "core/Generate.h"

#include <QHash>
#include <QTest>

#include <cmath>

class GenerateTest : public QObject {
    Q_OBJECT

    static void AddPair(const char* type, const char* letterCase, const QString& table) {
        QTest::addRow("%s %s", type, letterCase) << QString(type) << QString(letterCase) << table;
    }

  private slots:
    void drawsItsTableAtItsShares_data() {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("letterCase");
        QTest::addColumn<QString>("table"); // in order; empty when the settings name no generator
        const QString digits = "0123456789", capitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
        const QString small = capitals.toLower();
        for (const char* letterCase : {"LowerCase", "UpperCase", "LowerUpperCase", "Mixed"})
            AddPair("Numbers", letterCase, digits);
        AddPair("Letters", "LowerCase", small);
        AddPair("Letters", "UpperCase", capitals);
        AddPair("Letters", "LowerUpperCase", capitals + small);
        AddPair("LettersNumbers", "LowerCase", digits + small);
        AddPair("LettersNumbers", "UpperCase", digits + capitals);
        AddPair("LettersNumbers", "LowerUpperCase", digits + capitals + small);
        AddPair("Letters", "lowercase", {});
        AddPair("letters", "LowerCase", {});
        AddPair("Both", "LowerUpperCase", {});
    }
    // n = 26 * 255 * (6 + 25) = 205,530 draws. A symbol of share p (1/(N - 1) inside the table,
    // 1/(2(N - 1)) at either end) must come up within 6 standard deviations, sqrt(n p (1 - p)), of
    // n p: over all 278 symbols a false alarm has odds below 1 in a million, while an end drawn at
    // the inner share would be off by more than 40 deviations.
    void drawsItsTableAtItsShares() {
        QFETCH(QString, type);
        QFETCH(QString, letterCase);
        QFETCH(QString, table);
        QHash<QChar, qsizetype> counts;
        qsizetype n = 0;
        for (int batch = 0; batch < 26; ++batch)
            for (const int length : {6, 25}) {
                const auto passwords =
                    Generate::GenerateFromSettings(type, letterCase, length, 255);
                QCOMPARE(passwords.size(), table.isEmpty() ? 0 : 255);
                for (const QString& password : passwords) {
                    QCOMPARE(password.size(), qsizetype(length));
                    for (const QChar symbol : password)
                        ++counts[symbol], ++n;
                }
            }
        const qsizetype last = table.size() - 1;
        for (qsizetype index = 0; index <= last; ++index) {
            const double p = (index == 0 || index == last ? 0.5 : 1.0) / double(last);
            const double off = std::abs(double(counts.take(table.at(index))) - double(n) * p);
            QVERIFY2(off <= 6 * std::sqrt(double(n) * p * (1 - p)), qPrintable(table.at(index)));
        }
        QVERIFY2(counts.isEmpty(), "a symbol outside the table came up");
    }

    // 0 picks the first symbol and the largest draw the last. Every multiplier is odd, so
    // r = 0.5 lands on a half: 4.5 goes down to 4, 17.5 up to 18.
    void picksTheNearestIndexHalvesToEven() {
        const float largest = 1 - 1.0f / (1 << 24);
        for (const int symbols : {10, 26, 36, 52, 62}) {
            QCOMPARE(Generate::PickIndex(0.0f, symbols), qsizetype(0));
            QCOMPARE(Generate::PickIndex(largest, symbols), qsizetype(symbols - 1));
        }
        QCOMPARE(Generate::PickIndex(0.5f, 10), qsizetype(4));
        QCOMPARE(Generate::PickIndex(0.5f, 36), qsizetype(18));
    }
};

QTEST_GUILESS_MAIN(GenerateTest)
#include "tst_generate.moc"
