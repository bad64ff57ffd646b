// The whole way from a cue file's bytes to mixed samples, for libFuzzer; the
// normal test run replays its seeds, the game's cues and every input that ever failed.
#include "CueFile.h"
#include "CueMixer.h"

#include <array>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > size_t(CueFile::MaxBytes))
        return -1; // never read from disk
    // Devices run at 44.1 kHz, or at their own rate, often 48 kHz: both ways, by the input's length.
    const int rate = size % 2 ? 44100 : 48000;
    CueMixer mixer;
    mixer.start(u"cue", CueFile::decode(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), rate));
    std::array<int16_t, 1024> out;
    while (mixer.sounding())
        mixer.mix(out.data(), out.size());
    return 0;
}
