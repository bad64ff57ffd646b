#pragma once

#include <QElapsedTimer>
#include <QString>

#include <chrono>
#include <cstdint>
#include <vector>

// Plays the game's short wave-file cues through SDL's audio device, mixing them
// itself: SDL2_mixer would bring in a dozen codec libraries for three wave files.
//
// Each distinct cue file has one voice: playing a cue again restarts it from the
// beginning, while different cues sound together. The file is read from disk at
// every play, so a cue replaced while the game runs is heard at once. SDL mixes
// on its own audio thread, so a cue keeps sounding while the caller's thread sleeps.
//
// Sound is a courtesy: every failure (missing or broken file, no audio device, no
// sound server) is silent and only shows in play()'s result.
//
// Use one player per program from one thread: SDL's audio is process-wide.
class SoundCuePlayer
{
public:
    // How long to wait after a failed attempt to open audio before trying again.
    static constexpr std::chrono::milliseconds DefaultReopenDelay{5000};

    explicit SoundCuePlayer(std::chrono::milliseconds reopenDelay = DefaultReopenDelay);
    ~SoundCuePlayer();

    // Starts SDL's audio back end, which connects to the sound server.
    bool prepare();

    // Closes the device and the back end when no cue sounds, so that a quiet
    // game wakes neither the processor nor the sound card; the next cue opens
    // them again. Returns whether they are closed.
    bool rest();
    bool deviceOpen() const { return m_device != 0; }

    // Starts the wave file at `path` and returns at once. Returns whether it started.
    bool play(const QString &path);

    // Whether the cue last started from `path` is still sounding.
    bool isPlaying(const QString &path) const;

private:
    struct Voice
    {
        QString path;                 // the key as the caller spells it, made absolute
        std::vector<int16_t> samples; // interleaved stereo in the device's rate
        std::size_t played = 0;
    };

    static void mix(void *player, uint8_t *stream, int bytes); // on SDL's audio thread
    bool openDevice();
    bool failedRecently() const;
    std::vector<int16_t> decode(const QString &path) const;

    std::chrono::milliseconds m_reopenDelay;
    bool m_backendReady = false;
    uint32_t m_device = 0;        // SDL's device id; 0 while closed
    int m_rate = 0;               // the device's frames per second
    QElapsedTimer m_sinceFailure; // since the last failure to prepare or open
    std::vector<Voice> m_voices;  // shared with the audio thread under SDL's device lock
    void *m_alsaLibrary = nullptr; // Linux only: keeps ALSA's messages silenced

    Q_DISABLE_COPY_MOVE(SoundCuePlayer)
};
