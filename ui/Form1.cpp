#include "Form1.h"

#include "AccessibleInterfaces.h"
#include "Announcer.h"
#include "GameTextBox.h"
#include "Module1.h"
#include "Platform.h"
#include "System.h"
#include "WrappingButton.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QShortcut>

namespace {

// Places and sizes are laid out in twips; 15 twips make one pixel at 96 dpi.
constexpr int TwipsPerPixel = 15;

// Twips to pixels, the whole layout grown by `scale`.
int toPixels(int twips, double scale)
{
    return qRound(twips * scale / TwipsPerPixel);
}

QRect scaledRect(const ControlDesign &design, double scale)
{
    return QRect(toPixels(design.left, scale), toPixels(design.top, scale), toPixels(design.width, scale),
                 toPixels(design.height, scale));
}

constexpr std::size_t index(Control control) { return static_cast<std::size_t>(control); }

QString captionOf(const ControlDesign &design) { return QStringView(design.caption).toString(); }

// The game writes line breaks as CR LF; Qt breaks lines at LF alone.
QString displayText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

} // namespace

Form1::Form1(const Platform &platform, QWidget *parent)
    : QWidget(parent)
    , m_platform(platform)
    , m_game(*this, platform)
    , m_announcer(new Announcer(this))
{
    // Before any control exists: Qt makes a control's interface the first time it is asked for one.
    installAccessibleInterfaces();
    setWindowTitle(QStringLiteral("Zeichenfang 2007"));
    createControls();
    applyTabOrder();
    connectHandlers();
    m_game.Form_Load();
    control(Control::Cmd1)->setFocus();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    for (const ControlDesign &design : WindowDesign) {
        const QString caption = captionOf(design);
        QWidget *widget = nullptr;
        if (design.kind == Kind::Label) {
            auto *lbl = new QLabel(caption, this);
            lbl->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            lbl->setTextFormat(Qt::PlainText);
            // The instruction label sizes itself to its three lines; the others wrap at their width.
            lbl->setWordWrap(design.control != Control::LblInfo);
            widget = lbl;
        } else if (design.kind == Kind::TextBox) {
            auto *box = new GameTextBox(caption, this);
            box->setMaxLength(design.control == Control::TxtUser ? LetterBoxMaxLength : SolutionBoxMaxLength);
            widget = box;
        } else {
            QPushButton *btn = design.kind == Kind::CategoryButton ? new WrappingButton(caption, this)
                                                                   : new QPushButton(caption, this);
            btn->setAutoDefault(false);
            widget = btn;
        }
        widget->setObjectName(controlName(design.control));
        // Only the choice of word length shows at start-up.
        widget->setVisible(design.panel == Panel::Category);
        m_controls[index(design.control)] = widget;
    }
    // The solution box is drawn without a border, so that Tab can stop in it.
    textBox(Control::TxtIhreLösung)->setFrame(false);
    // Screen readers name the boxes as a sighted player reads them; buttons go by their captions.
    textBox(Control::TxtUser)->setAccessibleName(QStringLiteral("Ihre Eingabe"));
    textBox(Control::TxtIhreLösung)->setAccessibleName(QStringLiteral(u"Ihre Lösung"));
    placeControls();
}

bool Form1::categoryCaptionsFit(double scale) const
{
    for (const ControlDesign &design : WindowDesign) {
        const auto *button = qobject_cast<const WrappingButton *>(control(design.control));
        if (button && !button->captionFits(scaledRect(design, scale).size()))
            return false;
    }
    return true;
}

void Form1::placeControls()
{
    // The layout was drawn for a small default font. Where the toolkit's font is
    // larger, the whole layout grows until every category caption fits its
    // button on two lines.
    double scale = 1.0;
    while (scale < 4.0 && !categoryCaptionsFit(scale))
        scale += 0.05;

    for (const ControlDesign &design : WindowDesign)
        control(design.control)->setGeometry(scaledRect(design, scale));
    // The restored client area; the layout is seen whole only maximized.
    resize(toPixels(6915, scale), toPixels(3195, scale));
}

std::function<void()> Form1::guarded(void (Game::*handler)())
{
    // An exception must not leave a slot: Qt would end the program. A handler
    // that fails takes the player back to the choice of length, where every
    // game starts afresh.
    return [this, handler] {
        // A message box holds the game, and Qt keeps keys and clicks from the window meanwhile;
        // a screen reader's press reaches a button all the same, and is not taken either.
        if (QApplication::activeModalWidget())
            return;
        try {
            (m_game.*handler)();
        } catch (const std::exception &error) {
            qCritical("Zeichenfang: %s", error.what());
            m_game.CmdZurück_Click();
        }
    };
}

void Form1::connectHandlers()
{
    const std::pair<Control, void (Game::*)()> clicks[] = {
        {Control::Cmd1, &Game::Cmd1_Click},
        {Control::Cmd2, &Game::Cmd2_Click},
        {Control::Cmd3, &Game::Cmd3_Click},
        {Control::Cmd4, &Game::Cmd4_Click},
        {Control::cmd5, &Game::cmd5_Click},
        {Control::CmdEnde, &Game::CmdEnde_Click},
        {Control::CmdZurück, &Game::CmdZurück_Click},
        {Control::CmdNeuesSpiel, &Game::CmdNeuesSpiel_Click},
        {Control::CmdLösung, &Game::CmdLösung_Click},
        {Control::CmdRatehilfe, &Game::CmdRatehilfe_Click},
    };
    for (const auto &[control, handler] : clicks)
        connect(button(control), &QPushButton::clicked, this, guarded(handler));

    connect(textBox(Control::TxtUser), &QLineEdit::textChanged, this, guarded(&Game::TxtUser_Change));
    connect(textBox(Control::TxtUser), &GameTextBox::keyReleased, this, guarded(&Game::TxtUser_KeyUp));
    connect(textBox(Control::TxtIhreLösung), &QLineEdit::textChanged, this, guarded(&Game::TxtIhreLösung_Change));

    // Esc goes back to the choice of word length while "Zurück" is showing.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        if (button(Control::CmdZurück)->isVisible())
            button(Control::CmdZurück)->click();
    });
}

void Form1::applyTabOrder()
{
    // Qt's focus chain holds only controls that can take the focus; labels
    // keep their places in the sequence but Tab never stops on them.
    QWidget *previous = nullptr;
    for (Control c : m_tabs.sequence()) {
        QWidget *widget = control(c);
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

QWidget *Form1::control(Control c) const
{
    return m_controls[index(c)];
}

GameTextBox *Form1::textBox(Control box) const
{
    return qobject_cast<GameTextBox *>(control(box));
}

QLabel *Form1::label(Control lbl) const
{
    return qobject_cast<QLabel *>(control(lbl));
}

QPushButton *Form1::button(Control btn) const
{
    return qobject_cast<QPushButton *>(control(btn));
}

void Form1::setVisible(Control c, bool visible)
{
    control(c)->setVisible(visible);
}

void Form1::setTabIndex(Control c, int place)
{
    m_tabs.setTabIndex(c, place);
    applyTabOrder();
}

QString Form1::text(Control box) const
{
    return textBox(box)->text();
}

void Form1::setText(Control box, const QString &text)
{
    GameTextBox *edit = textBox(box);
    const bool unchanged = edit->text() == text;
    edit->setText(text);
    // QLineEdit stays silent when the text does not change, yet the game's
    // handlers count on a change event for every write (it puts the caret back).
    if (unchanged)
        emit edit->textChanged(edit->text());
}

void Form1::setSelStart(Control box, int position)
{
    textBox(box)->setCursorPosition(position);
}

void Form1::setCaption(Control lbl, const QString &caption)
{
    QLabel *target = label(lbl);
    target->setText(displayText(caption));
    if (!target->wordWrap())
        target->adjustSize();
}

void Form1::setFocus(Control c)
{
    control(c)->setFocus(Qt::OtherFocusReason);
}

void Form1::setFontSize(Control c, int points)
{
    QFont font = control(c)->font();
    font.setPointSize(points);
    control(c)->setFont(font);
}

void Form1::setFontBold(Control c, bool bold)
{
    QFont font = control(c)->font();
    font.setBold(bold);
    control(c)->setFont(font);
}

int Form1::messageBox(const QString &prompt, int /*style: always 0, OK alone and no icon*/, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title, displayText(prompt), QMessageBox::Ok, this);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Ok)->setIcon(QIcon()); // a plain OK, as on every desktop
    box.exec();
    return 1; // the number of the OK button
}

void Form1::closeWindow()
{
    close();
}

QString Form1::programDirectory() const
{
    return System::programDirectory();
}

void Form1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_onScreen)
        return;
    m_onScreen = true;
    // The sound libraries load on the sound thread once the window is on the screen, so they
    // do not hold it back; cues asked for before wait for them, as long as they can still
    // start in time.
    m_cues.start();
    emit onScreen();
}

void Form1::PlaySoundCue()
{
    m_cues.play(Module1::SoundFile);
    // The game holds still for a moment after every cue while the cue plays on
    // the sound thread.
    m_platform.pause(CuePause);
}

void Form1::speak(const QString &text)
{
    m_announcer->announce(text);
}
