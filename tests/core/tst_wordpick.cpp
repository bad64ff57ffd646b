// The word index cut out of the clock reading.
#include "Categories.h"
#include "WordPick.h"

#include <QTest>

class WordPickTest : public QObject
{
    Q_OBJECT

private slots:
    void pick_data();
    void pick();
    void everyReadingOfADayStaysInRange();
};

void WordPickTest::pick_data()
{
    QTest::addColumn<float>("reading");
    QTest::addColumn<int>("category");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("taken");
    QTest::addColumn<int>("wordIndex");

    const struct
    {
        const char *name;
        float reading;
        int category;
        const char *taken; // under German settings
        int wordIndex;
    } rows[] = {
        {"12:32:03.45, 4 letters", 45123.45f, 1, "345", 345},
        {"12:32:03.45, 6 letters", 45123.45f, 2, "2345", 943},
        {"12:32:00 exactly, 8 letters", 45120.0f, 3, "5120", 1028},
        {"00:00:07 exactly, 6 letters", 7.0f, 2, "007", 7},
        {"23:59:59.99, 12 letters", 86399.99f, 5, "9999", 11},
        {"00:20:34.567, 6 letters", 1234.567f, 2, "56,7", 57},
        {"00:20:34.567, 4 letters", 1234.567f, 1, "6,7", 7},
        {"00:01:40.5, 4 letters", 100.5f, 1, "050", 50},
        {"799 stays", 799.0f, 1, "799", 799},
        {"800 folds to 1", 800.0f, 1, "800", 1},
        {"999 folds to 200", 999.0f, 1, "999", 200},
        {"1402 stays", 1402.0f, 2, "1402", 1402},
        {"9999 folds three times", 9999.0f, 4, "9999", 2247},
        {"a fraction rounds up", 1.237f, 2, "23,7", 24},
        {"a half rounds to even, down", 0.125f, 2, "12,5", 12},
        {"a half rounds to even, up", 0.135f, 2, "13,5", 14},
        {"a millisecond before midnight rounds to 86400", 86399.999f, 2, "6400", 792},
        {"one hundredth after midnight", 0.01f, 2, "001", 1},
        {"02:46:39.99, the last reading with a fraction", 9999.99f, 2, "9999", 185},
        {"a tenth of a millisecond past midnight", 0.0001f, 3, "0,01", 2046},
        {"seven significant digits", 0.012345678f, 2, "4568", 362},
        {"rounding at the seventh digit carries", 0.019999999f, 2, "002", 2},
        {"no exponent for small values", 0.0000001f, 2, "0001", 1},
        // Nothing but zeros, or a fraction that rounds to 0: the last word.
        {"00:16:40 exactly gives 000", 1000.0f, 1, "000", 799},
        {"midnight", 0.0f, 3, "000", 2046},
        {"02:46:40 exactly gives 0000", 10000.0f, 2, "0000", 1402},
        {"0,4 rounds to 0", 0.004f, 4, "00,4", 2584},
        {"0,5 rounds to the even 0", 0.005f, 5, "00,5", 2497},
    };
    for (const auto &row : rows) {
        for (const QChar separator : {QLatin1Char(','), QLatin1Char('.')}) {
            const QString taken = QString::fromLatin1(row.taken).replace(QLatin1Char(','), separator);
            QTest::addRow("%s, '%c'", row.name, separator.toLatin1())
                << row.reading << row.category << separator << taken << row.wordIndex;
        }
    }
}

void WordPickTest::pick()
{
    QFETCH(float, reading);
    QFETCH(int, category);
    QFETCH(QChar, separator);
    QFETCH(QString, taken);
    QFETCH(int, wordIndex);
    const CategoryInfo info = categoryInfo(category);
    QCOMPARE(indexTextFor(scaledTimerValue(reading), info.indexDigits, separator), taken);
    QCOMPARE(pickWordIndex(reading, info.maxIndex, info.indexDigits, separator), wordIndex);
}

void WordPickTest::everyReadingOfADayStaysInRange()
{
    // A prime step through the day meets every digit pattern, fraction and whole second.
    for (int category = 1; category <= 5; ++category) {
        const CategoryInfo info = categoryInfo(category);
        for (int ms = 0; ms < 86'400'000; ms += 113) {
            const int index = pickWordIndex(static_cast<float>(ms / 1000.0), info.maxIndex, info.indexDigits, QLatin1Char(','));
            if (index < 1 || index > info.maxIndex)
                QFAIL(qPrintable(QStringLiteral("%1 ms after midnight gave %2").arg(ms).arg(index)));
        }
    }
}

QTEST_APPLESS_MAIN(WordPickTest)
#include "tst_wordpick.moc"
