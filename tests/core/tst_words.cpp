// The built-in word lists as the program holds them, and the word index cut out
// of the clock reading.
#include "Categories.h"
#include "FakeWindow.h"
#include "GermanText.h"
#include "Module2.h"
#include "Module3.h"
#include "Module4.h"
#include "WordPick.h"

#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

class WordsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layout_data();
    void layout();
    void pick_data();
    void pick();
};

void WordsTest::initTestCase()
{
    // Runs first in this process: the program-wide lists are empty until their
    // category is chosen; start-up fills only the 4- and 8-letter lists.
    FakeWindow f;
    QCOMPARE(Module3::Words6.entry(1), QString(6, QChar(0)));
    QCOMPARE(Module4::Words10.entry(2584), QString(10, QChar(0)));
    QCOMPARE(Module2::Words12.entry(1), QString());
    f.play(u"@1 5"_s); // the very first game already has its word
    QCOMPARE(f.state().SecretWord, u"AALFISCHEREI"_s);
}

void WordsTest::layout_data()
{
    QTest::addColumn<int>("letters");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("upperBound");
    QTest::addColumn<QString>("repeats");
    QTest::addColumn<QString>("anchors"); // index and word; the last word before the umlaut-initial ones first
    QTest::newRow("4") << 4 << 799 << 800 << u"PLAN WADE YETI"_s
                       << u"792 ZÜGE 793 ÄHRE 1 AALE 2 ABEL 201 FLOP 202 FLOß 524 PLAN 525 PLAN 682 WADE 683 WADE "
                          u"744 YETI 745 YETI 798 ÄTZE 799 ÖSEN"_s;
    QTest::newRow("6") << 6 << 1402 << 1402 << QString()
                       << u"1394 ZÜNFTE 1395 ÄCHTER 1 AACHEN 2 ABAKUS 202 BUTTER 203 BÄCKER 1401 ÄRZTIN 1402 ÄSTHET"_s;
    QTest::newRow("8") << 8 << 2046 << 2047 << QString()
                       << u"2030 ZÜNGLEIN 2031 ÄBTISSIN 1 AALREUSE 2 AALSUPPE 2045 ÜBERGANG 2046 ÜBERLAUF"_s;
    QTest::newRow("10") << 10 << 2584 << 2584 << QString()
                        << u"2576 ZÜNDSTEINE 2577 ÄGYPTOLOGE 1 AALFISCHER 2 ABBAURECHT 2583 ÜBERLEGUNG 2584 ÜBERSETZER"_s;
    QTest::newRow("12") << 12 << 2497 << 2500 << u"BLANKOSCHECK"_s
                        << u"2487 ZÄRTLICHKEIT 2488 ÄRMELSCHONER 1 AALFISCHEREI 2 AALRÄUCHEREI 493 BLANKOSCHECK "
                           u"494 BLANKOSCHECK 1099 FILM-LEXIKON 1100 FILMAKADEMIE 2496 ÜBUNGSLEITER 2497 ÜBUNGSWÖRTER"_s;
}

void WordsTest::layout()
{
    QFETCH(int, letters);
    QFETCH(int, count);
    QFETCH(int, upperBound);
    QFETCH(QString, repeats);
    QFETCH(QString, anchors);
    const WordList &list = listOf(letters);

    QCOMPARE(list.upperBound(), upperBound);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.entry(upperBound + 1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.entry(-1));
    // Index 0 and the entries past the count hold no word.
    const QString unfilled = letters == 12 ? QString() : QString(letters, QChar(0));
    QCOMPARE(list.entry(0), unfilled);
    for (int i = count + 1; i <= upperBound; ++i)
        QCOMPARE(list.entry(i), unfilled);

    QStringList found;
    for (int i = 1; i <= count; ++i) {
        const QString word = list.entry(i);
        const QString where = u"%1: %2"_s.arg(i).arg(word);
        QVERIFY2(word.size() == letters, qPrintable(where));
        for (QChar c : word)
            QVERIFY2(isGuessLetter(c) || word == u"FILM-LEXIKON", qPrintable(where));
        // By character code, no folding: the hyphen before A; Ä, Ö, Ü, ß after Z.
        if (i > 1 && list.entry(i - 1) == word)
            found.append(word);
        else if (i > 1)
            QVERIFY2(list.entry(i - 1) < word, qPrintable(where));
    }
    QCOMPARE(found.join(u' '), repeats);

    const QStringList pairs = anchors.split(u' ');
    for (qsizetype i = 0; i < pairs.size(); i += 2)
        QCOMPARE(list.entry(pairs[i].toInt()), pairs[i + 1]);
    QVERIFY(pairs[1].front().unicode() < 0x80 && pairs[3].front().unicode() > 0x80);

    if (letters == 6 || letters >= 10) { // the program-wide lists are filled again at every choice
        const_cast<WordList &>(list).store(1, QString(letters, u'X'));
        QCOMPARE(listOf(letters).entry(1), pairs[5]);
    }
}

void WordsTest::pick_data()
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
        {"999 folds to 200", 999.0f, 1, "999", 200},
        {"a fraction rounds up", 1.237f, 2, "23,7", 24},
        {"a half rounds to even, down", 0.125f, 2, "12,5", 12},
        {"a half rounds to even, up", 0.135f, 2, "13,5", 14},
        {"a millisecond before midnight rounds to 86400", 86399.999f, 2, "6400", 792},
        {"02:46:39.99, the last reading with a fraction", 9999.99f, 2, "9999", 185},
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

void WordsTest::pick()
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

QTEST_APPLESS_MAIN(WordsTest)
#include "tst_words.moc"
