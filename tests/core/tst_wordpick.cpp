// The word index cut out of the clock reading.
#include "WordPick.h"

#include <QTest>

class WordPickTest : public QObject
{
    Q_OBJECT

private slots:
    void pick_data();
    void pick();
    void zeroDigitsPickTheLastWord_data();
    void zeroDigitsPickTheLastWord();
    void singleToText_data();
    void singleToText();
    void readIndexText_data();
    void readIndexText();
    void everyReadingOfADayStaysInRange();
};

namespace {
struct Category
{
    int maxIndex;
    int indexDigits;
};
constexpr Category Categories[] = {{799, 3}, {1402, 4}, {2046, 4}, {2584, 4}, {2497, 4}};
} // namespace

void WordPickTest::pick_data()
{
    QTest::addColumn<float>("reading");
    QTest::addColumn<int>("category");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<float>("scaled");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<int>("wordIndex");

    struct Row
    {
        const char *name;
        float reading;
        int category;
        float scaled;
        const char *takenGerman;
        int wordIndex;
    };
    const Row rows[] = {
        {"12:32:03.45 in 4 letters", 45123.45f, 1, 4512345.0f, "345", 345},
        {"12:32:03.45 in 6 letters", 45123.45f, 2, 4512345.0f, "2345", 943},
        {"12:32:00 exactly in 8 letters", 45120.0f, 3, 45120.0f, "5120", 1028},
        {"00:00:07 exactly in 6 letters", 7.0f, 2, 7.0f, "007", 7},
        {"23:59:59.99 in 12 letters", 86399.99f, 5, 8639999.0f, "9999", 11},
        {"00:20:34.567 in 6 letters", 1234.567f, 2, 123456.703125f, "56,7", 57},
        {"00:20:34.567 in 4 letters", 1234.567f, 1, 123456.703125f, "6,7", 7},
        {"00:01:40.5 in 4 letters", 100.5f, 1, 10050.0f, "050", 50},
        {"799 stays 799", 799.0f, 1, 799.0f, "799", 799},
        {"800 folds to 1", 800.0f, 1, 800.0f, "800", 1},
        {"999 folds to 200", 999.0f, 1, 999.0f, "999", 200},
        {"1402 stays in 6 letters", 1402.0f, 2, 1402.0f, "1402", 1402},
        {"9999 folds three times in 10 letters", 9999.0f, 4, 9999.0f, "9999", 9999 - 3 * 2584},
        {"a fraction rounding up past the separator", 1.237f, 2, 123.7f, "23,7", 24},
        {"half rounds to even, down", 0.125f, 2, 12.5f, "12,5", 12},
        {"half rounds to even, up", 0.135f, 2, 13.5f, "13,5", 14},
        {"the last reading before midnight", 86399.992f, 2, 8639999.0f, "9999", 9999 - 7 * 1402},
        {"a millisecond before midnight rounds to a whole 86400", 86399.999f, 2, 86400.0f, "6400", 6400 - 4 * 1402},
        {"just after midnight", 0.001f, 1, 0.1f, "0,1", 799},
        {"one hundredth after midnight", 0.01f, 2, 1.0f, "001", 1},
        {"02:46:39.99, the last reading that keeps a fraction", 9999.99f, 2, 999999.0f, "9999", 9999 - 7 * 1402},
    };
    for (const Row &row : rows) {
        for (const char *separator : {",", "."}) {
            QString taken = QString::fromUtf8(row.takenGerman);
            taken.replace(QLatin1Char(','), QLatin1String(separator));
            QTest::addRow("%s, separator '%s'", row.name, separator)
                << row.reading << row.category << QString::fromLatin1(separator) << row.scaled << taken << row.wordIndex;
        }
    }
}

void WordPickTest::pick()
{
    QFETCH(float, reading);
    QFETCH(int, category);
    QFETCH(QString, separator);
    QFETCH(float, scaled);
    QFETCH(QString, taken);
    QFETCH(int, wordIndex);
    const Category c = Categories[category - 1];
    const QChar sep = separator.front();

    QCOMPARE(scaledTimerValue(reading), scaled);
    QCOMPARE(indexTextFor(scaled, c.indexDigits, sep), taken);
    QCOMPARE(pickWordIndex(reading, c.maxIndex, c.indexDigits, sep), wordIndex);
}

void WordPickTest::zeroDigitsPickTheLastWord_data()
{
    QTest::addColumn<float>("reading");
    QTest::addColumn<int>("category");

    QTest::newRow("whole minute 00:01:40 gives 000") << 1000.0f << 1;
    QTest::newRow("midnight exactly") << 0.0f << 3;
    QTest::newRow("02:46:40.00 gives 0000") << 10000.0f << 2;
    QTest::newRow("0,4 rounds to 0") << 0.004f << 4;
    QTest::newRow("0,5 rounds to even 0") << 0.005f << 5;
}

void WordPickTest::zeroDigitsPickTheLastWord()
{
    QFETCH(float, reading);
    QFETCH(int, category);
    const Category c = Categories[category - 1];
    for (QChar separator : {QLatin1Char(','), QLatin1Char('.')})
        QCOMPARE(pickWordIndex(reading, c.maxIndex, c.indexDigits, separator), c.maxIndex);
}

void WordPickTest::singleToText_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("whole") << 4512345.0f << "4512345";
    QTest::newRow("seven significant digits") << 123456.703125f << "123456,7";
    QTest::newRow("trailing zeros dropped") << 12.5f << "12,5";
    QTest::newRow("rounds to seven digits") << 1.2345678f << "1,234568";
    QTest::newRow("small fraction") << 0.1f << "0,1";
    QTest::newRow("very small, no exponent") << 0.00001f << "0,00001";
    QTest::newRow("zero") << 0.0f << "0";
}

void WordPickTest::singleToText()
{
    QFETCH(float, value);
    QFETCH(QString, text);
    QCOMPARE(::singleToText(value, QLatin1Char(',')), text);
}

void WordPickTest::readIndexText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<int>("value");

    QTest::newRow("digits") << "0345" << "," << 345;
    QTest::newRow("comma fraction") << "56,7" << "," << 57;
    QTest::newRow("dot fraction") << "56.7" << "." << 57;
    QTest::newRow("leading separator") << ",75" << "," << 1;
    QTest::newRow("half to even down") << "2,5" << "," << 2;
    QTest::newRow("half to even up") << "3,5" << "," << 4;
    QTest::newRow("just below half") << "0,49" << "," << 0;
}

void WordPickTest::readIndexText()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(int, value);
    QCOMPARE(::readIndexText(text, separator.front()), value);
}

void WordPickTest::everyReadingOfADayStaysInRange()
{
    // Every millisecond of a day would take long; a prime step meets all
    // digit patterns, fractions and whole seconds.
    for (const Category &c : Categories) {
        for (int ms = 0; ms < 86'400'000; ms += 113) {
            const float reading = static_cast<float>(ms / 1000.0);
            const int index = pickWordIndex(reading, c.maxIndex, c.indexDigits, QLatin1Char(','));
            if (index < 1 || index > c.maxIndex)
                QFAIL(qPrintable(QStringLiteral("reading %1 gave %2").arg(double(reading)).arg(index)));
        }
    }
}

QTEST_APPLESS_MAIN(WordPickTest)
#include "tst_wordpick.moc"
