#include "Module4.h"

#include "EmbeddedWords.h"

namespace Module4 {

WordList Words10(Shape10);

void FillWordList10()
{
    Words10.fillFrom(embeddedWords10());
}

} // namespace Module4
