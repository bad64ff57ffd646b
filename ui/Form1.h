#pragma once

#include "Game.h"
#include "GameWindow.h"
#include "SoundCues.h"
#include "TabSequence.h"

#include <QWidget>

#include <array>
#include <chrono>
#include <functional>

class Announcer;
class GameTextBox;
class QLabel;
class QPushButton;

// The game's one window: sixteen controls at fixed places. It forwards their
// events to the game and carries out the window operations the game asks for.
class Form1 final : public QWidget, public GameWindow
{
    Q_OBJECT
public:
    // The game holds still this long after every cue.
    static constexpr std::chrono::milliseconds CuePause{300};

    explicit Form1(const Platform &platform, QWidget *parent = nullptr);
    ~Form1() override;

    // GameWindow
    void setVisible(Control control, bool visible) override;
    void setTabIndex(Control control, int place) override;
    QString text(Control box) const override;
    void setText(Control box, const QString &text) override;
    void setSelStart(Control box, int position) override;
    void setCaption(Control label, const QString &caption) override;
    void setFocus(Control control) override;
    void setFontSize(Control control, int points) override;
    void setFontBold(Control control, bool bold) override;
    int messageBox(const QString &prompt, int style, const QString &title) override;
    void closeWindow() override;
    QString programDirectory() const override;
    void PlaySoundCue() override;
    void speak(const QString &text) override;

    using QWidget::setFocus;
    using QWidget::setVisible;

signals:
    // The window is on the screen, painted for the first time: what can wait until then starts now.
    void onScreen();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();
    void placeControls();
    bool categoryCaptionsFit(double scale) const;
    void connectHandlers();
    std::function<void()> guarded(void (Game::*handler)());
    void applyTabOrder();
    QWidget *control(Control control) const;
    GameTextBox *textBox(Control box) const;
    QLabel *label(Control label) const;
    QPushButton *button(Control button) const;

    const Platform &m_platform;
    Game m_game;
    SoundCues m_cues;
    TabSequence m_tabs;
    std::array<QWidget *, ControlCount> m_controls{};
    Announcer *m_announcer;
    bool m_onScreen = false;
};
