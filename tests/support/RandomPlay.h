#pragma once

#include "FakeWindow.h"

#include <QRandomGenerator>
#include <QRegularExpression>

// Random play: one generator of the events a player can cause, and the test's own
// model of what the window must show after each. It plays on any window, the fake one
// and the real one, that offers the player's side of it:
//   key(text)        a key, or a paste, at the start of the letter box, then the key released
//   edit(at, text)   a paste at `at`, or with no text Delete there, then the key released
//   solution(text)   the solution box now holds the text;   click(button)  1 to 5, N, L, Z, R or E
//   view()           what the window shows now
namespace RandomPlay {

struct View
{
    bool ended;                               // the window has closed
    QList<Control> visible;                   // in the order of the Control enumeration
    QString letterBox, solutionBox, attempts; // attempts: the two attempt labels, joined by '/'
    int caret;                                // in the letter box
    QStringList boxes;                        // "title: text" of the message boxes shown since the last view
};

struct Outcome { int events; QString wrong; }; // wrong: what went wrong first, if anything

// Letters, umlauts, ß, digits, punctuation, blanks, control characters, beyond Latin-1, emoji.
inline QString text(QRandomGenerator &random, int maxLength)
{
    static const std::u32string characters = U"abcdefghijklmnopqrstuvwxyzäöüßAEIOUXÄÖÜ0123456789.,-'!?@€ \t\n\x01\x7féÿΩж中\U0001F600";
    QString result;
    for (int n = random.bounded(maxLength + 1); n > 0; --n)
        result += QString::fromUcs4(&characters[random.bounded(int(characters.size()))], 1);
    return result;
}

// Plays `events` random events; the model is written from the rules, apart from the program's
// code. The clock stops at a whole number of seconds from 1 to 799 before every event, which
// picks the word at that index in every list.
template<typename Window>
Outcome play(Window &w, FakePlatform &clock, quint32 seed, int events, bool mayEnd)
{
    using enum Control;
    static const QString small = QStringLiteral(u"abcdefghijklmnopqrstuvwxyzäöüß"), capitals = QStringLiteral(u"ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜß");
    static const QRegularExpression outerBlanks(QStringLiteral("^ +| +\\z")); // \z: the very end, also after a line break
    const auto capital = [](QChar c) { return small.contains(c) ? capitals[small.indexOf(c)] : c; };
    const int letterCount[] = {4, 6, 8, 10, 12}; // the word length of each category button
    QRandomGenerator random(seed);
    int category = 0, letters = 0, wrong = 0; // the model: no category chosen yet
    QString word, mask;
    const auto shown = [&] { return QStringLiteral("  ") + mask; }; // the letter box's blanks and the mask
    for (int event = 0; event < events; ++event) {
        const int index = 1 + random.bounded(799);
        clock.reading = float(index);
        const int readings = clock.readings;
        const View now = w.view();
        const bool playing = now.visible.contains(TxtUser);
        bool showsGame = playing, ends = false, newWord = false;
        QString action, letterBox = now.letterBox, solutionBox = now.solutionBox;
        QStringList boxes;
        const auto won = [&] {
            boxes.append(QStringLiteral(u"Herzlichen Glückwunsch: Wort nach %1 Versuchen erraten!\nLösungswort: %2").arg(letters).arg(word));
            newWord = true;
        };
        // A change of the letter box: its first character is the guess, unless it is a blank.
        const auto evaluate = [&](const QString &changed) {
            const QChar letter = changed.isEmpty() ? QChar(u' ') : capital(changed[0]);
            if (letter == u' ') {
                letterBox = changed.size() >= LetterBoxMaxLength ? shown() : changed; // a full box is cleared
                return;
            }
            if (capitals.contains(letter)) {
                ++letters;
                for (qsizetype i = 0; i < word.size(); ++i)
                    mask[i] = word[i] == letter ? letter : mask[i];
                if (word.contains(letter) && mask == word)
                    won();
            }
            letterBox = shown();
        };
        const int roll = random.bounded(100);
        if (!playing || roll >= 85) {
            const QChar button = playing ? u"NLZR"[roll % 4] : roll < 2 && mayEnd ? u'E' : QChar(u'1' + roll % 5);
            if (button == u'L')
                boxes.append(QStringLiteral(u"Lösung: Gesucht wurde: ") + word);
            else if (button == u'R')
                mask[0] = word[0], letterBox = shown();
            category = button.isDigit() ? button.digitValue() : category;
            showsGame = (showsGame || button.isDigit()) && button != u'Z';
            ends = button == u'E';
            newWord = button.isDigit() || button == u'N' || button == u'L';
            action = button;
            w.click(button);
        } else if (roll < 65) { // a key, or a paste, at the start of the letter box
            action = text(random, roll < 55 ? 1 : 20);
            if (const QString typed = action.left(LetterBoxMaxLength - now.letterBox.size()); !typed.isEmpty())
                evaluate(typed + now.letterBox);
            w.key(action);
        } else if (roll < 70) { // a paste elsewhere, or Delete
            const int at = random.bounded(int(now.letterBox.size()) + 1);
            const QString pasted = roll < 67 ? text(random, 8) : QString();
            const QString typed = pasted.left(LetterBoxMaxLength - now.letterBox.size());
            if (pasted.isEmpty() ? at < now.letterBox.size() : !typed.isEmpty())
                evaluate(QString(now.letterBox).remove(at, pasted.isEmpty()).insert(at, typed));
            w.edit(at, pasted);
            action = QStringLiteral("edit at %1: %2").arg(at).arg(pasted);
        } else { // the whole word, right or wrong, or anything at all
            action = roll < 75 ? u' ' + word.toLower() : text(random, roll < 80 ? int(word.size()) : 22);
            solutionBox = action.left(SolutionBoxMaxLength);
            QString guess = QString(solutionBox).remove(outerBlanks);
            std::transform(guess.begin(), guess.end(), guess.begin(), capital);
            if (!guess.isEmpty() && guess == word)
                won();
            else if (guess.size() == word.size())
                ++wrong, solutionBox.clear(), boxes.append(QStringLiteral("Hinweis: Leider falsch vermutet!"));
            w.solution(action);
        }
        if (newWord) {
            word = listedWords(letterCount[category - 1]).value(index - 1);
            mask = QString(word.size(), u'.'), letters = wrong = 0;
            letterBox = shown(), solutionBox.clear();
        }

        const View v = w.view();
        const QString attempts = QStringLiteral("Versuch %1/Versuch %2").arg(qMax(1, letters)).arg(qMax(1, wrong));
        QString fault;
        if (ends || v.ended)
            fault = ends == v.ended ? QString() : QStringLiteral("the window closed");
        else if (v.visible != (showsGame ? PlayFace : CategoryFace))
            fault = QStringLiteral("the wrong controls show");
        else if (showsGame && (v.letterBox != letterBox || v.caret != 0))
            fault = QStringLiteral("the letter box holds \"%1\", the caret at %2, not \"%3\"").arg(v.letterBox).arg(v.caret).arg(letterBox);
        else if (showsGame && v.solutionBox != solutionBox)
            fault = QStringLiteral("the solution box holds \"%1\", not \"%2\"").arg(v.solutionBox, solutionBox);
        else if (category && v.attempts != attempts)
            fault = QStringLiteral("the attempts show as %1, not %2").arg(v.attempts, attempts);
        else if (v.boxes != boxes)
            fault = QStringLiteral("message boxes \"%1\" instead of \"%2\"").arg(v.boxes.join(u'|'), boxes.join(u'|'));
        else if (clock.readings - readings != int(newWord))
            fault = newWord ? QStringLiteral("no new word") : QStringLiteral("a new word out of turn");
        if (ends || !fault.isEmpty())
            return {event + 1, fault.isEmpty() ? fault : QStringLiteral("seed %1, event %2 (%3): %4").arg(seed).arg(event).arg(action, fault)};
    }
    return {events, {}};
}

} // namespace RandomPlay
