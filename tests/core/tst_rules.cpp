// The rules of play, through the fake window: scripts of player actions and
// what the window shows afterwards.
#include "FakeWindow.h"
#include "Module3.h"
#include "RandomPlay.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;
using enum Control;
using Controls = QList<Control>;

namespace {
const Controls CategoryFace = {Cmd1, Cmd2, Cmd3, Cmd4, cmd5, CmdEnde};
const Controls PlayFace = {LblInfo,       LblZeichen, TxtUser,       LblIhreLösung, TxtIhreLösung,
                           LblLösVersuch, CmdZurück,  CmdNeuesSpiel, CmdLösung,     CmdRatehilfe};

// A message box in short: G<attempts>:<word> the congratulation, H the wrong guess, L:<word> the solution.
QString brief(const FakeWindow::Message &m)
{
    static const QRegularExpression won(u"^Wort nach (\\d+) Versuchen erraten!\r\nLösungswort: (.+)$"_s);
    const auto match = won.match(m.prompt);
    if (m.style != 0)
        return u"style %1"_s.arg(m.style);
    if (m.title == u"Herzlichen Glückwunsch" && match.hasMatch())
        return u"G%1:%2"_s.arg(match.captured(1), match.captured(2));
    if (m.title == u"Hinweis" && m.prompt == u"Leider falsch vermutet!")
        return u"H"_s;
    if (m.title == u"Lösung" && m.prompt.startsWith(u"Gesucht wurde: "))
        return u"L:"_s + m.prompt.mid(15);
    return m.title + u": "_s + m.prompt;
}
} // namespace

class RulesTest : public QObject
{
    Q_OBJECT

private slots:
    void play_data();
    void play();
    void startUp();
    void countersStopAtTheirLimit();
    void categoryClickFillsItsListAgain();
    void tabPlaces();
    void randomPlay();
};

void RulesTest::play_data()
{
    // What the window shows after a script: the letter box | the word, letters counted / wrong
    // words | the cues (k kontrollton, f fehlerton, g gewonnen) | the message boxes | the
    // solution box | the focus.
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("shown");
    const struct
    {
        const char *name;
        const char16_t *script, *shown;
    } rows[] = {
        // Starting a game: the clock's digits pick the word.
        {"12:32:03.45, 4 letters", u"@45123.45 1", u"  ....|KAUZ 0/0||||TxtUser"},
        {"12:32:03.45, 6 letters", u"@45123.45 2", u"  ......|POESIE 0/0||||TxtUser"},
        {"12:32:03.45, 8 letters", u"@45123.45 3", u"  ........|BUSINESS 0/0||||TxtUser"},
        {"12:32:03.45, 10 letters", u"@45123.45 4", u"  ..........|VIEHWEIDEN 0/0||||TxtUser"},
        {"12:32:03.45, 12 letters", u"@45123.45 5", u"  ............|VORBEDEUTUNG 0/0||||TxtUser"},
        // Letters.
        {"lower case", u"@TOMATE 2 t:e", u"  .....E|TOMATE 1/0|k|||TxtUser"},
        {"every position", u"@TOMATE 2 t:T", u"  T...T.|TOMATE 1/0|k|||TxtUser"},
        {"three times, one count", u"@ANANAS 2 t:a", u"  A.A.A.|ANANAS 1/0|k|||TxtUser"},
        {"ß stays ß", u"@STRAßE 2 t:ß", u"  ....ß.|STRAßE 1/0|k|||TxtUser"},
        {"ä", u"@BÄCKER 2 t:ä", u"  .Ä....|BÄCKER 1/0|k|||TxtUser"},
        {"ö", u"@GERÖLL 2 t:ö", u"  ...Ö..|GERÖLL 1/0|k|||TxtUser"},
        {"ü", u"@BRÜCHE 2 t:ü", u"  ..Ü...|BRÜCHE 1/0|k|||TxtUser"},
        {"a miss counts", u"@TOMATE 2 t:x", u"  ......|TOMATE 1/0|f|||TxtUser"},
        {"rejected characters", u"@TOMATE 2 t:7,é-@€\U0001F600\tÿ.", u"  ......|TOMATE 0/0|ffffffffff|||TxtUser"},
        {"revealed letters count again", u"@TOMATE 2 t:eE1t T:T...TE", u"  T...TE|TOMATE 4/0|kkfkk|||TxtUser"},
        {"a hyphen is never revealed", u"@FILM-LEXIKON 5 t:FILMEXKON-", u"  FILM.LEXIKON|FILM-LEXIKON 9/0|kkkkkkkkkf|||TxtUser"},
        // Edits of the letter box.
        {"a blank typed first: ignored", u"@TOMATE 2 T:___......", u"   ......|TOMATE 0/0||||TxtUser"},
        {"one blank deleted: ignored", u"@TOMATE 2 T:_......", u" ......|TOMATE 0/0||||TxtUser"},
        {"both blanks deleted: the dot", u"@TOMATE 2 T:......", u"  ......|TOMATE 0/0|f|||TxtUser"},
        {"a paste: its first character", u"@TOMATE 2 T:xyz__......", u"  ......|TOMATE 1/0|f|||TxtUser"},
        {"typed after the blanks: stays", u"@TOMATE 2 T:__a......", u"  a......|TOMATE 0/0||||TxtUser"},
        {"ignored input that fills the box is cleared", u"@VORBEDEUTUNG 5 t:_", u"  ............|VORBEDEUTUNG 0/0||||TxtUser"},
        {"and the next key counts", u"@TOMATE 2 t:_________e", u"  .....E|TOMATE 1/0|k|||TxtUser"},
        {"emptied: ignored", u"@TOMATE 2 T:", u"|TOMATE 0/0||||TxtUser"},
        // Wins and whole words.
        {"won by letters", u"@AALE 1 t:xal @ABEL t:e", u"  ....|ABEL 0/0|fkkkg|G4:AALE||TxtUser"},
        {"whole word in lower case", u"@TOMATE 2 t:q @TONNEN S:tomate", u"  ......|TONNEN 0/0|fg|G1:TOMATE||TxtUser"},
        {"blanks around the word", u"@TOMATE 2 S:__tomate_", u"  ......|TOMATE 0/0|g|G0:TOMATE||TxtUser"},
        {"ß is not SS", u"@STRAßE 2 S:straße", u"  ......|STRAßE 0/0|g|G0:STRAßE||TxtUser"},
        {"umlaut in lower case", u"@GERÖLL 2 S:geröll", u"  ......|GERÖLL 0/0|g|G0:GERÖLL||TxtUser"},
        {"a blank inside is one too many", u"@TOMATE 2 S:tom_ate", u"  ......|TOMATE 0/0|||tom ate|TxtIhreLösung"},
        {"still typing", u"@TOMATE 2 s:tomat", u"  ......|TOMATE 0/0|||tomat|TxtIhreLösung"},
        {"only blanks", u"@TOMATE 2 S:______", u"  ......|TOMATE 0/0|||      |TxtIhreLösung"},
        {"longer than the word", u"@TOMATE 2 S:tomatex", u"  ......|TOMATE 0/0|||tomatex|TxtIhreLösung"},
        {"a wrong word", u"@TOMATE 2 t:e S:tomatx", u"  .....E|TOMATE 1/1|kf|H||TxtUser"},
        {"wrong words count apart", u"@TOMATE 2 S:tomatx s:tomatx t:eq S:tomatexyz S:tomate", u"  ......|TOMATE 0/0|ffkfg|H H G2:TOMATE||TxtUser"},
        {"typed with its hyphen", u"@FILM-LEXIKON 5 s:filmlexikon S: s:film-lexikon", u"  ............|FILM-LEXIKON 0/0|g|G0:FILM-LEXIKON||TxtUser"},
        // The guess help.
        {"help: the first position only", u"@TOMATE 2 R", u"  T.....|TOMATE 0/0|k|||TxtUser"},
        {"help twice", u"@TOMATE 2 R R t:t", u"  T...T.|TOMATE 1/0|kkk|||TxtUser"},
        {"help after the letter", u"@TOMATE 2 t:t R", u"  T...T.|TOMATE 1/0|kk|||TxtUser"},
        {"help completes, a hit wins", u"@BÄCKER 2 t:äcker R t:q5 @ABFALL t:r", u"  ......|ABFALL 0/0|kkkkkkffkg|G7:BÄCKER||TxtUser"},
        // New game, solution, going back.
        {"Neues Spiel", u"@TOMATE 2 t:e S:tom @TONNEN N", u"  ......|TONNEN 0/0|k|||TxtUser"},
        {"Lösung", u"@KRÜMMUNG 3 t:u S:x @ARROGANZ L", u"  ........|ARROGANZ 0/0|k|L:KRÜMMUNG||TxtUser"},
        {"Zurück keeps the game", u"@HOLZ 1 t:oaz Z", u"  .O.Z|HOLZ 3/0|kfk|||Cmd1"},
        {"another length after Zurück", u"@VORBEDEUTUNG 5 t:e S:abcdefghijkl S:unfertig Z @TOMATE 2", u"  ......|TOMATE 0/0|kf|H||TxtUser"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << QString::fromUtf16(row.script) << QString::fromUtf16(row.shown);
}

void RulesTest::play()
{
    QFETCH(QString, script);
    QFETCH(QString, shown);
    FakeWindow f;
    f.play(script);
    QStringList boxes;
    for (const FakeWindow::Message &m : f.messages)
        boxes.append(brief(m));
    const GameState &s = f.state();
    QCOMPARE(u"%1|%2 %3/%4|%5|%6|%7|%8"_s.arg(f.texts[TxtUser], s.SecretWord).arg(s.LetterAttempts).arg(s.SolutionAttempts)
                 .arg(f.cues(), boxes.join(u' '), f.texts[TxtIhreLösung], controlName(f.focus)), shown);
    QCOMPARE(f.visibleControls(), f.focus == Cmd1 ? CategoryFace : PlayFace); // Cmd1 has it while the lengths show
    QCOMPARE(f.caret[TxtUser], 0); // every keystroke arrives first
}

void RulesTest::startUp()
{
    FakeWindow f;
    QCOMPARE(f.fontSize, 16);
    QVERIFY(f.fontBold);
    QCOMPARE(f.captions[LblInfo], u"Drücken Sie die Buchstaben a bis z, die Umlaute \r\n"
                                         u"oder das ß. Gibt es den Buchstaben im Wort, wird \r\n"
                                         u"der jeweilige Punkt durch das Zeichen ausgetauscht."_s);
    QCOMPARE(f.state().AppPath, u"/opt/zeichenfang"_s + QDir::separator());
    QCOMPARE(f.game.words4().entry(799), u"ÖSEN"_s);
    QCOMPARE(f.game.words8().entry(2046), u"ÜBERLAUF"_s);
    QCOMPARE(f.visibleControls(), CategoryFace);
    f.play(u"N"_s); // nothing leads here before a category is chosen, and nothing breaks
    QCOMPARE(f.platform.readings, 0);
    f.play(u"E"_s);
    QVERIFY(f.closed);
    QVERIFY(f.messages.isEmpty());
}

void RulesTest::countersStopAtTheirLimit()
{
    FakeWindow f;
    f.play(u"@AALE 1"_s);
    for (int i = 0; i < 32768; ++i)
        f.play(u"t:q S:alle"_s);
    // A 16-bit count would wrap round to -32768; it stays at its highest value.
    QCOMPARE(f.captions[LblZeichen], "Versuch 32767");
    QCOMPARE(f.captions[LblLösVersuch], "Versuch 32767");
}

void RulesTest::categoryClickFillsItsListAgain()
{
    FakeWindow f;
    f.play(u"@TOMATE"_s);
    auto &words6 = const_cast<WordList &>(listOf(6));
    words6.store(1230, u"QQQQQQ");
    f.play(u"1 Z 3 Z"_s); // other lengths fill nothing
    QCOMPARE(Module3::Words6.entry(1230), u"QQQQQQ"_s);
    f.play(u"2"_s); // its own button fills it before the pick
    QCOMPARE(f.state().SecretWord, u"TOMATE"_s);
    words6.store(1230, u"QQQQQQ");
    f.play(u"N"_s); // a new game fills nothing
    QCOMPARE(f.state().SecretWord, u"QQQQQQ"_s);
    Module3::FillWordList6();
}

void RulesTest::tabPlaces()
{
    const auto order = [](const TabSequence &tabs) { return Controls(tabs.sequence().begin(), tabs.sequence().end()); };
    const Controls play = {TxtUser, TxtIhreLösung, CmdZurück, Cmd1, CmdNeuesSpiel, CmdLösung, Cmd2, Cmd3,
                           Cmd4, cmd5, LblZeichen, CmdEnde, LblIhreLösung, LblLösVersuch, LblInfo, CmdRatehilfe};
    FakeWindow f;
    f.play(u"1"_s);
    QCOMPARE(order(f.tabs), play);
    f.play(u"Z 2"_s); // a second game keeps the order
    QCOMPARE(order(f.tabs), play);
    TabSequence tabs;
    tabs.setTabIndex(Cmd1, 3); // forward: those in between move up
    tabs.setTabIndex(LblInfo, 99); // past the end: last
    QCOMPARE(order(tabs), (Controls{Cmd2, Cmd3, CmdZurück, Cmd1, Cmd4, cmd5, TxtUser, LblZeichen, TxtIhreLösung, CmdEnde,
                                    LblIhreLösung, LblLösVersuch, CmdNeuesSpiel, CmdLösung, CmdRatehilfe, LblInfo}));
}

void RulesTest::randomPlay()
{
    // Over a million random events a player could cause, the invariants checked
    // after every one. A failure names its seed; ZEICHENFANG_SEED=<seed> replays it.
    const quint32 only = qEnvironmentVariableIntValue("ZEICHENFANG_SEED");
    int events = 0;
    for (quint32 seed = only ? only : 1; only ? seed == only : events < 1'000'000; ++seed) {
        FakeWindow f; // Ende closes the window: the next seed starts the program afresh
        const RandomPlay::Outcome outcome = RandomPlay::play(f, f.game, f.platform, seed, 10'000, true);
        events += outcome.events;
        QVERIFY2(outcome.wrong.isEmpty(), qPrintable(outcome.wrong + u"; replay with ZEICHENFANG_SEED=%1"_s.arg(seed)));
    }
    qInfo("%d events", events);
}

QTEST_APPLESS_MAIN(RulesTest)
#include "tst_rules.moc"
