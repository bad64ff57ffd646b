#pragma once

#include "Platform.h"

// The real clock and the user's regional settings.
class SystemPlatform final : public Platform
{
public:
    float secondsSinceMidnight() const override;
    QChar decimalSeparator() const override;
    void pause(std::chrono::milliseconds duration) const override;
};
