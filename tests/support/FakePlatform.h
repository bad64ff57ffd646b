#pragma once

#include "Platform.h"

// A clock stopped at one reading and a chosen decimal separator, so a test
// knows which word the game picks.
class FakePlatform final : public Platform
{
public:
    float reading = 0.0f;
    QChar separator = QLatin1Char(',');

    float secondsSinceMidnight() const override { return reading; }
    QChar decimalSeparator() const override { return separator; }
};
