#include "SoundCuePlayer.h"

#include "CueFile.h"
#include "SdlAudio.h"
#include "System.h"

#include <QFileInfo>

namespace {

constexpr int SampleRate = 44100;    // the rate the cue files are written at: no resampling
constexpr int BufferFrames = 512;    // about 12 ms: a cue answers the keystroke without lag

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
    if (m_backendReady)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
    m_quietLibraries.reset(); // only once SDL has let its libraries go
}

void SoundCuePlayer::play(const QString &path)
{
    if (path.isEmpty() || !open())
        return;
    const std::u16string key = QFileInfo(path).absoluteFilePath().toStdU16String();
    std::vector<int16_t> samples = CueFile::decode(CueFile::read(path), m_rate); // before the lock: no gap on a restart
    const DeviceLock lock(m_device);
    // A cue asked for again always stops its previous sound, even when the file
    // can no longer be played: what sounds is never older than the last request.
    if (samples.empty())
        m_mixer.stop(key);
    else
        m_mixer.start(key, std::move(samples));
}

void SoundCuePlayer::mix(void *player, uint8_t *stream, int bytes)
{
    static_cast<SoundCuePlayer *>(player)->m_mixer.mix(reinterpret_cast<int16_t *>(stream), std::size_t(bytes) / 2);
}

bool SoundCuePlayer::openBackend()
{
    if (m_backendReady)
        return true;
    // SDL would otherwise install its own SIGINT/SIGTERM handlers and swallow them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Zeichenfang");
    SDL_SetMainReady();
    if (!m_quietLibraries)
        m_quietLibraries = System::quietSoundLibraries();
    m_backendReady = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!m_backendReady)
        m_nextAttempt.setRemainingTime(m_reopenDelay);
    return m_backendReady;
}

bool SoundCuePlayer::open()
{
    if (m_device)
        return true;
    // After a failure, open is tried again once the reopen delay has passed: sound
    // returns when a device appears, yet cues rarely pay for a doomed attempt.
    if (!m_nextAttempt.hasExpired() || !openBackend())
        return false;
    SDL_AudioSpec wanted{};
    SDL_AudioSpec obtained{};
    wanted.freq = SampleRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = CueFile::OutputChannels;
    wanted.samples = BufferFrames;
    wanted.callback = &SoundCuePlayer::mix;
    wanted.userdata = this;
    m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (!m_device) {
        m_nextAttempt.setRemainingTime(m_reopenDelay);
        return false;
    }
    m_rate = obtained.freq;
    SDL_PauseAudioDevice(m_device, 0);
    return true;
}

bool SoundCuePlayer::closeIfIdle()
{
    if (m_device) {
        const DeviceLock lock(m_device);
        if (m_mixer.sounding())
            return false;
    }
    if (m_device)
        SDL_CloseAudioDevice(m_device);
    m_device = 0;
    m_mixer.clear();
    if (m_backendReady && System::endsBackendWhenIdle(SDL_GetCurrentAudioDriver())) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_backendReady = false;
    }
    return true;
}
