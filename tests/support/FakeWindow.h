#pragma once

#include "FakePlatform.h"
#include "Game.h"
#include "GameWindow.h"
#include "TabSequence.h"

#include <QMap>
#include <QStringList>

#include <functional>

// A window without widgets, with a game on it loaded as at start-up and a
// stopped clock. It remembers what the game did to it and raises the text
// boxes' change events synchronously, as the real window does.
//
// play() takes player actions separated by blanks ('_' stands for a blank in a text):
//   1 … 5     a category button      N L Z R E   Neues Spiel, Lösung, Zurück, Ratehilfe, Ende
//   t:abc     types a, b, c into the letter box, one key each;   T:text  the letter box now holds text
//   s:abc     types into the solution box;                       S:text  the solution box now holds text
//   u         the caret is moved away and a key released in the letter box
//   @WORD     the clock now picks this word;                     @12.5   the clock now reads 12.5 s
class FakeWindow final : public GameWindow
{
public:
    struct Message
    {
        QString title;
        QString prompt;
        int style;
    };

    FakeWindow();
    void play(const QString &script);
    void act(QChar action, const QString &text = {});
    void type(Control box, const QString &characters); // at the caret, up to the box's limit
    void replace(Control box, const QString &text);     // a paste over everything, Delete, Backspace
    QList<Control> visibleControls() const;
    QString cues() const; // the first letters of the cues played: k, f, g
    const GameState &state() const { return game.state(); }

    FakePlatform platform;
    Game game{*this, platform};
    // What the game did, in order: "cue:<file>", "box:<title>", "text:<control>=<text>", "focus:<control>".
    QStringList log;
    QList<Message> messages;
    std::function<void(const Message &)> onMessageBox; // runs while a box is open
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
    void setText(Control box, const QString &text) override;
    void setSelStart(Control box, int position) override { caret[box] = position; }
    void setCaption(Control label, const QString &caption) override { captions[label] = caption; }
    void setFocus(Control control) override;
    void setFontSize(Control, int points) override { fontSize = points; }
    void setFontBold(Control, bool bold) override { fontBold = bold; }
    int messageBox(const QString &prompt, int style, const QString &title) override;
    void closeWindow() override { closed = true; }
    QString programDirectory() const override { return QStringLiteral("/opt/zeichenfang"); }
    void PlaySoundCue() override;
};

// The filled list of words with this many letters.
const WordList &listOf(int letters);

// Readable names in QCOMPARE failures.
inline char *toString(Control control)
{
    return qstrdup(qPrintable(controlName(control)));
}
