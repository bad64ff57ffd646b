#pragma once

#include "WordList.h"

// The program-wide list of 10-letter words, filled whenever its category is chosen.
namespace Module4 {
extern WordList Words10;
void FillWordList10();
} // namespace Module4
