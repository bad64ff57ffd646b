// Playing in the real window: letters, whole words, the help, sound cues.
#include "GuiTestSupport.h"
#include "Module1.h"
#include "Module3.h"
#include "Module2.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {
// Finds a word of the list whose index the fixed clock can reach as whole seconds.
template<typename Predicate>
int indexWhere(const WordList &list, int count, Predicate predicate)
{
    for (int i = 1; i <= count; ++i) {
        if (predicate(list.entry(i)))
            return i;
    }
    return 0;
}
} // namespace

class Form1GuessingTest : public WindowTest
{
    Q_OBJECT

private slots:
    void typedLetterRevealsEveryOccurrence();
    void umlautKey();
    void pasteTakesTheFirstCharacterAlone();
    void deleteAtTheCaretIsIgnored();
    void fifteenCharacterLimitInATwelveLetterGame();
    void altKeysAreNotTyping();
    void altGrCharactersAreTyping();
    void aGameIsPlayedToItsEndByLetters();
    void wholeWordTypedLetterByLetterWins();
    void wrongWholeWordEmptiesTheBoxAndReturnsToTheLetters();
    void altRGivesTheHelp();
    void everyCueNamesItsFileAndPauses();
    void keysPressedDuringAPauseFollowInOrder();
    void unplayableCueStillPauses_data();
    void unplayableCueStillPauses();

private:
    void startSixLetterGame(const QString &preferred, bool (*fallback)(const QString &));
};

void Form1GuessingTest::startSixLetterGame(const QString &preferred, bool (*fallback)(const QString &))
{
    Module3::FillWordList6();
    int index = indexWhere(Module3::Words6, 1402, [&](const QString &w) { return w == preferred; });
    if (!index)
        index = indexWhere(Module3::Words6, 1402, fallback);
    QVERIFY(index > 0);
    m_platform.reading = static_cast<float>(index);
    button(*m_form, Control::Cmd2)->click();
    QCOMPARE(m_form->game().state().WordIndex, index);
    QTRY_COMPARE(focusName(), "TxtUser");
}

void Form1GuessingTest::typedLetterRevealsEveryOccurrence()
{
    startSixLetterGame(QString(), [](const QString &w) { return w.count(u'E') >= 2; });
    const QString word = m_form->game().state().SecretWord;
    QTest::keyClick(letterBox(*m_form), Qt::Key_E);
    QString expected(6, u'.');
    for (int i = 0; i < 6; ++i) {
        if (word[i] == u'E')
            expected[i] = u'E';
    }
    QVERIFY(expected.count(u'E') >= 2);
    QCOMPARE(letterBox(*m_form)->text(), "  " + expected);
    QCOMPARE(letterBox(*m_form)->cursorPosition(), 0);
    QCOMPARE(widget<QLabel>(*m_form, Control::LblZeichen)->text(), "Versuch 1");

    // Moving the caret with a key is undone at once when the key is released.
    QTest::keyClick(letterBox(*m_form), Qt::Key_End);
    QCOMPARE(letterBox(*m_form)->cursorPosition(), 0);
}

void Form1GuessingTest::umlautKey()
{
    m_platform.reading = 1.0f;
    button(*m_form, Control::Cmd4)->click();
    QTest::sendKeyEvent(QTest::Press, letterBox(*m_form), Qt::Key_Adiaeresis, u"ä"_s, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, letterBox(*m_form), Qt::Key_Adiaeresis, u"ä"_s, Qt::NoModifier);
    QCOMPARE(m_form->game().state().LetterAttempts, 1);
    QCOMPARE(Module1::SoundFile.endsWith(u"fehlerton.wav"_s) || Module1::SoundFile.endsWith(u"kontrollton.wav"_s), true);
    QCOMPARE(m_form->game().state().Mask.contains(u'Ä'), m_form->game().state().SecretWord.contains(u'Ä'));
}

void Form1GuessingTest::pasteTakesTheFirstCharacterAlone()
{
    startSixLetterGame(u"TOMATE"_s, [](const QString &w) { return !w.contains(u'X'); });
    QSignalSpy changes(letterBox(*m_form), &QLineEdit::textChanged);
    QApplication::clipboard()->setText(u"xyz"_s);
    QTest::keyClick(letterBox(*m_form), Qt::Key_V, Qt::ControlModifier);
    // The rewrite runs inside the paste's own change, so it is recorded first.
    QCOMPARE(recordedTexts(changes), (QStringList{u"  ......"_s, u"xyz  ......"_s}));
    QCOMPARE(letterBox(*m_form)->text(), u"  ......"_s);
    QCOMPARE(m_form->game().state().LetterAttempts, 1);
}

void Form1GuessingTest::deleteAtTheCaretIsIgnored()
{
    m_platform.reading = 5.0f;
    button(*m_form, Control::Cmd1)->click();
    QTest::keyClick(letterBox(*m_form), Qt::Key_Delete);
    QCOMPARE(letterBox(*m_form)->text(), " ....");
    QCOMPARE(m_form->game().state().LetterAttempts, 0);
    QTest::keyClick(letterBox(*m_form), Qt::Key_Delete); // now the first dot is the guess: rejected
    QCOMPARE(letterBox(*m_form)->text(), "  ....");
    QCOMPARE(m_form->game().state().LetterAttempts, 0);
    QVERIFY(Module1::SoundFile.endsWith(u"fehlerton.wav"_s));
}

void Form1GuessingTest::fifteenCharacterLimitInATwelveLetterGame()
{
    m_platform.reading = 3.0f;
    button(*m_form, Control::cmd5)->click();
    QCOMPARE(letterBox(*m_form)->text().size(), 14);
    QSignalSpy changes(letterBox(*m_form), &QLineEdit::textChanged);
    QApplication::clipboard()->setText(u"ab"_s);
    QTest::keyClick(letterBox(*m_form), Qt::Key_V, Qt::ControlModifier);
    const QStringList texts = recordedTexts(changes);
    QCOMPARE(texts.size(), 2);
    QCOMPARE(texts.last(), u"a  ............"_s); // the 15th character, no 16th
    QCOMPARE(m_form->game().state().LetterAttempts, 1);
}

void Form1GuessingTest::altKeysAreNotTyping()
{
    button(*m_form, Control::Cmd2)->click();
    const QString before = letterBox(*m_form)->text();
    QTest::keyClick(letterBox(*m_form), Qt::Key_1, Qt::AltModifier); // "Cmd1" is hidden
    QTest::keyClick(letterBox(*m_form), Qt::Key_X, Qt::AltModifier); // no access key at all
    QTest::keyClick(solutionBox(*m_form), Qt::Key_4, Qt::AltModifier);
    QTest::qWait(200);
    QCOMPARE(letterBox(*m_form)->text(), before);
    QCOMPARE(solutionBox(*m_form)->text(), QString());
    QCOMPARE(m_form->game().state().LetterAttempts, 0);
    QVERIFY(letterBox(*m_form)->isVisible());
}

void Form1GuessingTest::altGrCharactersAreTyping()
{
    button(*m_form, Control::Cmd2)->click();
    Module1::SoundFile.clear();
    // AltGr+Q on a German layout: X11 sends "@" without Alt, Windows as Ctrl+Alt.
    QTest::sendKeyEvent(QTest::Click, letterBox(*m_form), Qt::Key_At, u"@"_s, Qt::NoModifier);
    QVERIFY(Module1::SoundFile.endsWith(u"fehlerton.wav"_s));
    Module1::SoundFile.clear();
    QTest::sendKeyEvent(QTest::Click, letterBox(*m_form), Qt::Key_unknown, u"€"_s, Qt::NoModifier);
    QVERIFY(Module1::SoundFile.endsWith(u"fehlerton.wav"_s));
    QCOMPARE(m_form->game().state().LetterAttempts, 0); // evaluated and rejected, not counted
    QTest::sendKeyEvent(QTest::Click, solutionBox(*m_form), Qt::Key_BraceLeft, u"{"_s,
                        Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(solutionBox(*m_form)->text(), u"{"_s);
}

void Form1GuessingTest::aGameIsPlayedToItsEndByLetters()
{
    m_platform.reading = 10.0f;
    button(*m_form, Control::Cmd1)->click();
    const QString word = m_form->game().state().SecretWord;
    MessageBoxCatcher boxes;
    QString typed;
    for (QChar c : word) {
        if (typed.contains(c))
            continue;
        typed += c;
        const QString letter = QString(c).toLower();
        QTest::sendKeyEvent(QTest::Click, letterBox(*m_form), Qt::Key(QKeySequence(letter)[0].key()), letter, Qt::NoModifier);
    }
    QTRY_COMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.front().title, u"Herzlichen Glückwunsch"_s);
    QCOMPARE(boxes.seen.front().text, u"Wort nach %1 Versuchen erraten!\nLösungswort: %2"_s.arg(typed.size()).arg(word));
    QCOMPARE(boxes.seen.front().icon, QMessageBox::NoIcon);
    QCOMPARE(boxes.seen.front().buttonCount, 1);
    QCOMPARE(letterBox(*m_form)->text(), "  ....");
    QCOMPARE(widget<QLabel>(*m_form, Control::LblZeichen)->text(), "Versuch 1");
    QVERIFY(Module1::SoundFile.endsWith(u"gewonnen.wav"_s));
}

void Form1GuessingTest::wholeWordTypedLetterByLetterWins()
{
    startSixLetterGame(u"TOMATE"_s, [](const QString &w) { return !w.contains(u'ß'); });
    const QString word = m_form->game().state().SecretWord;
    MessageBoxCatcher boxes;
    solutionBox(*m_form)->setFocus();
    QTest::keyClicks(solutionBox(*m_form), word.left(5).toLower());
    QVERIFY(boxes.seen.isEmpty());
    QTest::keyClicks(solutionBox(*m_form), word.right(1).toLower());
    QTRY_COMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.front().text, u"Wort nach 0 Versuchen erraten!\nLösungswort: "_s + word);
    QCOMPARE(solutionBox(*m_form)->text(), QString());
    QTRY_COMPARE(focusName(), "TxtUser");
}

void Form1GuessingTest::wrongWholeWordEmptiesTheBoxAndReturnsToTheLetters()
{
    startSixLetterGame(u"TOMATE"_s, [](const QString &) { return true; });
    MessageBoxCatcher boxes;
    solutionBox(*m_form)->setFocus();
    QTest::keyClicks(solutionBox(*m_form), "qqqqqq");
    QTRY_COMPARE(boxes.seen.size(), 1);
    QCOMPARE(boxes.seen.front().title, "Hinweis");
    QCOMPARE(boxes.seen.front().text, "Leider falsch vermutet!");
    QCOMPARE(solutionBox(*m_form)->text(), QString());
    QTRY_COMPARE(focusName(), "TxtUser");
    QCOMPARE(widget<QLabel>(*m_form, Control::LblLösVersuch)->text(), "Versuch 1");
    // The next key is a letter guess again.
    QTest::keyClick(letterBox(*m_form), Qt::Key_Q);
    QCOMPARE(m_form->game().state().LetterAttempts, 1);
}

void Form1GuessingTest::altRGivesTheHelp()
{
    startSixLetterGame(u"TOMATE"_s, [](const QString &) { return true; });
    const QString word = m_form->game().state().SecretWord;
    solutionBox(*m_form)->setFocus();
    QTest::keyClick(m_form.get(), Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(letterBox(*m_form)->text(), "  " + word.left(1) + ".....");
    QTRY_COMPARE(focusName(), "TxtUser");
    QCOMPARE(letterBox(*m_form)->cursorPosition(), 0);
    QCOMPARE(m_form->game().state().LetterAttempts, 0);
}

void Form1GuessingTest::everyCueNamesItsFileAndPauses()
{
    m_platform.reading = 7.0f;
    button(*m_form, Control::Cmd3)->click();
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(letterBox(*m_form), Qt::Key_1); // rejected: a cue and its pause
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(Module1::SoundFile, QCoreApplication::applicationDirPath() + u"/fehlerton.wav"_s);
    QVERIFY2(elapsed >= 290, qPrintable(u"the cue held the game for %1 ms"_s.arg(elapsed)));

    Module1::SoundFile.clear();
    QTest::keyClick(letterBox(*m_form), Qt::Key_Space); // ignored: no cue, so no pause
    QVERIFY(Module1::SoundFile.isEmpty());
}

void Form1GuessingTest::keysPressedDuringAPauseFollowInOrder()
{
    startSixLetterGame(QString(), [](const QString &w) { return w.contains(u'E') && !w.contains(u'Q'); });
    // Three keys arrive at once; the first one's cue holds the game, the others wait their turn.
    for (const auto &[key, text] : {std::pair{Qt::Key_Q, "q"}, {Qt::Key_1, "1"}, {Qt::Key_E, "e"}}) {
        QCoreApplication::postEvent(letterBox(*m_form), new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(text)));
        QCoreApplication::postEvent(letterBox(*m_form), new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, QString::fromLatin1(text)));
    }
    QTRY_COMPARE(m_form->game().state().LetterAttempts, 2); // the miss and the hit; the digit is rejected
    QVERIFY(m_form->game().state().Mask.contains(u'E'));
    QVERIFY(Module1::SoundFile.endsWith(u"kontrollton.wav"_s)); // the hit came last
    QCOMPARE(letterBox(*m_form)->text(), "  " + m_form->game().state().Mask);
}

void Form1GuessingTest::unplayableCueStillPauses_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::newRow("missing file") << QByteArray();
    QTest::newRow("corrupt file") << QByteArray("RIFF\x10\0\0\0WAVEjunkjunkjunk", 24);
}

void Form1GuessingTest::unplayableCueStillPauses()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"kontrollton.wav"_s);
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    Module1::SoundFile = path;
    QElapsedTimer clock;
    clock.start();
    m_form->PlaySoundCue(); // silent, no message, and the game still holds still
    QVERIFY2(clock.elapsed() >= 290, qPrintable(u"paused only %1 ms"_s.arg(clock.elapsed())));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
}

QTEST_MAIN(Form1GuessingTest)
#include "tst_form1guessing.moc"
