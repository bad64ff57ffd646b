#pragma once

#include "WordList.h"

// The program-wide list of 6-letter words, filled whenever its category is chosen.
namespace Module3 {
extern WordList Words6;
void FillWordList6();
} // namespace Module3
