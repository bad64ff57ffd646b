#include "SoundCuePlayer.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#ifdef Q_OS_LINUX
#include <dlfcn.h>
#endif

#define SDL_MAIN_HANDLED // the program has its own main(); SDL only provides sound
#include <SDL.h>
#include <SDL_mixer.h>

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

void SoundCuePlayer::FreeChunk::operator()(Mix_Chunk *chunk) const
{
    // Mix_FreeChunk first halts every channel still playing the chunk.
    Mix_FreeChunk(chunk);
}

SoundCuePlayer::SoundCuePlayer(std::chrono::milliseconds reopenDelay)
    : m_reopenDelay(reopenDelay)
{
}

SoundCuePlayer::~SoundCuePlayer()
{
    if (m_deviceOpen)
        Mix_HaltChannel(-1);
    rest();
    Mix_Quit();
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

    // Read before stopping the old cue, so the restart leaves no audible gap.
    QByteArray bytes = readCue(path);
    trimWaveChunks(bytes);
    ChunkPtr fresh;
    if (SDL_RWops *source = bytes.isEmpty() ? nullptr : SDL_RWFromConstMem(bytes.constData(), int(bytes.size()))) {
        fresh.reset(Mix_LoadWAV_RW(source, /*freesrc=*/0)); // the loader forgets to free it on some failures
        SDL_RWclose(source);
    }
    // A header without samples would "start" and end in the same instant.
    if (fresh && fresh->alen == 0)
        fresh.reset();

    // A cue asked for again always stops its previous sound, even when the file
    // can no longer be played: what sounds is never older than the last request.
    const int channel = fresh ? channelFor(key) : findChannel(key);
    if (channel < 0)
        return false;
    Cue &cue = m_cues[std::size_t(channel)];
    Mix_HaltChannel(channel);
    cue.chunk = std::move(fresh); // frees the previous chunk, now that nothing plays it
    if (!cue.chunk)
        return false;
    if (Mix_PlayChannel(channel, cue.chunk.get(), 0) != channel) {
        cue.chunk.reset();
        return false;
    }
    return true;
}

bool SoundCuePlayer::isPlaying(const QString &path) const
{
    if (!m_deviceOpen || path.isEmpty())
        return false;
    const int channel = findChannel(QFileInfo(path).absoluteFilePath());
    return channel >= 0 && m_cues[std::size_t(channel)].chunk && Mix_Playing(channel) != 0;
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
    if (m_deviceOpen)
        return true;
    if (!prepare() || failedRecently())
        return false;
    m_deviceOpen = Mix_OpenAudio(SampleRate, AUDIO_S16SYS, OutputChannels, BufferFrames) == 0;
    if (!m_deviceOpen)
        m_sinceFailure.start();
    return m_deviceOpen;
}

bool SoundCuePlayer::failedRecently() const
{
    // After a failure, try again once the reopen delay has passed: sound returns
    // when a device appears, yet cues rarely pay for a doomed attempt.
    return m_sinceFailure.isValid() && !m_sinceFailure.hasExpired(m_reopenDelay.count());
}

bool SoundCuePlayer::rest()
{
    if (m_deviceOpen && Mix_Playing(-1) > 0)
        return false;
    if (m_deviceOpen)
        closeDevice();
    // The back end goes too: ALSA's keeps a thread that looks for new cards every few seconds.
    if (m_backendReady) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_backendReady = false;
    }
    return true;
}

void SoundCuePlayer::closeDevice()
{
    for (Cue &cue : m_cues)
        cue.chunk.reset(); // before the device goes: chunks are in its format
    Mix_CloseAudio();
    m_deviceOpen = false;
}

int SoundCuePlayer::findChannel(const QString &key) const
{
    for (std::size_t i = 0; i < m_cues.size(); ++i) {
        if (m_cues[i].path == key)
            return int(i);
    }
    return -1;
}

int SoundCuePlayer::channelFor(const QString &key)
{
    const int known = findChannel(key);
    if (known >= 0)
        return known;
    const int channel = int(m_cues.size());
    // Only ever grow: shrinking would halt the cues on the channels cut off.
    if (Mix_AllocateChannels(-1) <= channel && Mix_AllocateChannels(channel + 1) <= channel)
        return -1;
    m_cues.push_back(Cue{key, nullptr});
    return channel;
}
