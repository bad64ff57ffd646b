#pragma once

#include <QChar>

#include <chrono>

// The services of the system the game depends on: the clock, the regional
// settings, and holding still for a while.
class Platform
{
public:
    virtual ~Platform() = default;

    // Local time of day in seconds since midnight, with its fraction.
    virtual float secondsSinceMidnight() const = 0;
    // The decimal separator of the user's regional settings.
    virtual QChar decimalSeparator() const = 0;
    // Holds the calling thread still, as the window does after every sound cue.
    virtual void pause(std::chrono::milliseconds duration) const = 0;
};
