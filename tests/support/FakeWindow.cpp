#include "FakeWindow.h"

#include "Game.h"
#include "Module1.h"

#include <QFileInfo>

namespace {
int maxLength(Control box)
{
    return box == Control::TxtUser ? 15 : 20;
}
} // namespace

FakeWindow::FakeWindow()
{
    for (Control control : {Control::Cmd1, Control::Cmd2, Control::Cmd3, Control::Cmd4, Control::cmd5, Control::CmdEnde})
        m_visible[control] = true;
    m_texts[Control::TxtUser] = QStringLiteral("text1");
    m_texts[Control::TxtIhreLösung] = QStringLiteral("Text1");
    m_captions[Control::LblInfo] = QStringLiteral("Label1");
    m_captions[Control::LblZeichen] = QStringLiteral("Ihre Eingabe:");
    m_captions[Control::LblLösVersuch] = QStringLiteral(" ");
}

QList<Control> FakeWindow::visibleControls() const
{
    QList<Control> result;
    for (Control control : AllControls) {
        if (isVisible(control))
            result.append(control);
    }
    return result;
}

void FakeWindow::typeAtCaret(Control box, const QString &characters)
{
    QString text = m_texts.value(box);
    const int room = maxLength(box) - static_cast<int>(text.size());
    if (room <= 0)
        return; // the box refuses input beyond its limit
    const QString accepted = characters.left(room);
    const int caret = std::min(selStart(box), static_cast<int>(text.size()));
    text.insert(caret, accepted);
    m_texts[box] = text;
    m_selStart[box] = caret + static_cast<int>(accepted.size());
    raiseChange(box);
}

void FakeWindow::replaceText(Control box, const QString &text)
{
    m_texts[box] = text.left(maxLength(box));
    m_selStart[box] = static_cast<int>(m_texts[box].size());
    raiseChange(box);
}

void FakeWindow::releaseKey()
{
    if (m_game)
        m_game->TxtUser_KeyUp();
}

void FakeWindow::setText(Control box, const QString &text)
{
    log.append(QStringLiteral("text:%1=%2").arg(controlName(box), text));
    m_texts[box] = text.left(maxLength(box));
    m_selStart[box] = static_cast<int>(m_texts[box].size()); // like QLineEdit: caret to the end
    raiseChange(box);
}

void FakeWindow::raiseChange(Control box)
{
    if (!m_game)
        return;
    if (box == Control::TxtUser)
        m_game->TxtUser_Change();
    else if (box == Control::TxtIhreLösung)
        m_game->TxtIhreLösung_Change();
}

void FakeWindow::setFocus(Control control)
{
    log.append(QStringLiteral("focus:") + controlName(control));
    m_focus = control;
    m_hasFocus = true;
}

int FakeWindow::messageBox(const QString &prompt, int style, const QString &title)
{
    log.append(QStringLiteral("box:") + title);
    const Message message{title, prompt, style};
    m_messages.append(message);
    if (onMessageBox)
        onMessageBox(message);
    return 1;
}

void FakeWindow::PlaySoundCue()
{
    log.append(QStringLiteral("cue:") + QFileInfo(Module1::SoundFile).fileName());
}
