#pragma once

#include "FakeWindow.h"
#include "GermanText.h"

#include <QRandomGenerator>

// Random play: one generator of the events a player can cause and one set of
// invariants, checked after every event, on a game with a stopped clock. It plays
// on any window that offers the player's side of it, the fake one and the real one:
//   key(text)            a key, or a paste, at the start of the letter box, then the key released
//   edit(at, text)       a paste at `at`, or with no text Delete there, then the key released
//   solution(text)       the solution box now holds the text
//   click(button)        1 to 5, N, L, Z, R or E
//   view()               what the window shows now
namespace RandomPlay {

struct View
{
    bool ended;                  // the window has closed
    QList<Control> visible;
    QString letterBox, attempts; // attempts: the two attempt labels, joined by '/'
    int caret;
    QStringList boxes;           // the titles of the message boxes shown since the last view
};

struct Outcome { int events; QString wrong; }; // wrong: what went wrong first, if anything

// Letters, umlauts, ß, digits, punctuation, blanks, control characters, beyond Latin-1, emoji.
inline QString text(QRandomGenerator &random, int maxLength)
{
    static const QList<uint> characters = QStringLiteral(u"abcdefghijklmnopqrstuvwxyzäöüßAEIOUXÄÖÜ0123456789.,-'!?@€ "
                                                         u"\t\n\x01\x7féÿΩж中\U0001F600").toUcs4();
    QString result;
    for (int n = random.bounded(maxLength + 1); n > 0; --n) {
        const char32_t c = characters[random.bounded(int(characters.size()))];
        result += QString::fromUcs4(&c, 1);
    }
    return result;
}

template<typename Window>
Outcome play(Window &w, const Game &game, FakePlatform &clock, quint32 seed, int events, bool mayEnd)
{
    using enum Control;
    const QString won = QStringLiteral(u"Herzlichen Glückwunsch");
    QRandomGenerator random(seed);
    for (int event = 0; event < events; ++event) {
        clock.reading = float(random.bounded(86400.0));
        clock.separator = random.bounded(2) ? u',' : u'.';
        const GameState before = game.state();
        const int readings = clock.readings;
        const View now = w.view();
        const bool playing = now.visible.contains(TxtUser);
        QString action, expected; // expected: the message boxes this event must show
        bool rewrites = true;      // whether the game writes the letter box afresh
        const int roll = random.bounded(100);
        const bool click = !playing || roll >= 85;
        if (click) {
            action = QString(playing ? u"NLZR"[roll % 4] : roll < 2 && mayEnd ? u'E' : QChar(u'1' + roll % 5));
            expected = action == u"L" ? QStringLiteral(u"Lösung") : QString();
            rewrites = action != u"Z";
            w.click(action[0]);
        } else if (roll < 65) { // a key, or a paste, at the start of the letter box
            action = text(random, roll < 55 ? 1 : 20);
            const QChar letter = action.isEmpty() ? QChar() : upperCaseGerman(action[0]);
            QString revealed = before.Mask;
            for (qsizetype i = 0; i < revealed.size(); ++i)
                revealed[i] = before.SecretWord[i] == letter ? letter : revealed[i];
            expected = isGuessLetter(letter) && before.SecretWord.contains(letter) && revealed == before.SecretWord ? won : QString();
            rewrites = !action.isEmpty() && action[0] != u' '; // a text that begins with a blank is ignored
            w.key(action);
        } else if (roll < 70) { // a paste elsewhere, or Delete
            const int at = random.bounded(int(now.letterBox.size()) + 1);
            action = roll < 67 ? text(random, 8) : QString();
            rewrites = false;
            w.edit(at, action);
            action = QStringLiteral("edit at %1: %2").arg(at).arg(action);
        } else { // the whole word, right or wrong, or anything at all
            const QString word = before.SecretWord;
            action = roll < 75 ? u' ' + word.toLower() : text(random, roll < 80 ? int(word.size()) : 22);
            const QString guess = upperCaseGerman(trimBlanks(action.left(SolutionBoxMaxLength)));
            expected = guess.isEmpty() || guess.size() != word.size() ? QString() : guess == word ? won : QStringLiteral("Hinweis");
            rewrites = expected == won;
            w.solution(action);
        }
        const View v = w.view();
        if (v.ended)
            return {event + 1, {}};

        const GameState &s = game.state();
        const bool newWord = expected == won || (click && QStringLiteral("NL12345").contains(action));
        const QString &box = v.letterBox;
        QString wrong;
        if (v.visible != QList{Cmd1, Cmd2, Cmd3, Cmd4, cmd5, CmdEnde} && !v.visible.contains(TxtUser))
            wrong = QStringLiteral("the faces are mixed");
        for (qsizetype i = 0; i < s.Mask.size(); ++i) {
            if (s.Mask.size() != s.SecretWord.size() || (s.Mask[i] != u'.' && s.Mask[i] != s.SecretWord[i]))
                wrong = QStringLiteral("the mask ") + s.Mask + QStringLiteral(" does not fit its word");
        }
        if (s.Category && ((rewrites && box != QStringLiteral("  ") + s.Mask) || box.size() >= LetterBoxMaxLength
                           || (!box.isEmpty() && box[0] != u' ') || v.caret != 0))
            wrong = QStringLiteral("the letter box holds \"%1\", the caret at %2").arg(box).arg(v.caret);
        const QString attempts = QStringLiteral("Versuch %1/Versuch %2").arg(qMax<int>(1, s.LetterAttempts)).arg(qMax<int>(1, s.SolutionAttempts));
        if (s.Category && (s.LetterAttempts < 0 || s.SolutionAttempts < 0 || v.attempts != attempts))
            wrong = QStringLiteral("the attempts show as ") + v.attempts;
        if (const QString shown = v.boxes.join(u'|'); shown != expected)
            wrong = QStringLiteral("message boxes \"%1\" instead of \"%2\"").arg(shown, expected);
        if (clock.readings - readings != int(newWord))
            wrong = newWord ? QStringLiteral("no new word") : QStringLiteral("a new word out of turn");
        if (!wrong.isEmpty())
            return {event + 1, QStringLiteral("seed %1, event %2 (%3): %4").arg(seed).arg(event).arg(action, wrong)};
    }
    return {events, {}};
}

} // namespace RandomPlay
