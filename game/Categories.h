#pragma once

#include "WordListShapes.h"

#include <QString>
#include <QtGlobal>

// What each word length needs: its list's word count and how many trailing
// characters of the clock text make its index.
struct CategoryInfo
{
    qint16 maxIndex;
    qint16 indexDigits;
    int wordLength;
};

// Category 1..5; the caller guarantees the range.
inline CategoryInfo categoryInfo(int category)
{
    static constexpr CategoryInfo table[] = {
        {Shape4.count, 3, Shape4.letters},   {Shape6.count, 4, Shape6.letters},   {Shape8.count, 4, Shape8.letters},
        {Shape10.count, 4, Shape10.letters}, {Shape12.count, 4, Shape12.letters},
    };
    return table[category - 1];
}

inline QString dotText(int category)
{
    return QString(categoryInfo(category).wordLength, QLatin1Char('.'));
}
