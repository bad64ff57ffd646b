#include "GermanText.h"

bool isGuessLetter(QChar c)
{
    return QStringView(GuessAlphabet).contains(c);
}

QChar upperCaseGerman(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z')
        return QChar(char16_t(u - u'a' + u'A'));
    switch (u) {
    case u'ä': return QChar(u'Ä');
    case u'ö': return QChar(u'Ö');
    case u'ü': return QChar(u'Ü');
    default: return c;
    }
}

QString upperCaseGerman(QStringView text)
{
    QString result;
    for (QChar c : text)
        result.append(upperCaseGerman(c));
    return result;
}

QString trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin).toString();
}
