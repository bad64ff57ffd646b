#pragma once

#include <QChar>

// The services of the system the word pick depends on.
class Platform
{
public:
    virtual ~Platform() = default;

    // Local time of day in seconds since midnight, with its fraction.
    virtual float secondsSinceMidnight() const = 0;
    // The decimal separator of the user's regional settings.
    virtual QChar decimalSeparator() const = 0;
};
