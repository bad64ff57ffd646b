// Starting games in the real window, new game, solution, going back, Tab.
#include "GuiTestSupport.h"
#include "Module3.h"

using namespace Qt::StringLiterals;

class Form1GamesTest : public WindowTest
{
    Q_OBJECT

private slots:
    void categoryButtonShowsItsDots_data();
    void categoryButtonShowsItsDots();
    void altThreeStartsAnEightLetterGame();
    void solutionShowsTheWordAndStartsANewGame();
    void neuesSpielOnTheSameDotsPutsTheCaretBack();
    void tabCycleInPlayAndAfterGoingBack();
    void escapeGoesBack();
    void endeEndsTheProgram();

private:
    QStringList tabCycle(int steps);
};

QStringList Form1GamesTest::tabCycle(int steps)
{
    QStringList visited;
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(focusName());
    }
    return visited;
}

void Form1GamesTest::categoryButtonShowsItsDots_data()
{
    QTest::addColumn<Control>("categoryButton");
    QTest::addColumn<int>("letters");
    QTest::newRow("Cmd1") << Control::Cmd1 << 4;
    QTest::newRow("Cmd2") << Control::Cmd2 << 6;
    QTest::newRow("Cmd3") << Control::Cmd3 << 8;
    QTest::newRow("Cmd4") << Control::Cmd4 << 10;
    QTest::newRow("cmd5") << Control::cmd5 << 12;
}

void Form1GamesTest::categoryButtonShowsItsDots()
{
    QFETCH(Control, categoryButton);
    QFETCH(int, letters);

    m_platform.reading = 45123.45f;
    QTest::mouseClick(button(*m_form, categoryButton), Qt::LeftButton);
    QCOMPARE(letterBox(*m_form)->text(), "  " + QString(letters, u'.'));
    QCOMPARE(m_form->game().state().SecretWord.size(), letters);
    QCOMPARE(letterBox(*m_form)->cursorPosition(), 0);
    QTRY_COMPARE(focusName(), "TxtUser");
    QVERIFY(!button(*m_form, Control::CmdEnde)->isVisible());
    QVERIFY(widget<QLabel>(*m_form, Control::LblInfo)->isVisible());
    QCOMPARE(widget<QLabel>(*m_form, Control::LblZeichen)->text(), "Versuch 1");
    QCOMPARE(widget<QLabel>(*m_form, Control::LblLösVersuch)->text(), "Versuch 1");
    QCOMPARE(solutionBox(*m_form)->text(), QString());
}

void Form1GamesTest::altThreeStartsAnEightLetterGame()
{
    QTest::keyClick(m_form.get(), Qt::Key_3, Qt::AltModifier);
    QTRY_COMPARE(letterBox(*m_form)->text(), "  ........");
    QCOMPARE(m_form->game().state().Category, 3);
    QTRY_COMPARE(focusName(), "TxtUser");
}

void Form1GamesTest::solutionShowsTheWordAndStartsANewGame()
{
    m_platform.reading = 45120.0f;
    button(*m_form, Control::Cmd3)->click();
    const QString word = m_form->game().state().SecretWord;
    QTest::keyClick(letterBox(*m_form), Qt::Key_Q); // something to clear
    QTest::keyClicks(solutionBox(*m_form), "abc");

    m_platform.reading = 17.0f;
    MessageBoxCatcher boxes;
    QTest::keyClick(m_form.get(), Qt::Key_L, Qt::AltModifier);
    QTRY_COMPARE(boxes.seen.size(), 1);
    const auto &box = boxes.seen.front();
    QCOMPARE(box.title, u"Lösung"_s);
    QCOMPARE(box.text, "Gesucht wurde: " + word);
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttonCount, 1);

    QTRY_COMPARE(m_form->game().state().WordIndex, 17);
    QCOMPARE(m_form->game().state().SecretWord.size(), 8);
    QCOMPARE(letterBox(*m_form)->text(), "  ........");
    QCOMPARE(widget<QLabel>(*m_form, Control::LblZeichen)->text(), "Versuch 1");
    QCOMPARE(widget<QLabel>(*m_form, Control::LblLösVersuch)->text(), "Versuch 1");
    QCOMPARE(solutionBox(*m_form)->text(), QString());
}

void Form1GamesTest::neuesSpielOnTheSameDotsPutsTheCaretBack()
{
    button(*m_form, Control::Cmd1)->click();
    letterBox(*m_form)->setCursorPosition(6); // the player clicked after the dots
    button(*m_form, Control::CmdNeuesSpiel)->click();
    QCOMPARE(letterBox(*m_form)->text(), "  ....");
    QCOMPARE(letterBox(*m_form)->cursorPosition(), 0);
    QTRY_COMPARE(focusName(), "TxtUser");
}

void Form1GamesTest::tabCycleInPlayAndAfterGoingBack()
{
    button(*m_form, Control::Cmd2)->click();
    QTRY_COMPARE(focusName(), "TxtUser");
    QCOMPARE(tabCycle(6), (QStringList{u"TxtIhreLösung"_s, u"CmdZurück"_s, "CmdNeuesSpiel", u"CmdLösung"_s,
                                       "CmdRatehilfe", "TxtUser"}));

    // A second game does not change the order.
    button(*m_form, Control::CmdNeuesSpiel)->click();
    QTRY_COMPARE(focusName(), "TxtUser");
    QCOMPARE(tabCycle(2), (QStringList{u"TxtIhreLösung"_s, u"CmdZurück"_s}));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space); // clicks "Zurück"
    QTRY_COMPARE(focusName(), "Cmd1");
    QCOMPARE(tabCycle(6), (QStringList{"Cmd2", "Cmd3", "Cmd4", "cmd5", "CmdEnde", "Cmd1"}));
}

void Form1GamesTest::escapeGoesBack()
{
    button(*m_form, Control::Cmd4)->click();
    QTest::keyClick(letterBox(*m_form), Qt::Key_Escape);
    QTRY_VERIFY(button(*m_form, Control::Cmd1)->isVisible());
    QVERIFY(!letterBox(*m_form)->isVisible());
    QTRY_COMPARE(focusName(), "Cmd1");
    QCOMPARE(m_form->game().state().Category, 4); // going back changes nothing in the game
}

void Form1GamesTest::endeEndsTheProgram()
{
    button(*m_form, Control::Cmd1)->click();
    button(*m_form, Control::CmdZurück)->click();
    QTest::mouseClick(button(*m_form, Control::CmdEnde), Qt::LeftButton);
    QVERIFY(!m_form->isVisible());
}

QTEST_MAIN(Form1GamesTest)
#include "tst_form1games.moc"
