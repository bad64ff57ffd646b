#pragma once

#include "Control.h"
#include "GameWindow.h"
#include "TabSequence.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

class Game;

// A window without widgets: it remembers what the game did to it and raises the
// text boxes' change events synchronously, as the real window does.
class FakeWindow final : public GameWindow
{
public:
    struct Message
    {
        QString title;
        QString prompt;
        int style;
    };

    FakeWindow(); // the controls as designed: the choice of word length showing

    void attach(Game *game) { m_game = game; }

    // The player's side.
    void typeAtCaret(Control box, const QString &characters); // inserts at the caret, up to the box's limit
    void replaceText(Control box, const QString &text);        // paste over everything, delete etc.
    void releaseKey();                                          // a key released in the letter box

    bool isVisible(Control control) const { return m_visible.value(control, false); }
    QList<Control> visibleControls() const;
    QString caption(Control label) const { return m_captions.value(label); }
    int selStart(Control box) const { return m_selStart.value(box, 0); }
    Control focus() const { return m_focus; }
    bool hasFocus() const { return m_hasFocus; }
    const TabSequence &tabs() const { return m_tabs; }
    const QList<Message> &messages() const { return m_messages; }
    bool closed() const { return m_closed; }
    int fontSize(Control control) const { return m_fontSize.value(control, 0); }
    bool fontBold(Control control) const { return m_fontBold.value(control, false); }

    // What happened, in order: "cue:<file name>", "box:<title>", "text:<control>=<text>", "focus:<control>".
    QStringList log;
    // Runs while a message box is open, e.g. to look at the state the player sees then.
    std::function<void(const Message &)> onMessageBox;
    QString directory = QStringLiteral("/opt/zeichenfang");

    // GameWindow
    void setVisible(Control control, bool visible) override { m_visible[control] = visible; }
    void setTabIndex(Control control, int place) override { m_tabs.setTabIndex(control, place); }
    QString text(Control box) const override { return m_texts.value(box); }
    void setText(Control box, const QString &text) override;
    void setSelStart(Control box, int position) override { m_selStart[box] = position; }
    void setCaption(Control label, const QString &caption) override { m_captions[label] = caption; }
    void setFocus(Control control) override;
    void setFontSize(Control control, int points) override { m_fontSize[control] = points; }
    void setFontBold(Control control, bool bold) override { m_fontBold[control] = bold; }
    int messageBox(const QString &prompt, int style, const QString &title) override;
    void closeWindow() override { m_closed = true; }
    QString programDirectory() const override { return directory; }
    void PlaySoundCue() override;

private:
    void raiseChange(Control box);

    Game *m_game = nullptr;
    QMap<Control, bool> m_visible;
    QMap<Control, QString> m_texts;
    QMap<Control, int> m_selStart;
    QMap<Control, QString> m_captions;
    QMap<Control, int> m_fontSize;
    QMap<Control, bool> m_fontBold;
    Control m_focus = Control::Cmd1;
    bool m_hasFocus = false;
    TabSequence m_tabs;
    QList<Message> m_messages;
    bool m_closed = false;
};

// Readable names for QCOMPARE failures.
inline char *toString(Control control)
{
    return qstrdup(qPrintable(controlName(control)));
}
