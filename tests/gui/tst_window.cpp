// What the Qt window adds to the rules: change events and the caret, access keys and the focus
// chain, wrapped captions, the pause after a cue, a failing handler, the real clock and locale;
// and the rules' random play through real keys, pastes and message boxes.
#include "Form1.h"
#include "Module1.h"
#include "RandomPlay.h"
#include "SystemPlatform.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <ctime>

using namespace Qt::StringLiterals;
using enum Control;

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_form.reset(); }
    void changeEventCaretAndFont();
    void accessKeysAndTab();
    void categoryCaptionsWrapOntoTwoLines();
    void aPauseFollowsEveryCue();
    void aFailingHandlerLeavesTheGameRunning();
    void systemClockAndLocale();
    void textQueries_data();
    void textQueries();
    void whatAScreenReaderGets();
    void aScreenReaderWaitsForAMessageBox();
    void randomPlay();

private:
    template<typename Widget = QWidget>
    Widget *find(Control c) const { return m_form->findChild<Widget *>(controlName(c)); }
    QLineEdit *box(Control c) const { return find<QLineEdit>(c); }
    QPushButton *button(Control c) const { return find<QPushButton>(c); }
    QString caption(Control c) const { return find<QLabel>(c)->text(); }
    QString focused() const { return m_form->focusWidget() ? m_form->focusWidget()->objectName() : QString(); }
    void paste(Control c, const QString &text, int at)
    {
        QApplication::clipboard()->setText(text);
        box(c)->setCursorPosition(at);
        QTest::keyClick(box(c), Qt::Key_V, Qt::ControlModifier);
    }

    FakePlatform m_clock;
    std::unique_ptr<Form1> m_form;
};

void WindowTest::init()
{
    // A fresh window for every test, shown and active so that access keys work.
    m_clock = {};
    m_clock.reading = 1.0f;
    m_form = std::make_unique<Form1>(m_clock);
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void WindowTest::changeEventCaretAndFont()
{
    // Writing the same text again still reaches the game, which puts the caret back.
    button(cmd5)->click(); // AALFISCHEREI
    box(TxtUser)->setCursorPosition(9);
    button(CmdNeuesSpiel)->click();
    QCOMPARE(box(TxtUser)->cursorPosition(), 0);
    QTest::keyClick(box(TxtUser), Qt::Key_End); // undone when the key is released
    QCOMPARE(box(TxtUser)->cursorPosition(), 0);
    QCOMPARE(box(TxtUser)->font().pointSize(), 16);
    QVERIFY(box(TxtUser)->font().bold());
    QCOMPARE(caption(LblInfo).count(u'\n'), 2); // from CR LF
}

void WindowTest::accessKeysAndTab()
{
    QTest::keyClick(m_form.get(), Qt::Key_R, Qt::AltModifier); // hidden: nothing happens
    QTest::keyClick(m_form.get(), Qt::Key_3, Qt::AltModifier);
    QTRY_COMPARE(focused(), "TxtUser");
    // Alt+digit of a hidden button, and Alt with no access key, do nothing: Ratehilfe's late click follows.
    QTest::keyClick(box(TxtUser), Qt::Key_1, Qt::AltModifier);
    QTest::keyClick(box(TxtUser), Qt::Key_X, Qt::AltModifier);
    QTest::keyClick(box(TxtIhreLösung), Qt::Key_4, Qt::AltModifier);
    QTest::keyClick(box(TxtIhreLösung), Qt::Key_R, Qt::AltModifier);
    QTRY_COMPARE(box(TxtUser)->text() + box(TxtIhreLösung)->text(), "  A.......");
    // AltGr characters are typing: X11 sends "@" without Alt, Windows as Ctrl+Alt.
    QTest::sendKeyEvent(QTest::Click, box(TxtUser), Qt::Key_At, u"@"_s, Qt::NoModifier);
    QVERIFY(Module1::SoundFile.endsWith(u"fehlerton.wav"_s));
    QTest::sendKeyEvent(QTest::Click, box(TxtIhreLösung), Qt::Key_BraceLeft, u"{"_s, Qt::ControlModifier | Qt::AltModifier);
    QCOMPARE(box(TxtIhreLösung)->text(), u"{"_s);
    // Tab follows the game's sequence and never stops on a label.
    QStringList visited;
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(m_form->focusWidget(), Qt::Key_Tab), visited.append(focused());
    QCOMPARE(visited, (QStringList{u"TxtIhreLösung"_s, u"CmdZurück"_s, "CmdNeuesSpiel", u"CmdLösung"_s, "CmdRatehilfe", "TxtUser"}));
    QTest::keyClick(box(TxtIhreLösung), Qt::Key_Escape); // Esc is "Zurück"
    QTRY_COMPARE(focused(), "Cmd1");
}

void WindowTest::categoryCaptionsWrapOntoTwoLines()
{
    // Count the bands of rows with caption ink: a line of text is several rows, an underline one.
    const QImage image = button(Cmd4)->grab().toImage();
    const int ink = button(Cmd4)->palette().color(QPalette::ButtonText).lightness();
    int bands = 0;
    for (int y = 3, inkRows = 0; y < image.height() - 3; ++y) {
        bool found = false;
        for (int x = 4; x < image.width() - 4 && !found; ++x)
            found = qAbs(image.pixelColor(x, y).lightness() - ink) < 60;
        inkRows = found ? inkRows + 1 : 0;
        bands += inkRows == 4;
    }
    QCOMPARE(bands, 2);
    QCOMPARE(button(Cmd4)->text(), "&4 Worte mit 10 Buchstaben");
}

void WindowTest::aPauseFollowsEveryCue()
{
    button(Cmd1)->click(); // AALE
    QTest::keyClicks(box(TxtUser), u"q1e"_s); // a miss, a rejected digit, a hit; each holds the game
    QCOMPARE(box(TxtUser)->text(), u"  ...E"_s);
    QCOMPARE(m_clock.pauses, QList<std::chrono::milliseconds>(3, std::chrono::milliseconds(300)));
}

void WindowTest::aFailingHandlerLeavesTheGameRunning()
{
    m_clock.failing = true; // the word pick fails inside the click
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"clock cannot be read"_s));
    button(Cmd2)->click();
    m_clock.failing = false;
    QVERIFY(button(Cmd1)->isVisible() && !box(TxtUser)->isVisible()); // back at the choice of length
    button(Cmd2)->click();
    QCOMPARE(box(TxtUser)->text(), u"  ......"_s);
}

void WindowTest::systemClockAndLocale()
{
    // The test runs with German number settings and a zone 5:45 east of UTC.
    const SystemPlatform system;
    QCOMPARE(system.decimalSeparator(), QLatin1Char(','));
    const std::time_t now = std::time(nullptr);
    const std::tm local = *std::localtime(&now);
    const float reading = system.secondsSinceMidnight();
    const float difference = qAbs(reading - float(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec));
    QVERIFY2(difference < 2.0f || difference > 86398.0f, qPrintable(QString::number(reading)));
    QTest::qWait(15);
    QVERIFY(system.secondsSinceMidnight() != reading); // with its fraction of a second
}

void WindowTest::textQueries_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("kinds");   // boundary types
    QTest::addColumn<QString>("spans");      // the item at, before and after each offset from 0 to the end
    const QList<int> whole = {QAccessible::SentenceBoundary, QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary};
    const QString all8 = u"0-8 0-8 0-8 0-8 0-8 0-8 0-8 0-8 0-8|0-0 0-0 0-0 0-0 0-0 0-0 0-0 0-0 0-0|8-8 8-8 8-8 8-8 8-8 8-8 8-8 8-8 8-8"_s;
    QTest::newRow("a new mask, characters") << u"  ......"_s << QList<int>{QAccessible::CharBoundary}
        << u"0-1 1-2 2-3 3-4 4-5 5-6 6-7 7-8 8-8|0-0 0-1 1-2 2-3 3-4 4-5 5-6 6-7 7-8|1-2 2-3 3-4 4-5 5-6 6-7 7-8 8-8 8-8"_s;
    QTest::newRow("a new mask, words and more") << u"  ......"_s << QList<int>{QAccessible::WordBoundary} + whole << all8;
    QTest::newRow("a mask with letters, words") << u"  .O..O."_s << QList<int>{QAccessible::WordBoundary}
        << u"0-3 0-3 0-3 3-4 4-6 4-6 6-7 7-8 7-8|0-0 0-0 0-0 0-3 3-4 3-4 4-6 6-7 6-7|3-4 3-4 3-4 4-6 6-7 6-7 7-8 8-8 8-8"_s;
    QTest::newRow("a key typed first, words") << u"e  ......"_s << QList<int>{QAccessible::WordBoundary}
        << u"0-1 1-9 1-9 1-9 1-9 1-9 1-9 1-9 1-9 1-9|0-0 0-1 0-1 0-1 0-1 0-1 0-1 0-1 0-1 0-1|1-9 9-9 9-9 9-9 9-9 9-9 9-9 9-9 9-9 9-9"_s;
    QTest::newRow("a surrogate pair, characters") << u"a\U0001F600b"_s << QList<int>{QAccessible::CharBoundary} << u"0-1 1-3 1-3 3-4 4-4|0-0 0-1 0-1 1-3 3-4|1-3 3-4 3-4 4-4 4-4"_s;
    QTest::newRow("empty") << QString() << QList<int>{QAccessible::CharBoundary, QAccessible::WordBoundary} << u"0-0|0-0|0-0"_s;
}

void WindowTest::textQueries()
{
    // What a screen reader asks of a text box at every offset; an answer's text is the one between its offsets.
    QFETCH(QString, text);
    QFETCH(QList<int>, kinds);
    QFETCH(QString, spans);
    auto *box = m_form->findChild<QLineEdit *>(u"TxtIhreLösung"_s);
    box->setText(text);
    QAccessibleTextInterface *face = QAccessible::queryAccessibleInterface(box)->textInterface();
    for (int kind : kinds) {
        QStringList found;
        for (auto query : {&QAccessibleTextInterface::textAtOffset, &QAccessibleTextInterface::textBeforeOffset,
                           &QAccessibleTextInterface::textAfterOffset}) {
            QStringList spansOfQuery;
            for (int offset = -3, start, end; offset <= text.size() + 1; ++offset) {
                const QString item = (face->*query)(offset, QAccessible::TextBoundaryType(kind), &start, &end);
                if (offset == -1 || offset == -2) // the end of the text, the caret
                    continue;
                const bool inside = offset >= 0 && offset <= text.size();
                QCOMPARE(item, inside ? text.mid(start, end - start) : QString());
                QVERIFY(inside || (start == -1 && end == -1));
                inside ? spansOfQuery.append(u"%1-%2"_s.arg(start).arg(end)) : void();
            }
            found.append(spansOfQuery.join(u' '));
        }
        QCOMPARE(found.join(u'|'), spans);
    }
}

void WindowTest::whatAScreenReaderGets()
{
    // Qt's own answer for the word at the start of a new mask never comes; one run of attributes covers
    // the whole text, so that the whole mask is read.
    QTest::keyClick(m_form.get(), Qt::Key_2, Qt::AltModifier);
    auto *letters = m_form->findChild<QLineEdit *>(u"TxtUser"_s);
    QTRY_COMPARE(letters->text(), u"  ......"_s);
    QAccessibleTextInterface *face = QAccessible::queryAccessibleInterface(letters)->textInterface();
    QStringList answers;
    for (int offset : {-1, 0, 7, 8}) { // the word, then the run of attributes; -1 is the end of the text
        int start = 0, end = 0, runStart = 0, runEnd = 0;
        face->textAtOffset(offset, QAccessible::WordBoundary, &start, &end), face->attributes(offset, &runStart, &runEnd);
        answers.append(u"%1-%2 %3-%4"_s.arg(start).arg(end).arg(runStart).arg(runEnd));
    }
    QCOMPARE(answers.join(u'|'), u"0-8 -1--1|0-8 0-8|0-8 0-8|0-8 8-8"_s);
    QCOMPARE(face->offsetAtPoint(face->characterRect(3).center()), 3);
    // An edit by the screen reader reaches the game as a key does.
    QAccessible::queryAccessibleInterface(letters)->editableTextInterface()->insertText(0, u"c"_s);
    QCOMPARE(letters->text(), u"  ..C..."_s);
    m_form->findChild<QPushButton *>(u"CmdRatehilfe"_s)->click();
    // What the game says is the name of a notification in a status bar, which Orca speaks when it
    // shows, by its text alone (elsewhere it says "Benachrichtigung" first).
    QAccessibleInterface *notification = QAccessible::queryAccessibleInterface(m_form->findChild<QObject *>(u"Ansage"_s));
    QCOMPARE(notification->text(QAccessible::Name), u"Ratehilfe, A, Punkt, C, Punkt, Punkt, Punkt"_s);
    QVERIFY(notification->role() == QAccessible::Notification && notification->parent()->role() == QAccessible::StatusBar
            && notification->parent()->child(0) == notification && notification->parent()->indexOfChild(notification) == 0);
}

void WindowTest::aScreenReaderWaitsForAMessageBox()
{
    // A message box keeps keys and clicks from the window; a screen reader's press and edit do nothing either,
    // and the game goes on from the box as without them.
    QString seen;
    QMetaObject::invokeMethod(m_form.get(), [&] { // in the box's own loop; the box closes once the press is made
        auto *shown = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QAccessible::queryAccessibleInterface(box(TxtUser))->editableTextInterface()->insertText(0, u"e"_s);
        connect(button(CmdZurück), &QPushButton::clicked, shown, [&, shown] { seen = box(TxtUser)->text(), shown->accept(); });
        QAccessible::queryAccessibleInterface(button(CmdZurück))->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }, Qt::QueuedConnection);
    button(Cmd1)->click(); // AALE
    button(CmdLösung)->click(); // then "Neues Spiel"
    QCOMPARE(seen + u'|' + box(TxtUser)->text(), u"  ....|  ...."_s); // the letter box when the press came, and after
    QVERIFY(button(CmdZurück)->isVisible() && !button(Cmd1)->isVisible() && m_clock.pauses.isEmpty());
}

void WindowTest::randomPlay()
{
    // The rules' random play as keys, pastes and clicks, read back from the widgets. Every message box is
    // answered with OK as soon as it shows and kept as "title: text", marked when it is more than a plain
    // text with one OK button. ZEICHENFANG_SEED=<seed> picks the seed.
    struct Player : QObject
    {
        WindowTest &t;
        QStringList seen;
        explicit Player(WindowTest &test) : t(test) { qApp->installEventFilter(this); }
        bool eventFilter(QObject *object, QEvent *event) override
        {
            if (auto *box = qobject_cast<QMessageBox *>(object); box && event->type() == QEvent::Show) {
                const bool plain = box->icon() == QMessageBox::NoIcon && box->buttons().size() == 1
                    && box->buttons()[0]->text() == u"OK" && box->textFormat() == Qt::PlainText;
                seen.append(box->windowTitle() + u": "_s + box->text() + (plain ? u""_s : u" [not plain]"_s));
                QMetaObject::invokeMethod(box, [box] { box->button(QMessageBox::Ok)->click(); }, Qt::QueuedConnection);
            }
            return false;
        }
        void key(const QString &text) // a control character is no key: it comes as a paste
        {
            text.toUcs4().size() == 1 && text[0].isPrint()
                ? QTest::sendKeyEvent(QTest::Click, t.box(TxtUser), Qt::Key_unknown, text, Qt::NoModifier)
                : t.paste(TxtUser, text, 0);
        }
        void edit(int at, const QString &text)
        {
            t.box(TxtUser)->setCursorPosition(at);
            text.isEmpty() ? QTest::keyClick(t.box(TxtUser), Qt::Key_Delete) : t.paste(TxtUser, text, at);
        }
        void solution(const QString &text) { t.box(TxtIhreLösung)->clear(), t.paste(TxtIhreLösung, text, 0); }
        void click(QChar b) { t.button(Control(u"12345E......ZNLR"_s.indexOf(b)))->click(); } // in the order of Control
        RandomPlay::View view()
        {
            RandomPlay::View v{false, {}, t.box(TxtUser)->text(), t.box(TxtIhreLösung)->text(),
                               t.caption(LblZeichen) + u'/' + t.caption(LblLösVersuch), t.box(TxtUser)->cursorPosition(), {}};
            for (int c = 0; c < ControlCount; ++c)
                t.find(Control(c))->isVisible() ? v.visible.append(Control(c)) : void();
            v.boxes = std::exchange(seen, {});
            return v;
        }
    };
    Player player(*this);
    const int seed = qEnvironmentVariableIsSet("ZEICHENFANG_SEED") ? qEnvironmentVariableIntValue("ZEICHENFANG_SEED") : 1;
    const RandomPlay::Outcome outcome = RandomPlay::play(player, m_clock, seed, 4000, false);
    QVERIFY2(outcome.wrong.isEmpty(), qPrintable(outcome.wrong));
    QCOMPARE(outcome.events, 4000);
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
