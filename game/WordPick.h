#pragma once

#include <QChar>
#include <QString>

// The word index is cut out of the text of the clock reading; there is no random
// number generator. Pure functions, so every step can be checked on its own.

// The clock reading scaled to the value whose text is cut: times 100 (to the
// nearest single-precision value) when it has a fraction, unchanged when whole.
float scaledTimerValue(float secondsSinceMidnight);

// The default text of a single-precision value: the nearest value of at most
// seven significant digits, no sign, no blank, no exponent, no trailing zeros,
// the fraction after `decimalSeparator`.
QString singleToText(float value, QChar decimalSeparator);

// The characters taken from "00" + the value's text: its last `indexDigits`.
QString indexTextFor(float scaledValue, int indexDigits, QChar decimalSeparator);

// Reads the index characters as a decimal number with `decimalSeparator` and
// rounds to the nearest whole number, a half going to the even one.
int readIndexText(const QString &indexText, QChar decimalSeparator);

// Folds a read value into 1..maxIndex.
int foldIndex(int value, int maxIndex);

// All of the above: the word index for a clock reading.
int pickWordIndex(float secondsSinceMidnight, int maxIndex, int indexDigits, QChar decimalSeparator);
