#pragma once

#include "GameState.h"
#include "WordList.h"

#include <array>

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

private:
    // What a category button chooses: the list its words come from, the procedure
    // that fills that list on every choice (none for the window's own lists, filled
    // once at start-up), and how many trailing characters of the clock text form
    // the index.
    struct Category
    {
        WordList &list;
        void (*fill)();
        qint16 indexDigits;
    };

    void FillWordLists4And8();
    void StartCategory(qint16 category);
    void HideCategoryPanel();
    void ShowPlayPanel();
    void NewGame();
    void PickWord();
    void TakePickedWord();
    void ShowMaskInLetterBox();
    void WordGuessed();
    void PlayCue(const QString &fileName);

    GameWindow &m_window;
    const Platform &m_platform;
    GameState m_state;
    WordList Words4;
    WordList Words8;
    const std::array<Category, 5> m_categories; // categories 1 to 5: words of 4, 6, 8, 10, 12 letters
};
