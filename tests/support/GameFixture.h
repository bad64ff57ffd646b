#pragma once

#include "FakePlatform.h"
#include "FakeWindow.h"
#include "Game.h"

#include <QString>

// A game on a fake window, with helpers to start a game on a chosen word.
struct GameFixture
{
    GameFixture();

    // The list that holds words of this length (filled for the lookup).
    const WordList &listFor(int letters);
    // The index of the word in its list, or 0.
    int indexOf(const QString &word);
    // The first word of the given length that satisfies the predicate.
    template<typename Predicate>
    QString findWord(int letters, Predicate predicate)
    {
        const WordList &list = listFor(letters);
        for (int i = 1; i <= list.upperBound(); ++i) {
            const QString word = list.entry(i);
            if (word.size() == letters && word.front() != QChar(0) && predicate(word))
                return word;
        }
        return {};
    }

    // Starts a game of the word's length whose pick lands on the word.
    void startGameWith(const QString &word);
    // Lets the next pick land on this word (same length as the current game).
    void nextWordWillBe(const QString &word);
    void clickCategory(int category);

    QStringList cues() const;

    FakeWindow window;
    FakePlatform platform;
    Game game{window, platform};
};
