#include "Module3.h"

#include "EmbeddedWords.h"

namespace Module3 {

ModuleWordList Words6(Shape6, embeddedWords6);

void FillWordList6()
{
    Words6.fill();
}

} // namespace Module3
