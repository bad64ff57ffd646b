// Start-up, starting games, new game, solution, going back and ending.
#include "GameFixture.h"
#include "Module1.h"
#include "Module2.h"
#include "Module3.h"
#include "Module4.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;
using ControlList = QList<Control>;

namespace {
using enum Control;

const ControlList CategoryFace = {Cmd1, Cmd2, Cmd3, Cmd4, cmd5, CmdEnde};
const ControlList PlayFace = {LblInfo,       LblZeichen,    TxtUser,   LblIhreLösung, TxtIhreLösung,
                              LblLösVersuch, CmdZurück,     CmdNeuesSpiel, CmdLösung, CmdRatehilfe};

WordList &programWideList(int category)
{
    return category == 2 ? Module3::Words6 : category == 4 ? Module4::Words10 : Module2::Words12;
}
} // namespace

class GameLifecycleTest : public QObject
{
    Q_OBJECT

private slots:
    void programWideListsStayEmptyUntilTheirCategory();
    void formLoad();
    void categoryStart_data();
    void categoryStart();
    void categoryStartOrder();
    void categoriesOneAndThreeFillNoProgramWideList();
    void solutionShowsTheWordThenANewGame();
    void neuesSpielKeepsTheCategoryAndFillsNothing();
    void goingBackChangesNothingInTheGame();
    void anotherCategoryAfterGoingBackLeavesNothingOfTheOldGame();
    void endeClosesTheWindow();
};

void GameLifecycleTest::programWideListsStayEmptyUntilTheirCategory()
{
    // Runs first in this process: nothing has filled the program-wide lists yet.
    FakeWindow window;
    FakePlatform platform;
    Game game(window, platform);
    window.attach(&game);
    game.Form_Load();
    QCOMPARE(Module3::Words6.entry(1), QString(6, QChar(0)));
    QCOMPARE(Module4::Words10.entry(1), QString(10, QChar(0)));
    QCOMPARE(Module2::Words12.entry(1), QString());

    platform.reading = 1.0f;
    game.Cmd2_Click();
    QCOMPARE(game.state().SecretWord, QStringLiteral("AACHEN")); // the very first game has its word
}

void GameLifecycleTest::formLoad()
{
    GameFixture f;
    QCOMPARE(f.window.fontSize(TxtUser), 16);
    QVERIFY(f.window.fontBold(TxtUser));

    const QString instructions = f.window.caption(LblInfo);
    QCOMPARE(instructions.size(), 152);
    const QStringList lines = instructions.split(QStringLiteral("\r\n"));
    QCOMPARE(lines, (QStringList{u"Drücken Sie die Buchstaben a bis z, die Umlaute "_s,
                                 u"oder das ß. Gibt es den Buchstaben im Wort, wird "_s,
                                 u"der jeweilige Punkt durch das Zeichen ausgetauscht."_s}));

    QCOMPARE(f.game.state().AppPath, f.window.directory + QDir::separator());
    QCOMPARE(f.game.words4().entry(799), u"ÖSEN"_s);
    QCOMPARE(f.game.words8().entry(2046), u"ÜBERLAUF"_s);
    QCOMPARE(f.window.visibleControls(), CategoryFace);
    QCOMPARE(f.game.state().Category, 0);
}

void GameLifecycleTest::categoryStart_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("maxIndex");
    QTest::addColumn<int>("indexDigits");
    QTest::addColumn<QString>("dots");

    QTest::newRow("Cmd1") << 1 << 799 << 3 << "....";
    QTest::newRow("Cmd2") << 2 << 1402 << 4 << "......";
    QTest::newRow("Cmd3") << 3 << 2046 << 4 << "........";
    QTest::newRow("Cmd4") << 4 << 2584 << 4 << "..........";
    QTest::newRow("cmd5") << 5 << 2497 << 4 << "............";
}

void GameLifecycleTest::categoryStart()
{
    QFETCH(int, category);
    QFETCH(int, maxIndex);
    QFETCH(int, indexDigits);
    QFETCH(QString, dots);

    GameFixture f;
    f.platform.reading = 45123.45f; // 12:32:03.45
    if (category == 2 || category == 4 || category == 5) {
        // A damaged entry proves the click fills the list again before the pick.
        const int picked = category == 2 ? 943 : 2345;
        WordList &list = programWideList(category);
        f.listFor(dots.size());
        const QString word = list.entry(picked);
        list.store(picked, QString(dots.size(), QLatin1Char('Q')));
        f.clickCategory(category);
        QCOMPARE(f.game.state().SecretWord, word);
    } else {
        f.clickCategory(category);
    }

    const GameState &s = f.game.state();
    QCOMPARE(s.Category, category);
    QCOMPARE(s.MaxIndex, maxIndex);
    QCOMPARE(s.IndexDigits, indexDigits);
    QCOMPARE(s.WordIndex, category == 1 ? 345 : 2345 > maxIndex ? 2345 - maxIndex : 2345);
    QCOMPARE(s.SecretWord, f.listFor(dots.size()).entry(s.WordIndex));
    QCOMPARE(s.SecretWord.size(), dots.size());
    QCOMPARE(s.Mask, dots);
    QCOMPARE(f.window.text(TxtUser), "  " + dots);
    QCOMPARE(f.window.text(TxtIhreLösung), QString());
    QCOMPARE(f.window.caption(LblZeichen), "Versuch 1");
    QCOMPARE(f.window.caption(LblLösVersuch), "Versuch 1");
    QCOMPARE(f.window.focus(), TxtUser);
    QCOMPARE(f.window.visibleControls(), PlayFace);
    QCOMPARE(s.LetterAttempts, 0);
    QCOMPARE(s.SolutionAttempts, 0);
    QVERIFY(f.cues().isEmpty());
    QVERIFY(f.window.messages().isEmpty());

    const ControlList playTabs = {TxtUser, TxtIhreLösung, CmdZurück, Cmd1,    CmdNeuesSpiel, CmdLösung,     Cmd2,    Cmd3,
                                  Cmd4,    cmd5,          LblZeichen, CmdEnde, LblIhreLösung, LblLösVersuch, LblInfo, CmdRatehilfe};
    QCOMPARE(ControlList(f.window.tabs().sequence().begin(), f.window.tabs().sequence().end()), playTabs);
}

void GameLifecycleTest::categoryStartOrder()
{
    GameFixture f;
    f.platform.reading = 7.0f;
    f.window.log.clear();
    f.game.Cmd2_Click();
    // The solution box is emptied, then the letter box gets the focus, then the dots.
    QCOMPARE(f.window.log, (QStringList{u"text:TxtIhreLösung="_s, "focus:TxtUser", "text:TxtUser=  ......"}));
}

void GameLifecycleTest::categoriesOneAndThreeFillNoProgramWideList()
{
    GameFixture f;
    f.listFor(6);
    const QString word = Module3::Words6.entry(5);
    Module3::Words6.store(5, u"QQQQQQ");
    f.game.Cmd1_Click();
    f.game.CmdZurück_Click();
    f.game.Cmd3_Click();
    QCOMPARE(Module3::Words6.entry(5), u"QQQQQQ"_s);
    Module3::Words6.store(5, word);
}

void GameLifecycleTest::solutionShowsTheWordThenANewGame()
{
    GameFixture f;
    f.platform.reading = 45120.0f; // index 1028 of the 8-letter words
    f.game.Cmd3_Click();
    const QString word = f.game.state().SecretWord;
    QCOMPARE(word, f.game.words8().entry(1028));
    f.window.typeAtCaret(TxtUser, "e");
    f.window.replaceText(TxtIhreLösung, "x");

    f.platform.reading = 100.0f;
    bool oldGameShownDuringTheBox = false;
    f.window.onMessageBox = [&](const FakeWindow::Message &) {
        oldGameShownDuringTheBox = f.game.state().SecretWord == word;
    };
    f.window.log.clear();
    f.game.CmdLösung_Click();

    QCOMPARE(f.window.messages().size(), 1);
    const FakeWindow::Message m = f.window.messages().front();
    QCOMPARE(m.title, u"Lösung"_s);
    QCOMPARE(m.prompt, "Gesucht wurde: " + word);
    QCOMPARE(m.style, 0);
    QVERIFY(oldGameShownDuringTheBox);

    QCOMPARE(f.game.state().SecretWord, f.game.words8().entry(100));
    QCOMPARE(f.game.state().Mask, "........");
    QCOMPARE(f.window.text(TxtUser), "  ........");
    QCOMPARE(f.window.caption(LblZeichen), "Versuch 1");
    QCOMPARE(f.window.caption(LblLösVersuch), "Versuch 1");
    QCOMPARE(f.window.text(TxtIhreLösung), QString());
    QCOMPARE(f.game.state().LetterAttempts, 0);
    QCOMPARE(f.window.focus(), TxtUser);
    QVERIFY(f.cues().isEmpty());
}

void GameLifecycleTest::neuesSpielKeepsTheCategoryAndFillsNothing()
{
    GameFixture f;
    f.platform.reading = 10.0f;
    f.game.Cmd4_Click();
    const QString word = Module4::Words10.entry(11);
    Module4::Words10.store(11, u"QQQQQQQQQQ");

    f.platform.reading = 11.0f;
    f.game.CmdNeuesSpiel_Click();
    QCOMPARE(f.game.state().Category, 4);
    QCOMPARE(f.game.state().SecretWord, u"QQQQQQQQQQ"_s); // not filled again
    QCOMPARE(f.window.text(TxtUser), "  ..........");
    QCOMPARE(f.window.focus(), TxtUser);

    f.game.CmdZurück_Click();
    f.game.Cmd4_Click();
    QCOMPARE(f.game.state().SecretWord, word); // the click fills it again
}

void GameLifecycleTest::goingBackChangesNothingInTheGame()
{
    GameFixture f;
    f.platform.reading = 300.0f;
    f.game.Cmd1_Click();
    f.window.typeAtCaret(TxtUser, "e");
    f.window.typeAtCaret(TxtUser, "a");
    const GameState before = f.game.state();

    f.game.CmdZurück_Click();
    QCOMPARE(f.window.visibleControls(), CategoryFace);
    QCOMPARE(f.window.focus(), Cmd1);
    const GameState &after = f.game.state();
    QCOMPARE(after.Category, before.Category);
    QCOMPARE(after.WordIndex, before.WordIndex);
    QCOMPARE(after.SecretWord, before.SecretWord);
    QCOMPARE(after.Mask, before.Mask);
    QCOMPARE(after.LetterAttempts, before.LetterAttempts);
    QCOMPARE(after.LetterAttempts, 2);
}

void GameLifecycleTest::anotherCategoryAfterGoingBackLeavesNothingOfTheOldGame()
{
    GameFixture f;
    f.platform.reading = 2.0f;
    f.game.cmd5_Click();
    f.window.typeAtCaret(TxtUser, "e");
    f.window.typeAtCaret(TxtUser, "r");
    f.window.replaceText(TxtIhreLösung, "ABCDEFGHIJKL"); // a wrong guess
    QCOMPARE(f.window.caption(LblLösVersuch), "Versuch 1");
    f.window.replaceText(TxtIhreLösung, "unfertig");

    f.game.CmdZurück_Click();
    f.game.Cmd2_Click();
    QCOMPARE(f.window.text(TxtUser), "  ......");
    QCOMPARE(f.window.text(TxtIhreLösung), QString());
    QCOMPARE(f.window.caption(LblZeichen), "Versuch 1");
    QCOMPARE(f.window.caption(LblLösVersuch), "Versuch 1");
    QCOMPARE(f.game.state().LetterAttempts, 0);
    QCOMPARE(f.game.state().SolutionAttempts, 0);
    QCOMPARE(f.window.visibleControls(), PlayFace);
}

void GameLifecycleTest::endeClosesTheWindow()
{
    GameFixture f;
    QVERIFY(!f.window.closed());
    f.game.CmdEnde_Click();
    QVERIFY(f.window.closed());
    QVERIFY(f.window.messages().isEmpty());
}

QTEST_APPLESS_MAIN(GameLifecycleTest)
#include "tst_gamelifecycle.moc"
