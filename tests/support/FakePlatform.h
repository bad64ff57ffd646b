#pragma once

#include "Platform.h"

// A clock stopped at one reading and a chosen decimal separator, so a test
// knows which word the game picks. It counts its readings: one a word pick.
class FakePlatform final : public Platform
{
public:
    float reading = 0.0f;
    QChar separator = QLatin1Char(',');
    mutable int readings = 0;

    float secondsSinceMidnight() const override { return ++readings, reading; }
    QChar decimalSeparator() const override { return separator; }
};
