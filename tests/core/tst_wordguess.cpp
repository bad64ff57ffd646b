// Whole-word guesses in the solution box, and the guess help.
#include "GameFixture.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using enum Control;

enum class Outcome { Nothing, Win, Wrong };

// Some word, its right guess and a wrong guess of the same length.
QString wrongGuessFor(const QString &word)
{
    QString wrong = word;
    wrong[wrong.size() - 1] = word.back() == u'Z' ? u'Y' : u'Z';
    return wrong;
}
} // namespace

Q_DECLARE_METATYPE(Outcome)

class WordGuessTest : public QObject
{
    Q_OBJECT

private slots:
    void guess_data();
    void guess();
    void typingLetterByLetterWinsAtTheLastLetter();
    void wrongGuessesAreCountedApartFromLetters();
    void tooLongTextWaitsUntilEditedDown();
    void hyphenatedWordIsWonWithTheHyphen();
    void wrongCountStopsAtItsLimit();
    void help_data();
    void help();
};

void WordGuessTest::guess_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("typed"); // "%" stands for the word in lower case
    QTest::addColumn<Outcome>("outcome");

    GameFixture f;
    const QString word = f.findWord(6, [](const QString &w) { return !w.contains(u'ß'); });
    const QString withSharpS = f.findWord(8, [](const QString &w) { return w.contains(u'ß'); });
    const QString withUmlaut = f.findWord(10, [](const QString &w) { return w.contains(u'Ü'); });
    QVERIFY(!withSharpS.isEmpty() && !withUmlaut.isEmpty());

    QTest::newRow("lower case") << word << "%" << Outcome::Win;
    QTest::newRow("blanks at both ends") << word << "  % " << Outcome::Win;
    QTest::newRow("blank inside: one too long") << word << word.left(3) + " " + word.mid(3) << Outcome::Nothing;
    QTest::newRow("still typing") << word << word.left(5) << Outcome::Nothing;
    QTest::newRow("only blanks") << word << "      " << Outcome::Nothing;
    QTest::newRow("wrong word of the right length") << word << wrongGuessFor(word) << Outcome::Wrong;
    QTest::newRow("ß is not turned into SS") << withSharpS << "%" << Outcome::Win;
    QTest::newRow("umlauts in lower case") << withUmlaut << "%" << Outcome::Win;
    QTest::newRow("longer than the word") << word << word + "E" << Outcome::Nothing;
}

void WordGuessTest::guess()
{
    QFETCH(QString, word);
    QFETCH(QString, typed);
    QFETCH(Outcome, outcome);

    GameFixture f;
    f.startGameWith(word);
    f.window.typeAtCaret(TxtUser, "q"); // one letter guess, to see its count in the announcement
    const QString nextWord = f.listFor(static_cast<int>(word.size())).entry(f.indexOf(word) + 1);
    f.nextWordWillBe(nextWord);
    f.window.log.clear();

    const QString lower = word.toLower().replace(u"ß"_s, u"ß"_s);
    f.window.replaceText(TxtIhreLösung, QString(typed).replace(u"%"_s, lower));

    switch (outcome) {
    case Outcome::Nothing:
        QVERIFY(f.window.messages().isEmpty());
        QVERIFY(f.cues().isEmpty());
        QCOMPARE(f.game.state().SecretWord, word);
        QCOMPARE(f.game.state().SolutionAttempts, 0);
        QVERIFY(!f.window.text(TxtIhreLösung).isEmpty());
        break;
    case Outcome::Win:
        QCOMPARE(f.cues(), QStringList{"gewonnen.wav"});
        QCOMPARE(f.window.messages().size(), 1);
        QCOMPARE(f.window.messages().front().title, u"Herzlichen Glückwunsch"_s);
        QCOMPARE(f.window.messages().front().prompt, u"Wort nach 1 Versuchen erraten!\r\nLösungswort: "_s + word);
        QCOMPARE(f.game.state().SecretWord, nextWord);
        QCOMPARE(f.window.text(TxtIhreLösung), QString());
        QCOMPARE(f.window.text(TxtUser), "  " + QString(word.size(), u'.'));
        QCOMPARE(f.window.focus(), TxtUser);
        QCOMPARE(f.game.state().LetterAttempts, 0);
        QCOMPARE(f.game.state().SolutionAttempts, 0);
        break;
    case Outcome::Wrong:
        QCOMPARE(f.cues(), QStringList{"fehlerton.wav"});
        QCOMPARE(f.window.messages().size(), 1);
        QCOMPARE(f.window.messages().front().title, "Hinweis");
        QCOMPARE(f.window.messages().front().prompt, "Leider falsch vermutet!");
        QCOMPARE(f.window.messages().front().style, 0);
        QCOMPARE(f.game.state().SolutionAttempts, 1);
        QCOMPARE(f.window.caption(LblLösVersuch), "Versuch 1");
        QCOMPARE(f.window.text(TxtIhreLösung), QString());
        QCOMPARE(f.window.focus(), TxtUser);
        QCOMPARE(f.game.state().SecretWord, word);
        QCOMPARE(f.game.state().LetterAttempts, 1);
        QCOMPARE(f.window.caption(LblZeichen), "Versuch 1");
        break;
    }
}

void WordGuessTest::typingLetterByLetterWinsAtTheLastLetter()
{
    GameFixture f;
    QString word = u"TOMATE"_s;
    if (!f.indexOf(word))
        word = f.game.words4().entry(100);
    f.startGameWith(word);
    const QString typed = word.toLower();
    for (qsizetype i = 0; i < typed.size(); ++i) {
        QVERIFY(f.window.messages().isEmpty());
        f.window.typeAtCaret(TxtIhreLösung, typed.mid(i, 1));
    }
    QCOMPARE(f.window.messages().size(), 1);
    QCOMPARE(f.window.messages().front().prompt, u"Wort nach 0 Versuchen erraten!\r\nLösungswort: "_s + word);
}

void WordGuessTest::wrongGuessesAreCountedApartFromLetters()
{
    GameFixture f;
    const QString word = f.findWord(8, [](const QString &w) { return w.contains(u'E') && !w.contains(u'Q'); });
    f.startGameWith(word);
    f.window.replaceText(TxtIhreLösung, wrongGuessFor(word));
    QCOMPARE(f.window.caption(LblLösVersuch), "Versuch 1");
    f.window.replaceText(TxtIhreLösung, wrongGuessFor(word));
    QCOMPARE(f.window.caption(LblLösVersuch), "Versuch 2");
    QCOMPARE(f.game.state().LetterAttempts, 0);
    QCOMPARE(f.window.caption(LblZeichen), "Versuch 1");

    f.window.typeAtCaret(TxtUser, "e");
    f.window.typeAtCaret(TxtUser, "q");
    QCOMPARE(f.game.state().SolutionAttempts, 2);
    f.window.replaceText(TxtIhreLösung, word);
    QCOMPARE(f.window.messages().last().prompt, u"Wort nach 2 Versuchen erraten!\r\nLösungswort: "_s + word);
}

void WordGuessTest::tooLongTextWaitsUntilEditedDown()
{
    GameFixture f;
    const QString word = f.findWord(6, [](const QString &) { return true; });
    f.startGameWith(word);
    f.window.replaceText(TxtIhreLösung, word + "XYZ");
    QVERIFY(f.window.messages().isEmpty());
    f.window.replaceText(TxtIhreLösung, word + "XY");
    f.window.replaceText(TxtIhreLösung, word + "X");
    QVERIFY(f.window.messages().isEmpty());
    f.window.replaceText(TxtIhreLösung, word);
    QCOMPARE(f.window.messages().size(), 1);
    QCOMPARE(f.window.messages().front().title, u"Herzlichen Glückwunsch"_s);
}

void WordGuessTest::hyphenatedWordIsWonWithTheHyphen()
{
    GameFixture f;
    f.startGameWith(u"FILM-LEXIKON"_s);
    f.window.replaceText(TxtIhreLösung, u"FILMLEXIKON"_s);
    QVERIFY(f.window.messages().isEmpty());
    f.window.replaceText(TxtIhreLösung, u"film-lexikon"_s);
    QCOMPARE(f.window.messages().size(), 1);
    QVERIFY(f.window.messages().front().prompt.endsWith(u"FILM-LEXIKON"_s));
}

void WordGuessTest::wrongCountStopsAtItsLimit()
{
    GameFixture f;
    const QString word = f.findWord(4, [](const QString &) { return true; });
    f.startGameWith(word);
    for (int i = 0; i < 32768; ++i)
        f.window.replaceText(TxtIhreLösung, wrongGuessFor(word));
    QCOMPARE(f.game.state().SolutionAttempts, 32767);
    QCOMPARE(f.window.caption(LblLösVersuch), "Versuch 32767");
}

void WordGuessTest::help_data()
{
    QTest::addColumn<QString>("lettersBefore"); // guessed before the help
    QTest::addColumn<int>("clicks");

    QTest::newRow("first click") << "" << 1;
    QTest::newRow("second click changes nothing more") << "" << 2;
    QTest::newRow("first letter already guessed") << "*" << 1;
}

void WordGuessTest::help()
{
    QFETCH(QString, lettersBefore);
    QFETCH(int, clicks);

    GameFixture f;
    // A word whose first letter comes again later, like the T of TOMATE.
    const QString word = f.findWord(6, [](const QString &w) { return w.lastIndexOf(w.front()) > 0; });
    QVERIFY(!word.isEmpty());
    f.startGameWith(word);
    if (lettersBefore == u"*")
        f.window.typeAtCaret(TxtUser, QString(word.front()));
    const QString maskBefore = f.game.state().Mask;
    const qint16 lettersCounted = f.game.state().LetterAttempts;
    f.window.log.clear();
    f.window.setFocus(TxtIhreLösung);

    for (int i = 0; i < clicks; ++i)
        f.game.CmdRatehilfe_Click();

    QString expected = maskBefore;
    expected[0] = word.front();
    QCOMPARE(f.game.state().Mask, expected);
    if (lettersBefore.isEmpty())
        QCOMPARE(f.game.state().Mask.count(word.front()), 1); // only the first position
    QCOMPARE(f.window.text(TxtUser), "  " + expected);
    QCOMPARE(f.cues(), QStringList(clicks, u"kontrollton.wav"_s));
    QCOMPARE(f.window.focus(), TxtUser);
    QCOMPARE(f.window.selStart(TxtUser), 0);
    QCOMPARE(f.game.state().LetterAttempts, lettersCounted);
    QCOMPARE(f.game.state().SolutionAttempts, 0);
    QVERIFY(f.window.messages().isEmpty());

    // A later guess of that letter reveals the rest and is counted as usual.
    f.window.typeAtCaret(TxtUser, QString(word.front()));
    QCOMPARE(f.game.state().LetterAttempts, lettersCounted + 1);
    QCOMPARE(f.game.state().Mask.count(word.front()), word.count(word.front()));
}

QTEST_APPLESS_MAIN(WordGuessTest)
#include "tst_wordguess.moc"
