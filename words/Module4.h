#pragma once

#include "ModuleWordList.h"

// The program-wide list of 10-letter words.
namespace Module4 {
extern ModuleWordList Words10;
void FillWordList10();
} // namespace Module4
