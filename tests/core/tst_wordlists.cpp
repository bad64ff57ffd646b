// The built-in word lists as the program holds them.
#include "FakeWindow.h"
#include "GermanText.h"
#include "Module2.h"
#include "Module3.h"
#include "Module4.h"

#include <QTest>

#include <stdexcept>

using namespace Qt::StringLiterals;

class WordListsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layout_data();
    void layout();
};

void WordListsTest::initTestCase()
{
    // Runs first in this process: the program-wide lists are empty until their
    // category is chosen; start-up fills only the 4- and 8-letter lists.
    FakeWindow f;
    QCOMPARE(Module3::Words6.entry(1), QString(6, QChar(0)));
    QCOMPARE(Module4::Words10.entry(2584), QString(10, QChar(0)));
    QCOMPARE(Module2::Words12.entry(1), QString());
    f.play(u"@1 5"_s); // the very first game already has its word
    QCOMPARE(f.state().SecretWord, u"AALFISCHEREI"_s);

    WordList narrow(2, 4); // a fixed-width entry keeps its width whatever is stored
    narrow.store(1, u"AB");
    narrow.store(2, u"ABCDEF");
    QCOMPARE(narrow.entry(1) + narrow.entry(2), u"AB  ABCD"_s);
}

void WordListsTest::layout_data()
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

void WordListsTest::layout()
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

QTEST_APPLESS_MAIN(WordListsTest)
#include "tst_wordlists.moc"
