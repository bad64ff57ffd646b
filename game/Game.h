#pragma once

#include "GameState.h"
#include "WordList.h"

class GameWindow;
class Platform;

// The rules of the game: the window's event handlers and the procedures they
// share. It reaches the window only through GameWindow, the clock and the
// regional settings only through Platform.
class Game
{
public:
    Game(GameWindow &window, const Platform &platform);

    // Start-up, before the window is first shown.
    void Form_Load();

    void Cmd1_Click();
    void Cmd2_Click();
    void Cmd3_Click();
    void Cmd4_Click();
    void cmd5_Click();
    void CmdNeuesSpiel_Click();
    void CmdLösung_Click();
    void CmdZurück_Click();
    void CmdEnde_Click();
    void CmdRatehilfe_Click();

    void TxtUser_Change();
    void TxtUser_KeyUp();
    void TxtIhreLösung_Change();

    void FillWordLists4And8();

    const GameState &state() const { return m_state; }
    const WordList &words4() const { return Words4; }
    const WordList &words8() const { return Words8; }

    static const QString Instructions;

private:
    void StartCategory(qint16 category);
    void HideCategoryPanel();
    void ShowPlayPanel();
    void NewGame();
    void PickWord();
    void TakePickedWord();
    void ShowMaskInLetterBox();
    void AnnounceWin();
    void PlayCue(const QString &fileName);

    GameWindow &m_window;
    const Platform &m_platform;
    GameState m_state;
    WordList Words4;
    WordList Words8;
};
