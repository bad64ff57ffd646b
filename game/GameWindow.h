#pragma once

#include "Control.h"

#include <QString>

// The window operations the game uses, and nothing more. The real window
// implements them with widgets; the tests implement them with a recording fake.
class GameWindow
{
public:
    virtual ~GameWindow() = default;

    virtual void setVisible(Control control, bool visible) = 0;
    virtual void setTabIndex(Control control, int place) = 0;

    // Text boxes. Setting the text replaces it and raises the box's change event
    // before returning, even when the text stays the same.
    virtual QString text(Control box) const = 0;
    virtual void setText(Control box, const QString &text) = 0;
    virtual void setSelStart(Control box, int position) = 0;

    // Labels. "\r\n" starts a new line.
    virtual void setCaption(Control label, const QString &caption) = 0;

    virtual void setFocus(Control control) = 0;
    virtual void setFontSize(Control control, int points) = 0;
    virtual void setFontBold(Control control, bool bold) = 0;

    // A modal box; returns when the player has closed it. Style 0: OK alone, no icon.
    virtual int messageBox(const QString &prompt, int style, const QString &title) = 0;
    virtual void closeWindow() = 0;

    // The directory that holds the program, without a closing separator
    // unless it is a root directory.
    virtual QString programDirectory() const = 0;

    // Starts the wave file named by Module1::SoundFile and pauses the game briefly.
    virtual void PlaySoundCue() = 0;

    // Has the player's screen reader say the text, if one is running; nothing shows.
    virtual void speak(const QString &text) = 0;
};
