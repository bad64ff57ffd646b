#pragma once

#include "Game.h"
#include "GameWindow.h"
#include "Platform.h"
#include "TabSequence.h"

#include <QMap>
#include <QStringList>

#include <stdexcept>

namespace RandomPlay { struct View; }

// A clock stopped at one reading and a chosen decimal separator, so a test
// knows which word the game picks. It counts its readings (one a word pick),
// keeps the pauses asked of it without waiting, and can be made to fail.
class FakePlatform final : public Platform
{
public:
    float reading = 0.0f;
    QChar separator = QLatin1Char(',');
    bool failing = false;
    mutable int readings = 0;
    mutable QList<std::chrono::milliseconds> pauses;

    float secondsSinceMidnight() const override
    {
        if (failing)
            throw std::runtime_error("the clock cannot be read");
        return ++readings, reading;
    }
    QChar decimalSeparator() const override { return separator; }
    void pause(std::chrono::milliseconds duration) const override { pauses.append(duration); }
};

// The controls that show while the player chooses a length, and during a game.
inline const QList<Control> CategoryFace = {Control::Cmd1, Control::Cmd2, Control::Cmd3, Control::Cmd4, Control::cmd5, Control::CmdEnde};
inline const QList<Control> PlayFace = {Control::LblInfo,       Control::LblZeichen, Control::TxtUser,
                                        Control::LblIhreLösung, Control::TxtIhreLösung, Control::LblLösVersuch,
                                        Control::CmdZurück,     Control::CmdNeuesSpiel, Control::CmdLösung, Control::CmdRatehilfe};

// The words of a list as its text file holds them: line n is the word at index n.
const QStringList &listedWords(int letters);

// A window without widgets, with a game on it loaded as at start-up and a
// stopped clock. It remembers what the game did to it and raises the text
// boxes' change events synchronously, as the real window does.
//
// play() takes player actions separated by blanks ('_' stands for a blank in a text):
//   1 … 5     a category button      N L Z R E   Neues Spiel, Lösung, Zurück, Ratehilfe, Ende
//   t:abc     types a, b, c into the letter box, one key each;   T:text  the letter box now holds text
//   s:abc     types into the solution box;                       S:text  the solution box now holds text
//   @WORD     the clock now picks this word;                     @12.5   the clock now reads 12.5 s
class FakeWindow final : public GameWindow
{
public:
    struct Message { QString title, prompt; int style; };

    FakeWindow();
    void play(const QString &script);
    void act(QChar action, const QString &text = {});
    void type(Control box, const QString &characters); // at the caret, up to the box's limit
    void replace(Control box, const QString &text);     // a paste over everything, Delete, Backspace
    QList<Control> visibleControls() const;

    // The player's side as random play drives it (see RandomPlay.h).
    void key(const QString &text) { type(Control::TxtUser, text), game.TxtUser_KeyUp(); } // a key, or a paste, released
    void edit(int at, const QString &text);
    void solution(const QString &text) { replace(Control::TxtIhreLösung, text); }
    void click(QChar button) { act(button); }
    RandomPlay::View view();

    FakePlatform platform;
    Game game{*this, platform};
    QString cues; // the first letters of the cue files played: k, f, g
    QStringList spoken; // what the screen reader was given to say
    QList<Message> messages;
    QMap<Control, bool> visible;
    QMap<Control, QString> texts, captions;
    QMap<Control, int> caret;
    Control focus = Control::Cmd1;
    TabSequence tabs;
    int fontSize = 0;
    bool fontBold = false, closed = false;

    void setVisible(Control control, bool show) override { visible[control] = show; }
    void setTabIndex(Control control, int place) override { tabs.setTabIndex(control, place); }
    QString text(Control box) const override { return texts.value(box); }
    void setText(Control box, const QString &text) override { replace(box, text); }
    void setSelStart(Control box, int position) override { caret[box] = position; }
    void setCaption(Control label, const QString &caption) override { captions[label] = caption; }
    void setFocus(Control control) override { focus = control; }
    void setFontSize(Control, int points) override { fontSize = points; }
    void setFontBold(Control, bool bold) override { fontBold = bold; }
    int messageBox(const QString &prompt, int style, const QString &title) override;
    void closeWindow() override { closed = true; }
    QString programDirectory() const override { return QStringLiteral("/opt/zeichenfang"); }
    void PlaySoundCue() override;
    void speak(const QString &text) override { spoken.append(text); }
};

// Readable names in QCOMPARE failures.
inline char *toString(Control control)
{
    return qstrdup(qPrintable(controlName(control)));
}
