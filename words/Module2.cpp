#include "Module2.h"

#include "EmbeddedWords.h"

namespace Module2 {

ModuleWordList Words12(Shape12, embeddedWords12, WordList::Entries::VariableLength);

void FillWordList12()
{
    Words12.fill();
}

} // namespace Module2
