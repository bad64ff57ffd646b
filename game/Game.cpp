#include "Game.h"

#include "EmbeddedWords.h"
#include "GameWindow.h"
#include "Module1.h"
#include "Module2.h"
#include "Module3.h"
#include "Module4.h"
#include "Platform.h"
#include "Spoken.h"
#include "WordPick.h"

#include <QDir>

#include <algorithm>
#include <array>

namespace {

constexpr auto CategoryPanel = controlsOf<Panel::Category>();

// Hiding the control that has the focus hands the focus on along the tab order,
// so the play panel keeps the order in which its controls have always been switched.
constexpr std::array PlayPanel = {
    Control::LblInfo,     Control::CmdLösung,     Control::CmdNeuesSpiel, Control::CmdRatehilfe,
    Control::CmdZurück,   Control::TxtUser,       Control::LblIhreLösung, Control::LblLösVersuch,
    Control::LblZeichen,  Control::TxtIhreLösung,
};
static_assert(std::ranges::is_permutation(PlayPanel, controlsOf<Panel::Play>()));

constexpr char16_t Instructions[] = u"Drücken Sie die Buchstaben a bis z, die Umlaute \r\n"
                                    u"oder das ß. Gibt es den Buchstaben im Wort, wird \r\n"
                                    u"der jeweilige Punkt durch das Zeichen ausgetauscht.";

} // namespace

Game::Game(GameWindow &window, const Platform &platform)
    : m_window(window)
    , m_platform(platform)
    , Words4(Shape4)
    , Words8(Shape8)
    , m_categories{{
          {Words4, nullptr, 3},
          {Module3::Words6, &Module3::FillWordList6, 4},
          {Words8, nullptr, 4},
          {Module4::Words10, &Module4::FillWordList10, 4},
          {Module2::Words12, &Module2::FillWordList12, 4},
      }}
{
}

void Game::Form_Load()
{
    m_window.setFontSize(Control::TxtUser, 16);
    m_window.setFontBold(Control::TxtUser, true);
    m_window.setCaption(Control::LblInfo, QString::fromUtf16(Instructions));
    // One separator is appended without looking at how the directory ends.
    m_state.AppPath = m_window.programDirectory() + QDir::separator();
    FillWordLists4And8();
}

void Game::FillWordLists4And8()
{
    Words4.fillFrom(embeddedWords4());
    Words8.fillFrom(embeddedWords8());
}

void Game::Cmd1_Click() { StartCategory(1); }
void Game::Cmd2_Click() { StartCategory(2); }
void Game::Cmd3_Click() { StartCategory(3); }
void Game::Cmd4_Click() { StartCategory(4); }
void Game::cmd5_Click() { StartCategory(5); }

void Game::StartCategory(qint16 category)
{
    m_state.Category = category;
    const Category &chosen = m_categories[static_cast<std::size_t>(category - 1)];
    if (chosen.fill)
        chosen.fill();
    HideCategoryPanel();
    ShowPlayPanel(); // before the pick, which gives the letter box the focus
    m_state.MaxIndex = static_cast<qint16>(chosen.list.count());
    m_state.IndexDigits = chosen.indexDigits;
    PickWord();
    TakePickedWord();
    ShowMaskInLetterBox();
    m_window.speak(spokenNewWord(m_state.Mask.size()));
}

void Game::TakePickedWord()
{
    const WordList &list = m_categories[static_cast<std::size_t>(m_state.Category - 1)].list;
    m_state.SecretWord = list.entry(m_state.WordIndex);
    m_state.Mask = QString(list.letters(), QLatin1Char('.'));
}

void Game::ShowMaskInLetterBox()
{
    // Two blanks first: a text that begins with a blank is never taken for a guess.
    m_window.setText(Control::TxtUser, QStringLiteral("  ") + m_state.Mask);
}

void Game::HideCategoryPanel()
{
    for (Control control : CategoryPanel)
        m_window.setVisible(control, false);
}

void Game::ShowPlayPanel()
{
    for (Control control : PlayPanel)
        m_window.setVisible(control, true);
    m_window.setTabIndex(Control::TxtUser, 0);
    m_window.setTabIndex(Control::TxtIhreLösung, 1);
    m_window.setTabIndex(Control::CmdZurück, 2);
    m_window.setTabIndex(Control::CmdNeuesSpiel, 4);
    m_window.setTabIndex(Control::CmdLösung, 5);
}

void Game::PickWord()
{
    m_state.SolutionAttempts = 0;
    m_state.LetterAttempts = 0;
    m_window.setCaption(Control::LblZeichen, QStringLiteral("Versuch 1"));
    m_window.setCaption(Control::LblLösVersuch, QStringLiteral("Versuch 1"));
    m_window.setText(Control::TxtIhreLösung, QString());
    m_state.WordIndex = static_cast<qint16>(pickWordIndex(m_platform.secondsSinceMidnight(), m_state.MaxIndex,
                                                          m_state.IndexDigits, m_platform.decimalSeparator()));
    m_window.setFocus(Control::TxtUser);
}

void Game::NewGame()
{
    const bool newWord = m_state.Category >= 1 && m_state.Category <= static_cast<qint16>(m_categories.size());
    if (newWord) {
        PickWord();
        TakePickedWord();
    }
    ShowMaskInLetterBox();
    m_window.setFocus(Control::TxtUser);
    if (newWord)
        m_window.speak(spokenNewWord(m_state.Mask.size()));
}

void Game::CmdNeuesSpiel_Click()
{
    NewGame();
}

void Game::CmdLösung_Click()
{
    const QString messageText = QStringLiteral("Gesucht wurde: ") + m_state.SecretWord;
    m_window.messageBox(messageText, 0, QStringLiteral(u"Lösung"));
    CmdNeuesSpiel_Click();
}

void Game::CmdZurück_Click()
{
    for (Control control : PlayPanel)
        m_window.setVisible(control, false);
    for (Control control : CategoryPanel)
        m_window.setVisible(control, true);
    m_window.setFocus(Control::Cmd1);
}

void Game::CmdEnde_Click()
{
    m_window.closeWindow();
}

void Game::PlayCue(const QString &fileName)
{
    Module1::SoundFile = m_state.AppPath + fileName;
    m_window.PlaySoundCue();
}

// The word is guessed, by its letters or as a whole: the win cue, the
// congratulation, and at once the next word of the same length.
void Game::WordGuessed()
{
    PlayCue(QStringLiteral("gewonnen.wav"));
    const QString messageText = QStringLiteral("Wort nach ") + QString::number(m_state.LetterAttempts)
        + QStringLiteral(" Versuchen erraten!\r\n") + QStringLiteral(u"Lösungswort: ") + m_state.SecretWord;
    m_window.messageBox(messageText, 0, QStringLiteral(u"Herzlichen Glückwunsch"));
    m_window.setText(Control::TxtUser, QString());
    NewGame();
}
