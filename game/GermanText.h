#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// The 30 characters that count as letter guesses.
inline constexpr char16_t GuessAlphabet[] = u"ABCDEFGHIJKLMNOPQRSTUVWXYZÄÖÜß";

bool isGuessLetter(QChar c);

// a-z, ä, ö, ü to their capitals; everything else, ß included, stays as it is.
// (QString::toUpper would turn ß into "SS" and change the length of a guess.)
QChar upperCaseGerman(QChar c);
QString upperCaseGerman(QStringView text);

// Removes blanks, and only blanks, at both ends.
QString trimBlanks(QStringView text);
