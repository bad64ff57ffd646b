#pragma once

#include <QtGlobal>

#include <limits>

// Attempt counters are 16-bit; a game with more guesses than that keeps
// showing the highest count instead of wrapping round to a negative number.
inline void countAttempt(qint16 &counter)
{
    if (counter < std::numeric_limits<qint16>::max())
        ++counter;
}
