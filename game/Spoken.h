#pragma once

#include <QString>
#include <QStringView>

// What the game has the player's screen reader say, in German, short, the most
// important first. Commas only between the parts: a screen reader speaks a
// colon as "Doppelpunkt", and a period after a number makes it an ordinal.
// The mask is spoken place by place, so that an unknown place is heard
// ("Punkt", as the instructions call the dots) and letters are not run together.
QString spokenMask(QStringView mask);
QString spokenNewWord(qsizetype letters);
QString spokenLetterGuess(bool hit, int attempts, QStringView mask);
QString spokenHint(QStringView mask);
inline constexpr char16_t SpokenNotALetter[] = u"Kein Buchstabe, nicht gezählt";
