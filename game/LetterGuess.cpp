// Letters typed into the letter box: every change of its text is one guess.
#include "Counter.h"
#include "Game.h"
#include "GameWindow.h"
#include "GermanText.h"
#include "Spoken.h"

void Game::TxtUser_Change()
{
    // The caret stays at the start so that every keystroke arrives first.
    m_window.setSelStart(Control::TxtUser, 0);
    const QString text = m_window.text(Control::TxtUser);
    if (text.isEmpty() || text.front() == QLatin1Char(' ')) {
        // The game's own writes, or input placed after the blanks: ignored. But a
        // box that such input has filled would refuse every later key, so then
        // the blanks and the mask are put back.
        if (text.size() >= LetterBoxMaxLength)
            ShowMaskInLetterBox();
        return;
    }

    const QChar typedLetter = upperCaseGerman(text.front());
    QString spoken = QString::fromUtf16(SpokenNotALetter);
    if (!isGuessLetter(typedLetter)) {
        PlayCue(QStringLiteral("fehlerton.wav"));
    } else {
        countAttempt(m_state.LetterAttempts);
        m_window.setCaption(Control::LblZeichen, QStringLiteral("Versuch ") + QString::number(m_state.LetterAttempts));
        const bool hit = m_state.SecretWord.contains(typedLetter);
        if (!hit) {
            PlayCue(QStringLiteral("fehlerton.wav"));
        } else {
            for (qsizetype i = 0; i < m_state.SecretWord.size(); ++i) {
                if (m_state.SecretWord[i] == typedLetter)
                    m_state.Mask[i] = typedLetter;
            }
            PlayCue(QStringLiteral("kontrollton.wav"));
            if (m_state.Mask == m_state.SecretWord) {
                WordGuessed();
                return;
            }
        }
        spoken = spokenLetterGuess(hit, m_state.LetterAttempts, m_state.Mask);
    }
    // Rewriting the box also removes the typed character and any stray input.
    ShowMaskInLetterBox();
    m_window.speak(spoken);
}

void Game::TxtUser_KeyUp()
{
    m_window.setSelStart(Control::TxtUser, 0);
}
