#include "SystemPlatform.h"

#include <QLocale>
#include <QTime>

float SystemPlatform::secondsSinceMidnight() const
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay() / 1000.0);
}

QChar SystemPlatform::decimalSeparator() const
{
    const QString separator = QLocale::system().decimalPoint();
    return separator.isEmpty() ? QLatin1Char('.') : separator.front();
}
