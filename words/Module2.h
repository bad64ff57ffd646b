#pragma once

#include "ModuleWordList.h"

// The program-wide list of 12-letter words.
namespace Module2 {
extern ModuleWordList Words12;
void FillWordList12();
} // namespace Module2
