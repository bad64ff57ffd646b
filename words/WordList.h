#pragma once

#include <QString>
#include <QStringView>

#include <span>
#include <string_view>
#include <vector>

// One built-in word list: an array indexed from 0 to its declared upper bound.
// Fixed-width lists hold exactly `width` characters in every entry (code 0 until
// filled); a variable-length list (width 0) holds whatever string was stored.
class WordList
{
public:
    static constexpr int VariableLength = 0;

    WordList(int upperBound, int width);

    int upperBound() const { return static_cast<int>(m_entries.size()) - 1; }
    int width() const { return m_width; }

    // Throws std::out_of_range for an index outside the declared bounds:
    // that is a programming error, the word pick never yields one.
    QString entry(int index) const;
    void store(int index, QStringView word);

    // Stores the given UTF-8 words at indices 1, 2, 3, ... in that order.
    void fillFrom(std::span<const std::string_view> words);

private:
    void checkIndex(int index) const;

    int m_width;
    std::vector<QString> m_entries;
};
