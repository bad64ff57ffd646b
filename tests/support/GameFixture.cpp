#include "GameFixture.h"

#include "Module2.h"
#include "Module3.h"
#include "Module4.h"

GameFixture::GameFixture()
{
    window.attach(&game);
    game.Form_Load();
}

const WordList &GameFixture::listFor(int letters)
{
    switch (letters) {
    case 4: return game.words4();
    case 6: Module3::FillWordList6(); return Module3::Words6;
    case 8: return game.words8();
    case 10: Module4::FillWordList10(); return Module4::Words10;
    default: Module2::FillWordList12(); return Module2::Words12;
    }
}

int GameFixture::indexOf(const QString &word)
{
    const WordList &list = listFor(static_cast<int>(word.size()));
    for (int i = 1; i <= list.upperBound(); ++i) {
        if (list.entry(i) == word)
            return i;
    }
    return 0;
}

void GameFixture::nextWordWillBe(const QString &word)
{
    // A whole number of seconds is not scaled: its last digits are the index.
    platform.reading = static_cast<float>(indexOf(word));
}

void GameFixture::startGameWith(const QString &word)
{
    nextWordWillBe(word);
    clickCategory(static_cast<int>(word.size()) / 2 - 1);
}

void GameFixture::clickCategory(int category)
{
    switch (category) {
    case 1: game.Cmd1_Click(); break;
    case 2: game.Cmd2_Click(); break;
    case 3: game.Cmd3_Click(); break;
    case 4: game.Cmd4_Click(); break;
    case 5: game.cmd5_Click(); break;
    default: break;
    }
}

QStringList GameFixture::cues() const
{
    QStringList result;
    for (const QString &entry : window.log) {
        if (entry.startsWith(QLatin1String("cue:")))
            result.append(entry.mid(4));
    }
    return result;
}
