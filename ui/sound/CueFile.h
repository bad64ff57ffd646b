#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// What the game accepts as a cue file, and how such a file becomes samples.
//
// A cue is a RIFF wave file of at most 8 MiB and 30 seconds: PCM of 8, 16, 24 or
// 32 bits, 32-bit float, A-law, µ-law, MS or IMA ADPCM (also behind the extensible
// header), at 8 to 192 kHz, with 1 to 8 channels (MS ADPCM: 1 or 2). Everything
// else is refused from its header, before anything of its size is reserved: a
// cue the game cannot play only leaves the game silent.
namespace CueFile {
constexpr int MinRate = 8000;
constexpr int MaxRate = 192000;
constexpr int MaxChannels = 8;
constexpr int MaxSeconds = 30;
constexpr qint64 MaxBytes = 8 << 20;
constexpr int OutputChannels = 2; // stereo is what every device offers; mono cues play on both

// The whole file, or nothing: only a regular file of a cue's size is read, so a
// directory, a pipe or a huge file is skipped without waiting on it.
QByteArray read(const QString &path);

// The cue as interleaved 16-bit stereo at `rate` frames a second; empty when
// the bytes are no cue the game accepts.
std::vector<int16_t> decode(QByteArray bytes, int rate);
} // namespace CueFile
