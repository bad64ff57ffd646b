// What the Qt window adds to the rules: change events and the caret, access
// keys and the focus chain, wrapped captions, text limits, message boxes, the
// pause after a cue, a failing handler, the real clock and locale; and the
// rules' random play through real key events.
#include "Form1.h"
#include "Module1.h"
#include "Module3.h"
#include "RandomPlay.h"
#include "SystemPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <ctime>

using namespace Qt::StringLiterals;
using namespace std::chrono;
using enum Control;

namespace {
// Answers every message box with OK as soon as it shows and keeps "title: text",
// marked when the box is more than a plain text with one OK button.
struct BoxAnswerer : QObject
{
    QStringList seen;
    BoxAnswerer() { qApp->installEventFilter(this); }
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
};
} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_form.reset(); }
    void changeEventAndTextLimits();
    void accessKeysAndTab();
    void categoryCaptionsWrapOntoTwoLines();
    void keysDuringTheCuePauseFollowInOrder();
    void aFailingHandlerLeavesTheGameRunning();
    void systemClockAndLocale();
    void randomPlay();

private:
    QLineEdit *box(Control c) const { return qobject_cast<QLineEdit *>(m_form->control(c)); }
    QPushButton *button(Control c) const { return qobject_cast<QPushButton *>(m_form->control(c)); }
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
    m_clock.reading = 1.0f;
    m_form = std::make_unique<Form1>(m_clock);
    m_form->show();
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void WindowTest::changeEventAndTextLimits()
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
    QCOMPARE(qobject_cast<QLabel *>(m_form->control(LblInfo))->text().count(u'\n'), 2); // from CR LF
    // Two blanks and twelve dots take 14 of the 15 places: of a paste, one character goes in.
    QSignalSpy changes(box(TxtUser), &QLineEdit::textChanged);
    paste(TxtUser, u"ab"_s, 0);
    QCOMPARE(changes.size(), 2); // the rewrite runs inside the paste's own change, so it is reported first
    QCOMPARE(changes[1][0].toString(), u"a  ............"_s);
    QCOMPARE(box(TxtUser)->text(), u"  AA.........."_s);
    paste(TxtIhreLösung, u"abcdefghijklmnopqrstuvwxyz"_s, 0);
    QCOMPARE(box(TxtIhreLösung)->text(), u"abcdefghijklmnopqrst"_s);
}

void WindowTest::accessKeysAndTab()
{
    QTest::keyClick(m_form.get(), Qt::Key_R, Qt::AltModifier); // hidden: nothing happens
    QTest::keyClick(m_form.get(), Qt::Key_3, Qt::AltModifier);
    QTRY_COMPARE(box(TxtUser)->text(), "  ........");
    QTRY_COMPARE(focused(), "TxtUser");
    // Alt+digit of a hidden button, and Alt with no access key, type nothing.
    QTest::keyClick(box(TxtUser), Qt::Key_1, Qt::AltModifier);
    QTest::keyClick(box(TxtUser), Qt::Key_X, Qt::AltModifier);
    QTest::keyClick(box(TxtIhreLösung), Qt::Key_4, Qt::AltModifier);
    QTest::qWait(200); // access keys arrive late
    QCOMPARE(box(TxtUser)->text() + box(TxtIhreLösung)->text(), "  ........");
    QCOMPARE(m_form->game().state().Category, 3);
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

void WindowTest::keysDuringTheCuePauseFollowInOrder()
{
    button(Cmd1)->click(); // AALE
    // Three keys arrive at once; each cue holds the game, the others wait their turn.
    for (const auto &[key, text] : {std::pair{Qt::Key_Q, u"q"_s}, {Qt::Key_1, u"1"_s}, {Qt::Key_E, u"e"_s}}) {
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            QCoreApplication::postEvent(box(TxtUser), new QKeyEvent(type, key, Qt::NoModifier, text));
    }
    const auto start = steady_clock::now();
    QCoreApplication::processEvents();
    QCOMPARE(box(TxtUser)->text(), u"  ...E"_s); // the miss and the rejected digit left the mask alone
    QCOMPARE(m_form->game().state().LetterAttempts, 2);
    QVERIFY(Module1::SoundFile.endsWith(u"kontrollton.wav"_s)); // the hit came last
    QVERIFY(steady_clock::now() - start >= 870ms); // three cues, three pauses
    QVERIFY(steady_clock::now() - m_form->soundCues().report().lastAsked >= 290ms); // the pause follows its cue
}

void WindowTest::aFailingHandlerLeavesTheGameRunning()
{
    const WordList words6 = std::exchange(Module3::Words6, WordList(10, 6)); // too small: filling it fails inside the click
    QTest::ignoreMessage(QtCriticalMsg, QRegularExpression(u"word list index 11"_s));
    button(Cmd2)->click();
    Module3::Words6 = words6;
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

void WindowTest::randomPlay()
{
    // The rules' random play as keys, pastes and clicks on a window without cue
    // pauses, read back from the widgets. ZEICHENFANG_SEED=<seed> picks the seed.
    struct Player : BoxAnswerer
    {
        WindowTest &t;
        explicit Player(WindowTest &test) : t(test) {}
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
        void click(QChar b) { t.button(AllControls[u"12345E......ZNLR"_s.indexOf(b)])->click(); } // in the order of AllControls
        RandomPlay::View view()
        {
            RandomPlay::View v{false, {}, t.box(TxtUser)->text(), {}, t.box(TxtUser)->cursorPosition(), {}};
            for (Control c : AllControls)
                t.m_form->control(c)->isVisible() ? v.visible.append(c) : void();
            for (Control c : {LblZeichen, LblLösVersuch})
                v.attempts += (v.attempts.isEmpty() ? u""_s : u"/"_s) + qobject_cast<QLabel *>(t.m_form->control(c))->text();
            for (const QString &box : std::exchange(seen, {})) // a box that is more than plain text shows whole
                v.boxes.append(box.contains(u"[not plain]") ? box : box.section(u": "_s, 0, 0));
            return v;
        }
    };
    m_form = std::make_unique<Form1>(m_clock, 0ms);
    m_form->show();
    Player player(*this);
    const int seed = qEnvironmentVariableIsSet("ZEICHENFANG_SEED") ? qEnvironmentVariableIntValue("ZEICHENFANG_SEED") : 1;
    const RandomPlay::Outcome outcome = RandomPlay::play(player, m_form->game(), m_clock, seed, 4000, false);
    QVERIFY2(outcome.wrong.isEmpty(), qPrintable(outcome.wrong));
    QCOMPARE(outcome.events, 4000);
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
