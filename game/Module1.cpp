#include "Module1.h"

namespace Module1 {
QString SoundFile;
} // namespace Module1
