// The built-in word lists as the program holds them after filling.
#include "FakePlatform.h"
#include "FakeWindow.h"
#include "Game.h"
#include "GermanText.h"
#include "Module2.h"
#include "Module3.h"
#include "Module4.h"

#include <QSet>
#include <QTest>

#include <stdexcept>

Q_DECLARE_METATYPE(const WordList *)

namespace {
const WordList *const Words6 = &Module3::Words6;
const WordList *const Words10 = &Module4::Words10;
const WordList *const Words12 = &Module2::Words12;
} // namespace

class WordListsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void layout_data();
    void layout();
    void anchors_data();
    void anchors();
    void refillingChangesNothing();
    void fixedWidthEntryKeepsItsWidth();

private:
    FakeWindow m_window;
    FakePlatform m_platform;
    Game m_game{m_window, m_platform};
};

void WordListsTest::initTestCase()
{
    m_game.FillWordLists4And8();
    Module3::FillWordList6();
    Module4::FillWordList10();
    Module2::FillWordList12();
}

void WordListsTest::layout_data()
{
    QTest::addColumn<const WordList *>("list");
    QTest::addColumn<int>("letters");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("upperBound");
    QTest::addColumn<QStringList>("allowedRepeats");

    QTest::newRow("4 letters") << &m_game.words4() << 4 << 799 << 800 << QStringList{"PLAN", "WADE", "YETI"};
    QTest::newRow("6 letters") << Words6 << 6 << 1402 << 1402 << QStringList{};
    QTest::newRow("8 letters") << &m_game.words8() << 8 << 2046 << 2047 << QStringList{};
    QTest::newRow("10 letters") << Words10 << 10 << 2584 << 2584 << QStringList{};
    QTest::newRow("12 letters") << Words12 << 12 << 2497 << 2500 << QStringList{"BLANKOSCHECK"};
}

void WordListsTest::layout()
{
    QFETCH(const WordList *, list);
    QFETCH(int, letters);
    QFETCH(int, count);
    QFETCH(int, upperBound);
    QFETCH(QStringList, allowedRepeats);

    QCOMPARE(list->upperBound(), upperBound);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, list->entry(upperBound + 1));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, list->entry(-1));

    // Entries without a word: index 0 and everything past the count.
    const QString unfilled = list->width() == WordList::VariableLength ? QString() : QString(letters, QChar(0));
    QCOMPARE(list->entry(0), unfilled);
    for (int i = count + 1; i <= upperBound; ++i)
        QCOMPARE(list->entry(i), unfilled);

    QStringList repeats;
    for (int i = 1; i <= count; ++i) {
        const QString word = list->entry(i);
        QVERIFY2(word.size() == letters, qPrintable(QStringLiteral("%1: %2").arg(i).arg(word)));
        for (QChar c : word) {
            const bool hyphenAllowed = letters == 12 && i == 1099;
            QVERIFY2(isGuessLetter(c) || (hyphenAllowed && c == QLatin1Char('-')),
                     qPrintable(QStringLiteral("%1: %2").arg(i).arg(word)));
        }
        if (i > 1) {
            // Character codes, no folding: the hyphen before A, Ä Ö Ü ß after Z.
            const QString previous = list->entry(i - 1);
            QVERIFY2(previous <= word, qPrintable(QStringLiteral("%1 before %2").arg(previous, word)));
            if (previous == word)
                repeats.append(word);
        }
    }
    QCOMPARE(repeats, allowedRepeats);
}

void WordListsTest::anchors_data()
{
    QTest::addColumn<const WordList *>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("word");

    const struct
    {
        const WordList *list;
        int index;
        const char16_t *word;
    } anchors[] = {
        {&m_game.words4(), 1, u"AALE"},          {&m_game.words4(), 2, u"ABEL"},
        {&m_game.words4(), 201, u"FLOP"},        {&m_game.words4(), 202, u"FLOß"},
        {&m_game.words4(), 524, u"PLAN"},        {&m_game.words4(), 525, u"PLAN"},
        {&m_game.words4(), 682, u"WADE"},        {&m_game.words4(), 683, u"WADE"},
        {&m_game.words4(), 744, u"YETI"},        {&m_game.words4(), 745, u"YETI"},
        {&m_game.words4(), 793, u"ÄHRE"},        {&m_game.words4(), 798, u"ÄTZE"},
        {&m_game.words4(), 799, u"ÖSEN"},        {Words6, 1, u"AACHEN"},
        {Words6, 2, u"ABAKUS"},        {Words6, 202, u"BUTTER"},
        {Words6, 203, u"BÄCKER"},      {Words6, 1395, u"ÄCHTER"},
        {Words6, 1401, u"ÄRZTIN"},     {Words6, 1402, u"ÄSTHET"},
        {&m_game.words8(), 1, u"AALREUSE"},      {&m_game.words8(), 2, u"AALSUPPE"},
        {&m_game.words8(), 2031, u"ÄBTISSIN"},   {&m_game.words8(), 2045, u"ÜBERGANG"},
        {&m_game.words8(), 2046, u"ÜBERLAUF"},   {Words10, 1, u"AALFISCHER"},
        {Words10, 2, u"ABBAURECHT"},   {Words10, 2577, u"ÄGYPTOLOGE"},
        {Words10, 2583, u"ÜBERLEGUNG"}, {Words10, 2584, u"ÜBERSETZER"},
        {Words12, 1, u"AALFISCHEREI"}, {Words12, 2, u"AALRÄUCHEREI"},
        {Words12, 493, u"BLANKOSCHECK"}, {Words12, 494, u"BLANKOSCHECK"},
        {Words12, 1099, u"FILM-LEXIKON"}, {Words12, 1100, u"FILMAKADEMIE"},
        {Words12, 2488, u"ÄRMELSCHONER"}, {Words12, 2496, u"ÜBUNGSLEITER"},
        {Words12, 2497, u"ÜBUNGSWÖRTER"},
    };
    for (const auto &anchor : anchors) {
        const QString word = QString::fromUtf16(anchor.word);
        QTest::addRow("%s at %d", qPrintable(word), anchor.index) << anchor.list << anchor.index << word;
    }
}

void WordListsTest::anchors()
{
    QFETCH(const WordList *, list);
    QFETCH(int, index);
    QFETCH(QString, word);
    QCOMPARE(list->entry(index), word);

    // The first word that begins with an umlaut marks where the umlauts start.
    const bool firstUmlautWord = (word == u"ÄHRE" || word == u"ÄCHTER" || word == u"ÄBTISSIN"
                                  || word == u"ÄGYPTOLOGE" || word == u"ÄRMELSCHONER");
    if (firstUmlautWord)
        QVERIFY(list->entry(index - 1).front().unicode() < 0x80);
}

void WordListsTest::refillingChangesNothing()
{
    const QString before6 = Module3::Words6.entry(700);
    Module3::Words6.store(700, u"XXXXXX");
    Module3::FillWordList6();
    QCOMPARE(Module3::Words6.entry(700), before6);

    const QString before12 = Module2::Words12.entry(1099);
    Module2::FillWordList12();
    QCOMPARE(Module2::Words12.entry(1099), before12);
}

void WordListsTest::fixedWidthEntryKeepsItsWidth()
{
    WordList list(3, 4);
    list.store(1, u"AB");
    QCOMPARE(list.entry(1), QStringLiteral("AB  "));
    list.store(2, u"ABCDEF");
    QCOMPARE(list.entry(2), QStringLiteral("ABCD"));
    QCOMPARE(list.entry(3), QString(4, QChar(0)));
}

QTEST_APPLESS_MAIN(WordListsTest)
#include "tst_wordlists.moc"
