#include "WordPick.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string>

float scaledTimerValue(float secondsSinceMidnight)
{
    if (secondsSinceMidnight == std::trunc(secondsSinceMidnight))
        return secondsSinceMidnight;
    // The product of a float and 100 is exact in double; rounding it once to
    // float gives the nearest single-precision value.
    return static_cast<float>(static_cast<double>(secondsSinceMidnight) * 100.0);
}

QString singleToText(float value, QChar decimalSeparator)
{
    const double magnitude = std::fabs(static_cast<double>(value));
    if (!std::isfinite(magnitude))
        return QStringLiteral("0");

    // Seven significant digits, as "d.dddddde±xx", then written out in fixed notation.
    // to_chars follows no locale: the C library's decimal point may be two bytes.
    char scientific[32];
    const char *const end = std::to_chars(std::begin(scientific), std::end(scientific), magnitude,
                                          std::chars_format::scientific, 6).ptr;
    std::string digits(1, scientific[0]);
    digits.append(scientific + 2, 6);
    int exponent = 0;
    std::from_chars(scientific + 10, end, exponent);
    if (scientific[9] == '-')
        exponent = -exponent;

    std::string whole;
    std::string fraction;
    const int wholeDigits = exponent + 1;
    if (wholeDigits <= 0) {
        whole = "0";
        fraction = std::string(static_cast<std::size_t>(-wholeDigits), '0') + digits;
    } else {
        digits.resize(std::max(digits.size(), static_cast<std::size_t>(wholeDigits)), '0'); // zeros up to the point
        whole = digits.substr(0, static_cast<std::size_t>(wholeDigits));
        fraction = digits.substr(static_cast<std::size_t>(wholeDigits));
    }
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();

    QString text = QString::fromLatin1(whole.data(), static_cast<qsizetype>(whole.size()));
    if (!fraction.empty())
        text += decimalSeparator + QString::fromLatin1(fraction.data(), static_cast<qsizetype>(fraction.size()));
    return text;
}

QString indexTextFor(float scaledValue, int indexDigits, QChar decimalSeparator)
{
    return (QStringLiteral("00") + singleToText(scaledValue, decimalSeparator)).right(indexDigits);
}

int readIndexText(const QString &indexText, QChar decimalSeparator)
{
    // At most four characters: digits and perhaps the separator. Read them as
    // exact tenths, hundredths or thousandths, so a half is recognised exactly.
    long long whole = 0;
    long long fraction = 0;
    long long fractionScale = 1;
    bool afterSeparator = false;
    for (QChar c : indexText) {
        if (c == decimalSeparator && !afterSeparator) {
            afterSeparator = true;
        } else if (c.isDigit()) {
            const int digit = c.digitValue();
            if (afterSeparator) {
                fraction = fraction * 10 + digit;
                fractionScale *= 10;
            } else {
                whole = whole * 10 + digit;
            }
        }
    }
    const long long twiceFraction = 2 * fraction;
    if (twiceFraction > fractionScale || (twiceFraction == fractionScale && whole % 2 == 1))
        ++whole;
    return static_cast<int>(whole);
}

int foldIndex(int value, int maxIndex)
{
    // Zero (all the digits taken were zeros, or a fraction rounded down to
    // nothing) gets the index the folding formula ((value - 1) mod max) + 1
    // gives it: the last word. That keeps every pick inside the list.
    if (value < 1)
        return maxIndex;
    while (value > maxIndex)
        value -= maxIndex;
    return value;
}

int pickWordIndex(float secondsSinceMidnight, int maxIndex, int indexDigits, QChar decimalSeparator)
{
    const float timerValue = scaledTimerValue(secondsSinceMidnight);
    const QString indexText = indexTextFor(timerValue, indexDigits, decimalSeparator);
    return foldIndex(readIndexText(indexText, decimalSeparator), maxIndex);
}
