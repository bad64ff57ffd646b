#pragma once

#include "WordListShapes.h"

#include <QString>
#include <QStringView>

#include <span>
#include <string_view>
#include <vector>

// One built-in word list: an array indexed from 0 to its declared upper bound,
// with its words at indices 1 to its count. Fixed-width entries hold exactly the
// shape's number of letters (code 0 until filled); a variable-length list holds
// whatever string was stored (empty until filled).
class WordList
{
public:
    enum class Entries { FixedWidth, VariableLength };

    explicit WordList(const WordListShape &shape, Entries entries = Entries::FixedWidth);

    int count() const { return m_shape.count; }
    int letters() const { return m_shape.letters; }

    // Throws std::out_of_range for an index outside the declared bounds:
    // that is a programming error, the word pick never yields one.
    QString entry(int index) const;

    // Stores the given UTF-8 words at indices 1, 2, 3, ... in that order.
    void fillFrom(std::span<const std::string_view> words);

private:
    void store(int index, QStringView word);
    void checkIndex(int index) const;

    WordListShape m_shape;
    Entries m_entries;
    std::vector<QString> m_slots;
};
