#include "WordList.h"

#include <algorithm>
#include <stdexcept>
#include <string>

WordList::WordList(int upperBound, int width)
    : m_width(width)
    , m_entries(static_cast<std::size_t>(upperBound) + 1, QString(width, QChar(0)))
{
}

void WordList::checkIndex(int index) const
{
    if (index < 0 || index > upperBound())
        throw std::out_of_range("word list index " + std::to_string(index) + " outside 0.."
                                + std::to_string(upperBound()));
}

QString WordList::entry(int index) const
{
    checkIndex(index);
    return m_entries[static_cast<std::size_t>(index)];
}

void WordList::store(int index, QStringView word)
{
    checkIndex(index);
    QString &slot = m_entries[static_cast<std::size_t>(index)];
    if (m_width == VariableLength) {
        slot = word.toString();
        return;
    }
    // A fixed-width entry keeps its width: a shorter word leaves blanks behind,
    // a longer one is cut, as with any fixed-length string.
    slot.fill(QLatin1Char(' '));
    std::copy_n(word.begin(), std::min<qsizetype>(word.size(), m_width), slot.begin());
}

void WordList::fillFrom(std::span<const std::string_view> words)
{
    int index = 1;
    for (std::string_view word : words)
        store(index++, QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
}
