#include "SoundCuePlayer.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

#ifdef Q_OS_LINUX
#include <dlfcn.h>
#endif

#define SDL_MAIN_HANDLED // the program has its own main(); SDL only provides sound
#include <SDL.h>

namespace {

constexpr int SampleRate = 44100;    // the rate the cue files are written at: no resampling
constexpr int OutputChannels = 2;    // stereo is what every device offers; mono cues play on both
constexpr int BufferFrames = 512;    // about 12 ms: a cue answers the keystroke without lag
constexpr qint64 MaxCueBytes = 8 << 20; // 47 s of CD-quality stereo; anything larger is no cue

// The whole file, or nothing: only a regular file of a cue's size is read, so a
// directory, a pipe or a huge file is skipped without waiting on it.
QByteArray readCue(const QString &path)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || info.size() > MaxCueBytes || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(MaxCueBytes);
}

// A wave header may claim more than the file holds, gigabytes even, and the
// loader would reserve room for all of it: each chunk is cut to what is there.
void trimWaveChunks(QByteArray &bytes)
{
    if (bytes.size() < 12 || !bytes.startsWith("RIFF"))
        return; // not a wave file: the loader judges it alone
    auto *raw = reinterpret_cast<uchar *>(bytes.data());
    const auto trim = [&](qsizetype sizeAt) { // a size field, cut to the bytes that follow it
        const quint32 size = qMin(qFromLittleEndian<quint32>(raw + sizeAt), quint32(bytes.size() - sizeAt - 4));
        qToLittleEndian(size, raw + sizeAt);
        return qsizetype(size);
    };
    trim(4);
    for (qsizetype chunk = 12; chunk + 8 <= bytes.size();) {
        const qsizetype size = trim(chunk + 4);
        chunk += 8 + size + (size & 1); // chunks keep an even length
    }
}

#ifdef Q_OS_LINUX
// ALSA writes its own complaints to stderr when SDL probes a machine without a sound
// card; the game stays quiet about missing sound, so ALSA gets a handler that drops them.
using AlsaErrorHandler = void (*)(const char *, int, const char *, int, const char *, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

void ignoreAlsaError(const char *, int, const char *, int, const char *, ...) {}

void setAlsaErrorHandler(void *library, AlsaErrorHandler handler)
{
    if (!library)
        return;
    if (auto set = reinterpret_cast<SetAlsaErrorHandler>(dlsym(library, "snd_lib_error_set_handler")))
        set(handler);
}
#endif

} // namespace

// The audio thread reads the voices while it mixes: changes wait for it.
struct DeviceLock
{
    SDL_AudioDeviceID device;
    explicit DeviceLock(SDL_AudioDeviceID id) : device(id) { SDL_LockAudioDevice(device); }
    ~DeviceLock() { SDL_UnlockAudioDevice(device); }
};

SoundCuePlayer::SoundCuePlayer(std::chrono::milliseconds reopenDelay)
    : m_reopenDelay(reopenDelay)
{
}

SoundCuePlayer::~SoundCuePlayer()
{
    if (m_device)
        SDL_CloseAudioDevice(m_device); // stops the audio thread before the voices go
    m_device = 0;
    rest();
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
#ifdef Q_OS_LINUX
    if (m_alsaLibrary) {
        setAlsaErrorHandler(m_alsaLibrary, nullptr);
        dlclose(m_alsaLibrary);
    }
#endif
}

bool SoundCuePlayer::play(const QString &path)
{
    if (path.isEmpty() || !openDevice())
        return false;
    const QString key = QFileInfo(path).absoluteFilePath();
    std::vector<int16_t> samples = decode(path); // read before stopping the old cue: no gap on a restart
    const DeviceLock lock(m_device);
    auto voice = std::find_if(m_voices.begin(), m_voices.end(), [&](const Voice &v) { return v.path == key; });
    // A cue asked for again always stops its previous sound, even when the file
    // can no longer be played: what sounds is never older than the last request.
    if (samples.empty()) {
        if (voice != m_voices.end())
            m_voices.erase(voice);
        return false;
    }
    if (voice == m_voices.end())
        voice = m_voices.insert(m_voices.end(), Voice{key, {}, 0});
    voice->samples = std::move(samples);
    voice->played = 0;
    return true;
}

bool SoundCuePlayer::isPlaying(const QString &path) const
{
    if (!m_device || path.isEmpty())
        return false;
    const QString key = QFileInfo(path).absoluteFilePath();
    const DeviceLock lock(m_device);
    return std::any_of(m_voices.begin(), m_voices.end(),
                       [&](const Voice &v) { return v.path == key && v.played < v.samples.size(); });
}

std::vector<int16_t> SoundCuePlayer::decode(const QString &path) const
{
    QByteArray bytes = readCue(path);
    trimWaveChunks(bytes);
    SDL_AudioSpec fileFormat;
    Uint8 *wave = nullptr;
    Uint32 length = 0;
    SDL_RWops *source = bytes.isEmpty() ? nullptr : SDL_RWFromConstMem(bytes.constData(), int(bytes.size()));
    if (!source || !SDL_LoadWAV_RW(source, /*freesrc=*/1, &fileFormat, &wave, &length))
        return {};
    // Into the device's format: 16-bit stereo at its rate.
    SDL_AudioCVT convert;
    std::vector<int16_t> samples;
    if (SDL_BuildAudioCVT(&convert, fileFormat.format, fileFormat.channels, fileFormat.freq, AUDIO_S16SYS,
                          OutputChannels, m_rate) >= 0) {
        std::vector<Uint8> buffer(std::size_t(length) * std::size_t(std::max(convert.len_mult, 1)));
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

void SoundCuePlayer::mix(void *player, uint8_t *stream, int bytes)
{
    auto *self = static_cast<SoundCuePlayer *>(player);
    auto *out = reinterpret_cast<int16_t *>(stream);
    const std::size_t count = std::size_t(bytes) / 2;
    std::fill_n(out, count, int16_t(0));
    for (Voice &voice : self->m_voices) {
        const std::size_t n = std::min(count, voice.samples.size() - voice.played);
        for (std::size_t i = 0; i < n; ++i)
            out[i] = int16_t(std::clamp(out[i] + voice.samples[voice.played + i], -32768, 32767));
        voice.played += n;
    }
}

bool SoundCuePlayer::prepare()
{
    if (m_backendReady)
        return true;
    if (failedRecently())
        return false;
    // SDL would otherwise install its own SIGINT/SIGTERM handlers and swallow them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Zeichenfang");
    SDL_SetMainReady();
#ifdef Q_OS_LINUX
    // Held open so the quiet handler outlives SDL loading and unloading ALSA.
    if (!m_alsaLibrary) {
        m_alsaLibrary = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        setAlsaErrorHandler(m_alsaLibrary, ignoreAlsaError);
    }
#endif
    m_backendReady = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!m_backendReady)
        m_sinceFailure.start();
    return m_backendReady;
}

bool SoundCuePlayer::openDevice()
{
    if (m_device)
        return true;
    if (!prepare() || failedRecently())
        return false;
    SDL_AudioSpec wanted{};
    SDL_AudioSpec obtained{};
    wanted.freq = SampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = OutputChannels;
    wanted.samples = BufferFrames;
    wanted.callback = &SoundCuePlayer::mix;
    wanted.userdata = this;
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (!m_device) {
        m_sinceFailure.start();
        return false;
    }
    m_rate = obtained.freq;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

bool SoundCuePlayer::failedRecently() const
{
    // After a failure, try again once the reopen delay has passed: sound returns
    // when a device appears, yet cues rarely pay for a doomed attempt.
    return m_sinceFailure.isValid() && !m_sinceFailure.hasExpired(m_reopenDelay.count());
}

bool SoundCuePlayer::rest()
{
    if (m_device) {
        const DeviceLock lock(m_device);
        if (std::any_of(m_voices.begin(), m_voices.end(), [](const Voice &v) { return v.played < v.samples.size(); }))
            return false;
    }
    if (m_device)
        SDL_CloseAudioDevice(m_device);
    m_device = 0;
    m_voices.clear();
    // The back end goes too: ALSA's keeps a thread that looks for new cards every few seconds.
    if (m_backendReady)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    m_backendReady = false;
    return true;
}
