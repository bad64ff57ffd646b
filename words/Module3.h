#pragma once

#include "ModuleWordList.h"

// The program-wide list of 6-letter words.
namespace Module3 {
extern ModuleWordList Words6;
void FillWordList6();
} // namespace Module3
