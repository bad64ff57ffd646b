#include "Module3.h"

#include "EmbeddedWords.h"
#include "WordListShapes.h"

namespace Module3 {

WordList Words6(Shape6.upperBound, Shape6.letters);

void FillWordList6()
{
    Words6.fillFrom(embeddedWords6());
}

} // namespace Module3
