#include "Module4.h"

#include "EmbeddedWords.h"
#include "WordListShapes.h"

namespace Module4 {

WordList Words10(Shape10.upperBound, Shape10.letters);

void FillWordList10()
{
    Words10.fillFrom(embeddedWords10());
}

} // namespace Module4
