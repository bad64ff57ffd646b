#include "SystemPlatform.h"

#include <QLocale>
#include <QTime>

#include <thread>

float SystemPlatform::secondsSinceMidnight() const
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
}

QChar SystemPlatform::decimalSeparator() const
{
    const QString separator = QLocale::system().decimalPoint();
    return separator.isEmpty() ? QLatin1Char('.') : separator.front();
}

void SystemPlatform::pause(std::chrono::milliseconds duration) const
{
    // Sleeping keeps the processor idle, and a steady clock makes the pause the
    // same length across midnight.
    std::this_thread::sleep_for(duration);
}
