#pragma once

#include <QString>
#include <QtGlobal>

// The current game. A new game overwrites these fields; nothing is saved.
// Values that matter only inside one event (the scaled clock reading, the typed
// letter, the whole-word guess, the message text) are locals of their handlers.
struct GameState
{
    qint16 Category = 0;    // 1..5 for words of 4, 6, 8, 10, 12 letters; 0 before the first choice
    qint16 MaxIndex = 0;    // highest index the word pick may return: the list's word count
    qint16 IndexDigits = 0; // how many trailing characters of the clock text form the index
    qint16 WordIndex = 0;   // index of the current word in the category's list
    QString SecretWord;     // the word to guess, in capitals
    QString Mask;           // "." for every hidden letter, the letter where revealed
    qint16 LetterAttempts = 0;   // letter guesses counted in this game
    qint16 SolutionAttempts = 0; // wrong whole-word guesses in this game
    QString AppPath;        // the program's directory followed by one separator
};
