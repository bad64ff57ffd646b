#include "CueFile.h"

#include "SdlAudio.h"

#include <QByteArrayView>
#include <QtEndian>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string_view>

namespace {

// The converter's working buffer for the longest accepted cue at device rates up to 96 kHz.
constexpr quint64 MaxConvertBytes = 64 << 20;

enum Encoding : quint16 { Pcm = 1, MsAdpcm = 2, Float = 3, ALaw = 6, MuLaw = 7, ImaAdpcm = 0x11, Extensible = 0xfffe };

bool playable(quint16 encoding, quint16 bits, quint16 channels)
{
    switch (encoding) {
    case Pcm:
        return bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case Float:
        return bits == 32;
    case ALaw:
    case MuLaw:
        return bits == 8;
    case MsAdpcm:
        return bits == 4 && channels <= 2;
    case ImaAdpcm:
        return bits == 4;
    default:
        return false;
    }
}

// Whether the header describes a cue the game accepts. On the way, every chunk
// (and the RIFF size) is cut to the bytes that are there: the loader reserves
// whatever a header claims, gigabytes even.
bool acceptHeader(QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || QByteArrayView(bytes).sliced(8, 4) != "WAVE")
        return false;
    auto *raw = reinterpret_cast<uchar *>(bytes.data());
    const auto trim = [&](qsizetype sizeAt) { // a size field, cut to the bytes that follow it
        const quint32 size = qMin(qFromLittleEndian<quint32>(raw + sizeAt), quint32(bytes.size() - sizeAt - 4));
        qToLittleEndian(size, raw + sizeAt);
        return qsizetype(size);
    };
    trim(4);
    const uchar *format = nullptr;
    qsizetype formatSize = 0, dataSize = -1;
    // The loader takes the first format chunk and the first data chunk after it.
    for (qsizetype chunk = 12; chunk + 8 <= bytes.size();) {
        const QByteArrayView id = QByteArrayView(bytes).sliced(chunk, 4);
        const qsizetype size = trim(chunk + 4);
        if (id == "fmt " && !format) {
            format = raw + chunk + 8;
            formatSize = size;
        } else if (id == "data" && format && dataSize < 0) {
            dataSize = size;
        }
        chunk += 8 + size + (size & 1); // chunks keep an even length
    }
    if (!format || formatSize < 16 || dataSize <= 0)
        return false;
    quint16 encoding = qFromLittleEndian<quint16>(format);
    const quint16 channels = qFromLittleEndian<quint16>(format + 2);
    const quint32 rate = qFromLittleEndian<quint32>(format + 4);
    const quint16 bits = qFromLittleEndian<quint16>(format + 14);
    if (encoding == Extensible && formatSize >= 40)
        encoding = qFromLittleEndian<quint16>(format + 24); // the sub-format's first two bytes
    if (!playable(encoding, bits, channels) || channels < 1 || channels > CueFile::MaxChannels
        || rate < quint32(CueFile::MinRate) || rate > quint32(CueFile::MaxRate))
        return false;
    // Every sample takes `bits` of the data at least, so this bounds the cue's length.
    return quint64(dataSize) * 8 <= quint64(CueFile::MaxSeconds) * rate * bits * channels;
}

} // namespace

// With the standard library: a QFile is a Qt object, and the sound thread makes none.
QByteArray CueFile::read(const QString &path)
{
    const QByteArray utf8 = path.toUtf8();
    const std::filesystem::path file(std::u8string_view(reinterpret_cast<const char8_t *>(utf8.constData()), utf8.size()));
    std::error_code error;
    // For anything but a regular file the size is an error, uintmax_t(-1): pipes and folders are never opened.
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (size > std::uintmax_t(MaxBytes))
        return {};
    std::ifstream stream(file, std::ios::binary);
    QByteArray bytes(qsizetype(size), Qt::Uninitialized);
    stream.read(bytes.data(), bytes.size());
    bytes.resize(stream.gcount()); // what is there, should it have shrunk meanwhile
    return bytes;
}

std::vector<int16_t> CueFile::decode(QByteArray bytes, int rate)
{
    if (!acceptHeader(bytes))
        return {};
    SDL_AudioSpec fileFormat;
    Uint8 *wave = nullptr;
    Uint32 length = 0;
    SDL_RWops *source = SDL_RWFromConstMem(bytes.constData(), int(bytes.size()));
    if (!source || !SDL_LoadWAV_RW(source, /*freesrc=*/1, &fileFormat, &wave, &length))
        return {};
    // Into the device's format: 16-bit stereo at its rate. The converter works in
    // place in a buffer `len_mult` times the input, resampling included: bounded first.
    SDL_AudioCVT convert{};
    std::vector<int16_t> samples;
    const bool convertible = SDL_BuildAudioCVT(&convert, fileFormat.format, fileFormat.channels, fileFormat.freq,
                                               AUDIO_S16SYS, CueFile::OutputChannels, rate) >= 0;
    const quint64 bufferBytes = quint64(length) * quint64(std::max(convert.len_mult, 1));
    if (convertible && bufferBytes <= MaxConvertBytes) {
        std::vector<Uint8> buffer(bufferBytes);
        std::copy_n(wave, length, buffer.begin());
        convert.buf = buffer.data();
        convert.len = int(length);
        if (SDL_ConvertAudio(&convert) == 0)
            samples.assign(reinterpret_cast<const int16_t *>(buffer.data()),
                           reinterpret_cast<const int16_t *>(buffer.data()) + convert.len_cvt / 2);
    }
    SDL_FreeWAV(wave);
    return samples; // a header without samples gives none: it would "start" and end in the same instant
}
