#include "WordList.h"

#include <algorithm>
#include <stdexcept>
#include <string>

WordList::WordList(const WordListShape &shape, Entries entries)
    : m_shape(shape)
    , m_entries(entries)
    , m_slots(static_cast<std::size_t>(shape.upperBound) + 1,
              entries == Entries::FixedWidth ? QString(shape.letters, QChar(0)) : QString())
{
}

void WordList::checkIndex(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_slots.size()))
        throw std::out_of_range("word list index " + std::to_string(index) + " outside 0.."
                                + std::to_string(m_shape.upperBound));
}

QString WordList::entry(int index) const
{
    checkIndex(index);
    return m_slots[static_cast<std::size_t>(index)];
}

void WordList::store(int index, QStringView word)
{
    checkIndex(index);
    QString &slot = m_slots[static_cast<std::size_t>(index)];
    if (m_entries == Entries::VariableLength) {
        slot = word.toString();
        return;
    }
    // A fixed-width entry keeps its width: a shorter word leaves blanks behind,
    // a longer one is cut, as with any fixed-length string.
    slot.fill(QLatin1Char(' '));
    std::copy_n(word.begin(), std::min<qsizetype>(word.size(), m_shape.letters), slot.begin());
}

void WordList::fillFrom(std::span<const std::string_view> words)
{
    int index = 1;
    for (std::string_view word : words)
        store(index++, QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())));
}
