#include "Spoken.h"

#include <QStringList>

QString spokenMask(QStringView mask)
{
    QStringList places;
    for (QChar c : mask)
        places.append(c == u'.' ? QStringLiteral("Punkt") : QString(c));
    return places.join(QStringLiteral(", "));
}

QString spokenNewWord(qsizetype letters)
{
    return QStringLiteral("Neues Wort, %1 Buchstaben").arg(letters);
}

QString spokenLetterGuess(bool hit, int attempts, QStringView mask)
{
    return QStringLiteral("%1, Versuch %2, %3").arg(hit ? QStringLiteral("Treffer") : QStringLiteral("Daneben")).arg(attempts).arg(spokenMask(mask));
}

QString spokenHint(QStringView mask)
{
    return QStringLiteral("Ratehilfe, ") + spokenMask(mask);
}
