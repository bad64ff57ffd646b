// The rules of play, through the fake window: scripts of player actions and
// what the window shows afterwards.
#include "FakeWindow.h"
#include "Module3.h"

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
    void winAnnouncementComesBeforeTheNextWord();
    void attemptCaptions();
    void countersStopAtTheirLimit();
    void categoryClickFillsItsListAgain();
    void tabPlaces();
};

void RulesTest::play_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("box"); // the letter box
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("counts"); // letters / wrong words
    QTest::addColumn<QString>("cues");   // k kontrollton, f fehlerton, g gewonnen
    QTest::addColumn<QString>("messages");
    QTest::addColumn<QString>("solution");
    QTest::addColumn<QString>("focus");
    const struct
    {
        const char *name;
        const char16_t *script, *box, *word, *counts, *cues, *messages, *solution, *focus;
    } rows[] = {
        // Starting a game: the clock's digits pick the word.
        {"12:32:03.45, 4 letters", u"@45123.45 1", u"  ....", u"KAUZ", u"0/0", u"", u"", u"", u"TxtUser"},
        {"12:32:03.45, 6 letters", u"@45123.45 2", u"  ......", u"POESIE", u"0/0", u"", u"", u"", u"TxtUser"},
        {"12:32:03.45, 8 letters", u"@45123.45 3", u"  ........", u"BUSINESS", u"0/0", u"", u"", u"", u"TxtUser"},
        {"12:32:03.45, 10 letters", u"@45123.45 4", u"  ..........", u"VIEHWEIDEN", u"0/0", u"", u"", u"", u"TxtUser"},
        {"12:32:03.45, 12 letters", u"@45123.45 5", u"  ............", u"VORBEDEUTUNG", u"0/0", u"", u"", u"", u"TxtUser"},
        // Letters.
        {"lower case", u"@TOMATE 2 t:e", u"  .....E", u"TOMATE", u"1/0", u"k", u"", u"", u"TxtUser"},
        {"every position", u"@TOMATE 2 t:T", u"  T...T.", u"TOMATE", u"1/0", u"k", u"", u"", u"TxtUser"},
        {"three times, one count", u"@ANANAS 2 t:a", u"  A.A.A.", u"ANANAS", u"1/0", u"k", u"", u"", u"TxtUser"},
        {"ß stays ß", u"@STRAßE 2 t:ß", u"  ....ß.", u"STRAßE", u"1/0", u"k", u"", u"", u"TxtUser"},
        {"ä", u"@BÄCKER 2 t:ä", u"  .Ä....", u"BÄCKER", u"1/0", u"k", u"", u"", u"TxtUser"},
        {"ö", u"@GERÖLL 2 t:ö", u"  ...Ö..", u"GERÖLL", u"1/0", u"k", u"", u"", u"TxtUser"},
        {"ü", u"@BRÜCHE 2 t:ü", u"  ..Ü...", u"BRÜCHE", u"1/0", u"k", u"", u"", u"TxtUser"},
        {"a miss counts", u"@TOMATE 2 t:x", u"  ......", u"TOMATE", u"1/0", u"f", u"", u"", u"TxtUser"},
        {"rejected characters", u"@TOMATE 2 t:7,é-@€\U0001F600\tÿ.", u"  ......", u"TOMATE", u"0/0", u"ffffffffff", u"", u"", u"TxtUser"},
        {"revealed letters count again", u"@TOMATE 2 t:eE1t T:T...TE", u"  T...TE", u"TOMATE", u"4/0", u"kkfkk", u"", u"", u"TxtUser"},
        {"a hyphen is never revealed", u"@FILM-LEXIKON 5 t:FILMEXKON-", u"  FILM.LEXIKON", u"FILM-LEXIKON", u"9/0", u"kkkkkkkkkf", u"", u"", u"TxtUser"},
        {"a key release puts the caret back", u"@TOMATE 2 u", u"  ......", u"TOMATE", u"0/0", u"", u"", u"", u"TxtUser"},
        // Edits of the letter box.
        {"a blank typed first: ignored", u"@TOMATE 2 T:___......", u"   ......", u"TOMATE", u"0/0", u"", u"", u"", u"TxtUser"},
        {"one blank deleted: ignored", u"@TOMATE 2 T:_......", u" ......", u"TOMATE", u"0/0", u"", u"", u"", u"TxtUser"},
        {"both blanks deleted: the dot", u"@TOMATE 2 T:......", u"  ......", u"TOMATE", u"0/0", u"f", u"", u"", u"TxtUser"},
        {"a paste: its first character", u"@TOMATE 2 T:xyz__......", u"  ......", u"TOMATE", u"1/0", u"f", u"", u"", u"TxtUser"},
        {"typed after the blanks: stays", u"@TOMATE 2 T:__a......", u"  a......", u"TOMATE", u"0/0", u"", u"", u"", u"TxtUser"},
        {"ignored input that fills the box is cleared", u"@VORBEDEUTUNG 5 t:_", u"  ............", u"VORBEDEUTUNG", u"0/0", u"", u"", u"", u"TxtUser"},
        {"and the next key counts", u"@TOMATE 2 t:_________e", u"  .....E", u"TOMATE", u"1/0", u"k", u"", u"", u"TxtUser"},
        {"emptied: ignored", u"@TOMATE 2 T:", u"", u"TOMATE", u"0/0", u"", u"", u"", u"TxtUser"},
        // Wins and whole words.
        {"won by letters", u"@AALE 1 t:xal @ABEL t:e", u"  ....", u"ABEL", u"0/0", u"fkkkg", u"G4:AALE", u"", u"TxtUser"},
        {"whole word in lower case", u"@TOMATE 2 t:q @TONNEN S:tomate", u"  ......", u"TONNEN", u"0/0", u"fg", u"G1:TOMATE", u"", u"TxtUser"},
        {"blanks around the word", u"@TOMATE 2 S:__tomate_", u"  ......", u"TOMATE", u"0/0", u"g", u"G0:TOMATE", u"", u"TxtUser"},
        {"ß is not SS", u"@STRAßE 2 S:straße", u"  ......", u"STRAßE", u"0/0", u"g", u"G0:STRAßE", u"", u"TxtUser"},
        {"umlaut in lower case", u"@GERÖLL 2 S:geröll", u"  ......", u"GERÖLL", u"0/0", u"g", u"G0:GERÖLL", u"", u"TxtUser"},
        {"a blank inside is one too many", u"@TOMATE 2 S:tom_ate", u"  ......", u"TOMATE", u"0/0", u"", u"", u"tom ate", u"TxtIhreLösung"},
        {"still typing", u"@TOMATE 2 s:tomat", u"  ......", u"TOMATE", u"0/0", u"", u"", u"tomat", u"TxtIhreLösung"},
        {"only blanks", u"@TOMATE 2 S:______", u"  ......", u"TOMATE", u"0/0", u"", u"", u"      ", u"TxtIhreLösung"},
        {"longer than the word", u"@TOMATE 2 S:tomatex", u"  ......", u"TOMATE", u"0/0", u"", u"", u"tomatex", u"TxtIhreLösung"},
        {"a wrong word", u"@TOMATE 2 t:e S:tomatx", u"  .....E", u"TOMATE", u"1/1", u"kf", u"H", u"", u"TxtUser"},
        {"wrong words count apart", u"@TOMATE 2 S:tomatx s:tomatx t:eq S:tomatexyz S:tomate", u"  ......", u"TOMATE", u"0/0", u"ffkfg", u"H H G2:TOMATE", u"", u"TxtUser"},
        {"typed with its hyphen", u"@FILM-LEXIKON 5 s:filmlexikon S: s:film-lexikon", u"  ............", u"FILM-LEXIKON", u"0/0", u"g", u"G0:FILM-LEXIKON", u"", u"TxtUser"},
        // The guess help.
        {"help: the first position only", u"@TOMATE 2 R", u"  T.....", u"TOMATE", u"0/0", u"k", u"", u"", u"TxtUser"},
        {"help twice", u"@TOMATE 2 R R t:t", u"  T...T.", u"TOMATE", u"1/0", u"kkk", u"", u"", u"TxtUser"},
        {"help after the letter", u"@TOMATE 2 t:t R", u"  T...T.", u"TOMATE", u"1/0", u"kk", u"", u"", u"TxtUser"},
        {"help completes, a hit wins", u"@BÄCKER 2 t:äcker R t:q5 @ABFALL t:r", u"  ......", u"ABFALL", u"0/0", u"kkkkkkffkg", u"G7:BÄCKER", u"", u"TxtUser"},
        // New game, solution, going back.
        {"Neues Spiel", u"@TOMATE 2 t:e S:tom @TONNEN N", u"  ......", u"TONNEN", u"0/0", u"k", u"", u"", u"TxtUser"},
        {"Lösung", u"@KRÜMMUNG 3 t:u S:x @ARROGANZ L", u"  ........", u"ARROGANZ", u"0/0", u"k", u"L:KRÜMMUNG", u"", u"TxtUser"},
        {"Zurück keeps the game", u"@HOLZ 1 t:oaz Z", u"  .O.Z", u"HOLZ", u"3/0", u"kfk", u"", u"", u"Cmd1"},
        {"another length after Zurück", u"@VORBEDEUTUNG 5 t:e S:abcdefghijkl S:unfertig Z @TOMATE 2", u"  ......", u"TOMATE", u"0/0", u"kf", u"H", u"", u"TxtUser"},
    };
    for (const auto &r : rows) {
        QTest::newRow(r.name) << QString::fromUtf16(r.script) << QString::fromUtf16(r.box) << QString::fromUtf16(r.word)
                              << QString::fromUtf16(r.counts) << QString::fromUtf16(r.cues) << QString::fromUtf16(r.messages)
                              << QString::fromUtf16(r.solution) << QString::fromUtf16(r.focus);
    }
}

void RulesTest::play()
{
    QFETCH(QString, script);
    QFETCH(QString, box);
    QFETCH(QString, word);
    QFETCH(QString, counts);
    QFETCH(QString, cues);
    QFETCH(QString, messages);
    QFETCH(QString, solution);
    QFETCH(QString, focus);

    FakeWindow f;
    f.play(script);
    QStringList shown;
    for (const FakeWindow::Message &m : f.messages)
        shown.append(brief(m));
    QCOMPARE(shown.join(u' '), messages);
    QCOMPARE(f.cues(), cues);
    QCOMPARE(f.state().SecretWord, word);
    QCOMPARE(u"%1/%2"_s.arg(f.state().LetterAttempts).arg(f.state().SolutionAttempts), counts);
    QCOMPARE(f.texts[TxtUser], box);
    QCOMPARE(f.visibleControls(), focus == u"Cmd1" ? CategoryFace : PlayFace); // Cmd1 has it while the lengths show
    QCOMPARE(f.texts[TxtIhreLösung], solution);
    QCOMPARE(controlName(f.focus), focus);
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

void RulesTest::winAnnouncementComesBeforeTheNextWord()
{
    FakeWindow f;
    f.play(u"@AALE 1 t:al @ABEL"_s);
    QString maskWhileOpen;
    f.onMessageBox = [&](const FakeWindow::Message &) { maskWhileOpen = f.state().Mask; };
    f.log.clear();
    f.play(u"t:e"_s);
    QCOMPARE(f.log, (QStringList{"cue:kontrollton.wav", "cue:gewonnen.wav", u"box:Herzlichen Glückwunsch"_s,
                                        "text:TxtUser=", u"text:TxtIhreLösung="_s, "focus:TxtUser",
                                        "text:TxtUser=  ....", "focus:TxtUser"}));
    QCOMPARE(f.messages[0].prompt, u"Wort nach 3 Versuchen erraten!\r\nLösungswort: AALE"_s);
    QCOMPARE(maskWhileOpen, u"AALE"_s);
}

void RulesTest::attemptCaptions()
{
    FakeWindow f;
    QStringList seen;
    for (const QString &step : {u"@TOMATE 2"_s, u"t:e"_s, u"t:1"_s, u"t:e"_s, u"S:tomatx"_s, u"S:tomatx"_s, u"N"_s})
        f.play(step), seen.append(f.captions[LblZeichen] + u'/' + f.captions[LblLösVersuch]);
    QCOMPARE(seen, (QStringList{"Versuch 1/Versuch 1", "Versuch 1/Versuch 1", "Versuch 1/Versuch 1",
                                "Versuch 2/Versuch 1", "Versuch 2/Versuch 1", "Versuch 2/Versuch 2",
                                "Versuch 1/Versuch 1"}));
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

QTEST_APPLESS_MAIN(RulesTest)
#include "tst_rules.moc"
