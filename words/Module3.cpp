#include "Module3.h"

#include "EmbeddedWords.h"

namespace Module3 {

WordList Words6(Shape6);

void FillWordList6()
{
    Words6.fillFrom(embeddedWords6());
}

} // namespace Module3
