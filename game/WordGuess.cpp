// The whole-word guess and the guess help.
#include "Counter.h"
#include "Game.h"
#include "GameWindow.h"
#include "GermanText.h"
#include "Spoken.h"

void Game::TxtIhreLösung_Change()
{
    const QString solutionGuess = upperCaseGerman(trimBlanks(m_window.text(Control::TxtIhreLösung)));
    // Nothing happens while the player is still typing: the guess is compared
    // the moment it is exactly as long as the word.
    if (solutionGuess.isEmpty() || solutionGuess.size() != m_state.SecretWord.size())
        return;

    if (solutionGuess == m_state.SecretWord) {
        WordGuessed();
        return;
    }

    countAttempt(m_state.SolutionAttempts);
    m_window.setCaption(Control::LblLösVersuch, QStringLiteral("Versuch ") + QString::number(m_state.SolutionAttempts));
    PlayCue(QStringLiteral("fehlerton.wav"));
    m_window.messageBox(QStringLiteral("Leider falsch vermutet!"), 0, QStringLiteral("Hinweis"));
    m_window.setText(Control::TxtIhreLösung, QString());
    m_window.setFocus(Control::TxtUser);
}

void Game::CmdRatehilfe_Click()
{
    // Reveals the first position only, at no cost; the mask is not checked for a win.
    if (!m_state.SecretWord.isEmpty() && !m_state.Mask.isEmpty())
        m_state.Mask[0] = m_state.SecretWord[0];
    ShowMaskInLetterBox();
    PlayCue(QStringLiteral("kontrollton.wav"));
    m_window.setFocus(Control::TxtUser);
    m_window.speak(spokenHint(m_state.Mask));
}
