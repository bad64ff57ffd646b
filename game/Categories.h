#pragma once

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
        {799, 3, 4}, {1402, 4, 6}, {2046, 4, 8}, {2584, 4, 10}, {2497, 4, 12},
    };
    return table[category - 1];
}

inline QString dotText(int category)
{
    return QString(categoryInfo(category).wordLength, QLatin1Char('.'));
}
