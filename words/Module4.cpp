#include "Module4.h"

#include "EmbeddedWords.h"

namespace Module4 {

ModuleWordList Words10(Shape10, embeddedWords10);

void FillWordList10()
{
    Words10.fill();
}

} // namespace Module4
