#pragma once

#include <QString>

namespace Module1 {
// Full path of the wave file the next sound cue plays.
extern QString SoundFile;
} // namespace Module1
