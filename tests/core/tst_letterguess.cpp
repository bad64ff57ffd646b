// Letters typed into the letter box.
#include "GameFixture.h"
#include "GermanText.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
using enum Control;

QString revealed(const QString &word, const QString &mask, QChar letter)
{
    QString result = mask;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (word[i] == letter)
            result[i] = letter;
    }
    return result;
}

QString letterNotIn(const QString &word)
{
    for (QChar c : QStringView(GuessAlphabet)) {
        if (!word.contains(c))
            return QString(c);
    }
    return {};
}

bool hasLetterThreeTimes(const QString &word)
{
    for (QChar c : word) {
        if (word.count(c) == 3)
            return true;
    }
    return false;
}
} // namespace

class LetterGuessTest : public QObject
{
    Q_OBJECT

private slots:
    void oneGuess_data();
    void oneGuess();
    void boxEdits_data();
    void boxEdits();
    void aLetterThreeTimesCountsOnce();
    void repeatsAreCountedAndSoundAsHits();
    void captionCountsFromTheFirstGuess();
    void winSequence();
    void hyphenatedWordIsNeverCompletedByLetters();
    void countStopsAtItsLimit();
    void keyReleasePutsTheCaretBack();
    void helpCompletedMaskWinsOnlyWithTheNextHit();
};

void LetterGuessTest::oneGuess_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expectedLetter"); // empty: the input is rejected
    QTest::addColumn<QString>("cue");

    GameFixture f;
    const QString withE = f.findWord(6, [](const QString &w) { return w.count(u'E') >= 2; });
    const QString withSharpS = f.findWord(6, [](const QString &w) { return w.contains(u'ß'); });
    const QString withAe = f.findWord(8, [](const QString &w) { return w.mid(1).contains(u'Ä'); });
    const QString withOe = f.findWord(10, [](const QString &w) { return w.contains(u'Ö'); });
    const QString withUe = f.findWord(12, [](const QString &w) { return w.contains(u'Ü'); });
    for (const QString &w : {withE, withSharpS, withAe, withOe, withUe})
        QVERIFY(!w.isEmpty());

    QTest::newRow("lower case reveals every E") << withE << "e" << "E" << "kontrollton.wav";
    QTest::newRow("upper case") << withE << "E" << "E" << "kontrollton.wav";
    QTest::newRow("ß stays ß") << withSharpS << u"ß"_s << u"ß"_s << "kontrollton.wav";
    QTest::newRow("ä reveals Ä") << withAe << u"ä"_s << u"Ä"_s << "kontrollton.wav";
    QTest::newRow("ö reveals Ö") << withOe << u"ö"_s << u"Ö"_s << "kontrollton.wav";
    QTest::newRow("ü reveals Ü") << withUe << u"ü"_s << u"Ü"_s << "kontrollton.wav";
    QTest::newRow("a miss is counted") << withE << letterNotIn(withE).toLower() << letterNotIn(withE) << "fehlerton.wav";
    for (const char16_t *rejected : {u"7", u",", u"é", u"-", u"@", u"€", u"\U0001F600", u"\t", u"\u00FF", u"."})
        QTest::addRow("rejected U+%04X", unsigned(rejected[0])) << withE << QString::fromUtf16(rejected) << QString() << "fehlerton.wav";
}

void LetterGuessTest::oneGuess()
{
    QFETCH(QString, word);
    QFETCH(QString, typed);
    QFETCH(QString, expectedLetter);
    QFETCH(QString, cue);

    GameFixture f;
    f.startGameWith(word);
    QCOMPARE(f.game.state().SecretWord, word);
    const QString dots(word.size(), u'.');
    f.window.typeAtCaret(TxtUser, typed);

    const bool counted = !expectedLetter.isEmpty();
    const QString mask = counted ? revealed(word, dots, expectedLetter.front()) : dots;
    QCOMPARE(f.game.state().Mask, mask);
    QCOMPARE(f.game.state().LetterAttempts, counted ? 1 : 0);
    QCOMPARE(f.window.caption(LblZeichen), "Versuch 1");
    QCOMPARE(f.cues(), QStringList{cue});
    QCOMPARE(f.window.text(TxtUser), "  " + mask); // the typed character is gone again
    QCOMPARE(f.window.selStart(TxtUser), 0);
    if (counted && cue == u"kontrollton.wav")
        QVERIFY(mask != dots);
}

void LetterGuessTest::boxEdits_data()
{
    QTest::addColumn<QString>("newText");     // the whole box after the player's edit, "%" standing for the mask
    QTest::addColumn<QString>("expectedBox"); // afterwards
    QTest::addColumn<int>("counted");
    QTest::addColumn<QStringList>("cues");

    QTest::newRow("a blank typed at the start is ignored") << "   %" << "   %" << 0 << QStringList{};
    QTest::newRow("Delete at the caret removes one blank: ignored") << " %" << " %" << 0 << QStringList{};
    QTest::newRow("both blanks deleted: the dot is rejected") << "%" << "  %" << 0 << QStringList{"fehlerton.wav"};
    QTest::newRow("pasted text: the first character alone counts") << "xyz  %" << "  %" << 1 << QStringList{"fehlerton.wav"};
    QTest::newRow("typed after the blanks: not evaluated, stays") << "  a%" << "  a%" << 0 << QStringList{};
    QTest::newRow("emptied box: ignored") << "" << "" << 0 << QStringList{};
}

void LetterGuessTest::boxEdits()
{
    QFETCH(QString, newText);
    QFETCH(QString, expectedBox);
    QFETCH(int, counted);
    QFETCH(QStringList, cues);

    GameFixture f;
    const QString word = f.findWord(6, [](const QString &w) { return !w.contains(u'X') && !w.contains(u'Y'); });
    f.startGameWith(word);
    const QString mask = f.game.state().Mask;
    f.window.replaceText(TxtUser, QString(newText).replace(u'%', mask));
    QCOMPARE(f.window.text(TxtUser), QString(expectedBox).replace(u'%', mask));
    QCOMPARE(f.game.state().LetterAttempts, counted);
    QCOMPARE(f.cues(), cues);
    QCOMPARE(f.game.state().Mask, mask);
}

void LetterGuessTest::aLetterThreeTimesCountsOnce()
{
    GameFixture f;
    const QString word = f.findWord(8, hasLetterThreeTimes);
    QVERIFY(!word.isEmpty());
    QChar letter;
    for (QChar c : word) {
        if (word.count(c) == 3)
            letter = c;
    }
    f.startGameWith(word);
    f.window.typeAtCaret(TxtUser, QString(letter));
    QCOMPARE(f.game.state().Mask.count(letter), 3);
    QCOMPARE(f.game.state().LetterAttempts, 1);
}

void LetterGuessTest::repeatsAreCountedAndSoundAsHits()
{
    GameFixture f;
    const QString word = f.findWord(10, [](const QString &w) { return w.contains(u'E'); });
    f.startGameWith(word);
    f.window.typeAtCaret(TxtUser, "e");
    const QString mask = f.game.state().Mask;
    f.window.typeAtCaret(TxtUser, "E");
    QCOMPARE(f.game.state().Mask, mask);
    QCOMPARE(f.game.state().LetterAttempts, 2);
    QCOMPARE(f.cues(), (QStringList{"kontrollton.wav", "kontrollton.wav"}));

    // A revealed first letter, reached by deleting both blanks, is a guess of that letter.
    f.window.typeAtCaret(TxtUser, QString(word.front()));
    f.window.replaceText(TxtUser, f.game.state().Mask);
    QCOMPARE(f.game.state().LetterAttempts, 4);
    QCOMPARE(f.cues().last(), "kontrollton.wav");
}

void LetterGuessTest::captionCountsFromTheFirstGuess()
{
    GameFixture f;
    f.startGameWith(f.game.words4().entry(1));
    QCOMPARE(f.window.caption(LblZeichen), "Versuch 1");
    f.window.typeAtCaret(TxtUser, "q");
    QCOMPARE(f.window.caption(LblZeichen), "Versuch 1");
    f.window.typeAtCaret(TxtUser, "1"); // rejected: no change
    QCOMPARE(f.window.caption(LblZeichen), "Versuch 1");
    f.window.typeAtCaret(TxtUser, "a");
    QCOMPARE(f.window.caption(LblZeichen), "Versuch 2");
}

void LetterGuessTest::winSequence()
{
    GameFixture f;
    const QString word = f.findWord(6, [](const QString &w) { return !w.contains(u'X'); });
    f.startGameWith(word);
    const QString nextWord = f.listFor(6).entry(f.indexOf(word) + 1);
    f.nextWordWillBe(nextWord);

    f.window.typeAtCaret(TxtUser, "x"); // a miss counts too
    QString letters;
    for (QChar c : word) {
        if (!letters.contains(c))
            letters += c;
    }
    f.window.log.clear();
    GameState atAnnouncement;
    f.window.onMessageBox = [&](const FakeWindow::Message &) { atAnnouncement = f.game.state(); };
    for (QChar c : letters)
        f.window.typeAtCaret(TxtUser, QString(c));

    const int attempts = static_cast<int>(letters.size()) + 1;
    QCOMPARE(f.window.messages().size(), 1);
    const FakeWindow::Message m = f.window.messages().front();
    QCOMPARE(m.title, u"Herzlichen Glückwunsch"_s);
    QCOMPARE(m.prompt, u"Wort nach %1 Versuchen erraten!\r\nLösungswort: %2"_s.arg(attempts).arg(word));
    QCOMPARE(m.style, 0);
    QCOMPARE(atAnnouncement.Mask, word);

    // The last letter: hit, win, announcement, empty box, then the next word.
    const QStringList tail = f.window.log.mid(f.window.log.lastIndexOf(u"cue:kontrollton.wav"_s));
    QCOMPARE(tail.mid(0, 5), (QStringList{"cue:kontrollton.wav", "cue:gewonnen.wav", u"box:Herzlichen Glückwunsch"_s,
                                          "text:TxtUser=", u"text:TxtIhreLösung="_s}));
    QCOMPARE(tail.last(), "focus:TxtUser");
    QCOMPARE(f.game.state().SecretWord, nextWord);
    QCOMPARE(f.game.state().LetterAttempts, 0);
    QCOMPARE(f.window.caption(LblZeichen), "Versuch 1");
    QCOMPARE(f.window.text(TxtUser), "  ......");
}

void LetterGuessTest::hyphenatedWordIsNeverCompletedByLetters()
{
    GameFixture f;
    f.startGameWith(u"FILM-LEXIKON"_s);
    for (QChar c : u"FILMLEXKON-"_s)
        f.window.typeAtCaret(TxtUser, QString(c));
    QCOMPARE(f.game.state().Mask, u"FILM.LEXIKON"_s);
    QVERIFY(f.window.messages().isEmpty());
    QCOMPARE(f.game.state().LetterAttempts, 10); // the hyphen is rejected, not counted
}

void LetterGuessTest::countStopsAtItsLimit()
{
    GameFixture f;
    const QString word = f.findWord(4, [](const QString &w) { return !w.contains(u'Q'); });
    f.startGameWith(word);
    for (int i = 0; i < 32768; ++i)
        f.window.typeAtCaret(TxtUser, "q");
    // A 16-bit count would wrap to -32768 here; it stays at its highest value.
    QCOMPARE(f.game.state().LetterAttempts, 32767);
    QCOMPARE(f.window.caption(LblZeichen), "Versuch 32767");
}

void LetterGuessTest::keyReleasePutsTheCaretBack()
{
    GameFixture f;
    f.startGameWith(f.game.words4().entry(1));
    f.window.setSelStart(TxtUser, 4); // the player clicked into the dots
    f.window.releaseKey();
    QCOMPARE(f.window.selStart(TxtUser), 0);
}

void LetterGuessTest::helpCompletedMaskWinsOnlyWithTheNextHit()
{
    GameFixture f;
    // A word whose first letter occurs only there.
    const QString word = f.findWord(6, [](const QString &w) {
        return w.count(w.front()) == 1 && !w.contains(u'Q');
    });
    f.startGameWith(word);
    for (QChar c : word.mid(1))
        f.window.typeAtCaret(TxtUser, QString(c));
    QCOMPARE(f.game.state().Mask, "." + word.mid(1));
    f.game.CmdRatehilfe_Click();
    QCOMPARE(f.game.state().Mask, word);
    QVERIFY(f.window.messages().isEmpty());

    f.window.typeAtCaret(TxtUser, "q"); // a miss
    f.window.typeAtCaret(TxtUser, "5"); // rejected
    QVERIFY(f.window.messages().isEmpty());
    QCOMPARE(f.game.state().SecretWord, word);

    f.window.typeAtCaret(TxtUser, QString(word.back()));
    QCOMPARE(f.window.messages().size(), 1);
    QVERIFY(f.window.messages().front().prompt.endsWith(word));
}

QTEST_APPLESS_MAIN(LetterGuessTest)
#include "tst_letterguess.moc"
