#pragma once

#include "WordList.h"

#include <span>
#include <string_view>

// A program-wide word list. It stands in a module of its own beside the one
// procedure that fills it, and is filled from its built-in words each time its
// category is chosen.
class ModuleWordList : public WordList
{
public:
    using BuiltInWords = std::span<const std::string_view> (*)();

    ModuleWordList(const WordListShape &shape, BuiltInWords words, Entries entries = Entries::FixedWidth)
        : WordList(shape, entries)
        , m_words(words)
    {
    }

    void fill() { fillFrom(m_words()); }

private:
    BuiltInWords m_words;
};
