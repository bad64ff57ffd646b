#pragma once

#include "WordList.h"

// The program-wide list of 12-letter words, filled whenever its category is chosen.
namespace Module2 {
extern WordList Words12;
void FillWordList12();
} // namespace Module2
