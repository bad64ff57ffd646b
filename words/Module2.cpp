#include "Module2.h"

#include "EmbeddedWords.h"

namespace Module2 {

WordList Words12(Shape12, WordList::Entries::VariableLength);

void FillWordList12()
{
    Words12.fillFrom(embeddedWords12());
}

} // namespace Module2
