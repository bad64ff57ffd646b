// The window as it opens: controls, places, tab order, access keys, closing.
#include "GuiTestSupport.h"

#include <QImage>

using namespace Qt::StringLiterals;

class Form1StartupTest : public WindowTest
{
    Q_OBJECT

private slots:
    void startFace();
    void designedControls_data();
    void designedControls();
    void fontsAndLimits();
    void instructions();
    void categoryCaptionsWrapOntoTwoLines();
    void tabCycleAtStart();
    void accessKeyOfAHiddenButtonDoesNothing();
    void altEndeEndsTheProgram();
    void closeBoxDuringAGameEndsWithoutAQuestion();
};

void Form1StartupTest::startFace()
{
    QCOMPARE(m_form->windowTitle(), "Zeichenfang 2007");
    QVERIFY(m_form->windowState().testFlag(Qt::WindowMaximized));
    QStringList visible;
    for (Control c : AllControls) {
        if (m_form->control(c)->isVisible())
            visible.append(controlName(c));
    }
    QCOMPARE(visible, (QStringList{"Cmd1", "Cmd2", "Cmd3", "Cmd4", "cmd5", "CmdEnde"}));
    QTRY_COMPARE(focusName(), "Cmd1");
}

void Form1StartupTest::designedControls_data()
{
    QTest::addColumn<Control>("control");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QRect>("twips");

    using enum Control;
    const struct
    {
        Control control;
        const char *kind;
        const char16_t *text;
        QRect twips;
    } rows[] = {
        {Cmd1, "button", u"&1 Worte mit 4 Buchstaben", {1755, 1320, 1230, 495}},
        {Cmd2, "button", u"&2 Worte mit 6 Buchstaben", {1755, 1920, 1230, 495}},
        {Cmd3, "button", u"&3 Worte mit 8 Buchstaben", {1755, 2520, 1230, 495}},
        {Cmd4, "button", u"&4 Worte mit 10 Buchstaben", {1755, 3120, 1230, 495}},
        {cmd5, "button", u"&5 Worte mit 12 Buchstaben", {1755, 3720, 1230, 495}},
        {CmdEnde, "button", u"&Ende", {1755, 6360, 1215, 495}},
        {LblZeichen, "label", u"Ihre Eingabe:", {150, 4440, 1050, 495}},
        {TxtUser, "box", u"text1", {1290, 4440, 4500, 495}},
        {LblIhreLösung, "label", u"Ihre Lösung:", {150, 5400, 1215, 495}},
        {TxtIhreLösung, "box", u"Text1", {1440, 5400, 2250, 495}},
        {LblLösVersuch, "label", u" ", {3840, 5400, 1215, 495}},
        {CmdZurück, "button", u"&Zurück", {300, 6360, 1215, 495}},
        {CmdNeuesSpiel, "button", u"&Neues Spiel", {1560, 6360, 1215, 495}},
        {CmdLösung, "button", u"&Lösung", {2820, 6360, 1215, 495}},
        {CmdRatehilfe, "button", u"&Ratehilfe", {3960, 6360, 1215, 495}},
    };
    for (const auto &row : rows)
        QTest::newRow(qPrintable(controlName(row.control)))
            << row.control << QString::fromLatin1(row.kind) << QString::fromUtf16(row.text) << row.twips;
}

void Form1StartupTest::designedControls()
{
    QFETCH(Control, control);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(QRect, twips);

    QWidget *w = m_form->control(control);
    QCOMPARE(w->objectName(), controlName(control));
    // 15 twips to the pixel, the whole layout scaled alike to fit the font.
    const double scale = m_form->layoutScale();
    QVERIFY(scale >= 1.0);
    const auto px = [scale](int t) { return qRound(t * scale / 15); };
    QCOMPARE(w->geometry(), QRect(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height())));
    if (kind == u"button")
        QCOMPARE(qobject_cast<QPushButton *>(w)->text(), text);
    else if (kind == u"label")
        QCOMPARE(qobject_cast<QLabel *>(w)->text(), text);
    else
        QCOMPARE(qobject_cast<QLineEdit *>(w)->text(), text);
    if (kind == u"label") {
        QCOMPARE(w->focusPolicy(), Qt::NoFocus);
        QCOMPARE(qobject_cast<QLabel *>(w)->frameShape(), QFrame::NoFrame);
        QVERIFY(qobject_cast<QLabel *>(w)->wordWrap());
    }
}

void Form1StartupTest::fontsAndLimits()
{
    QCOMPARE(letterBox(*m_form)->font().pointSize(), 16);
    QVERIFY(letterBox(*m_form)->font().bold());
    QCOMPARE(solutionBox(*m_form)->font(), m_form->font());
    QCOMPARE(letterBox(*m_form)->maxLength(), 15);
    QCOMPARE(solutionBox(*m_form)->maxLength(), 20);
}

void Form1StartupTest::instructions()
{
    const QString expected = u"Drücken Sie die Buchstaben a bis z, die Umlaute \n"
                             u"oder das ß. Gibt es den Buchstaben im Wort, wird \n"
                             u"der jeweilige Punkt durch das Zeichen ausgetauscht."_s;
    auto *info = widget<QLabel>(*m_form, Control::LblInfo);
    QCOMPARE(info->text(), expected);
    QVERIFY(!info->isVisible()); // seen only during play
    QCOMPARE(info->pos(), m_form->designRect(Control::LblInfo).topLeft());
    // The label fits its three lines whole, within its designed place.
    QVERIFY(info->height() >= 3 * info->fontMetrics().height());
    QVERIFY(info->width() >= info->fontMetrics().horizontalAdvance(u"der jeweilige Punkt durch das Zeichen ausgetauscht."_s));
}

void Form1StartupTest::categoryCaptionsWrapOntoTwoLines()
{
    // Count the bands of rows that hold caption ink inside the button.
    QPushButton *cmd4 = button(*m_form, Control::Cmd4);
    const QImage image = cmd4->grab().toImage();
    const QColor text = cmd4->palette().color(QPalette::ButtonText);
    // A line of text is several rows of ink; a mnemonic underline is one.
    int bands = 0;
    int inkRows = 0;
    for (int y = 3; y < image.height() - 3; ++y) {
        bool ink = false;
        for (int x = 4; x < image.width() - 4 && !ink; ++x) {
            const QColor c = image.pixelColor(x, y);
            ink = qAbs(c.lightness() - text.lightness()) < 60;
        }
        inkRows = ink ? inkRows + 1 : 0;
        if (inkRows == 4)
            ++bands;
    }
    QCOMPARE(bands, 2);
    QCOMPARE(cmd4->text(), "&4 Worte mit 10 Buchstaben");
}

void Form1StartupTest::tabCycleAtStart()
{
    QTRY_COMPARE(focusName(), "Cmd1");
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.append(focusName());
    }
    QCOMPARE(visited, (QStringList{"Cmd2", "Cmd3", "Cmd4", "cmd5", "CmdEnde", "Cmd1"}));
}

void Form1StartupTest::accessKeyOfAHiddenButtonDoesNothing()
{
    QTest::keyClick(m_form.get(), Qt::Key_R, Qt::AltModifier);
    QTest::keyClick(m_form.get(), Qt::Key_N, Qt::AltModifier);
    QTest::qWait(200);
    QVERIFY(button(*m_form, Control::Cmd1)->isVisible());
    QCOMPARE(m_form->game().state().Category, 0);
    QCOMPARE(letterBox(*m_form)->text(), "text1");
}

void Form1StartupTest::altEndeEndsTheProgram()
{
    QTest::keyClick(m_form.get(), Qt::Key_E, Qt::AltModifier);
    QTRY_VERIFY(!m_form->isVisible());
}

void Form1StartupTest::closeBoxDuringAGameEndsWithoutAQuestion()
{
    MessageBoxCatcher boxes;
    button(*m_form, Control::Cmd2)->click();
    QVERIFY(letterBox(*m_form)->isVisible());
    QVERIFY(m_form->close());
    QVERIFY(!m_form->isVisible());
    QTest::qWait(50);
    QVERIFY(boxes.seen.isEmpty());
}

QTEST_MAIN(Form1StartupTest)
#include "tst_form1startup.moc"
