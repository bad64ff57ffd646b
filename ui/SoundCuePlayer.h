#pragma once

#include <QElapsedTimer>
#include <QString>

#include <chrono>
#include <memory>
#include <vector>

struct Mix_Chunk;

// Plays the game's short wave-file cues through SDL2_mixer.
//
// Each distinct cue file owns one mixer channel: playing a cue again restarts it from
// the beginning, while different cues sound together. The file is read from disk at
// every play, so a cue replaced while the game runs is heard at once. SDL_mixer mixes
// on its own audio thread, so a cue keeps sounding while the caller's thread sleeps.
//
// Sound is a courtesy: every failure (missing or broken file, no audio device, no
// sound server) is silent and only shows in play()'s result.
//
// Use one player per program from one thread: the mixer and its channels are
// process-wide.
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
    bool deviceOpen() const { return m_deviceOpen; }

    // Starts the wave file at `path` and returns at once. Returns whether it started.
    bool play(const QString &path);

    // Whether the cue last started from `path` is still sounding.
    bool isPlaying(const QString &path) const;

private:
    struct FreeChunk
    {
        void operator()(Mix_Chunk *chunk) const;
    };
    using ChunkPtr = std::unique_ptr<Mix_Chunk, FreeChunk>;

    struct Cue
    {
        QString path;   // the key as the caller spells it, made absolute
        ChunkPtr chunk; // null while nothing from this path is loaded
    };

    bool openDevice();
    void closeDevice();
    bool failedRecently() const;
    int channelFor(const QString &key);
    int findChannel(const QString &key) const;

    std::chrono::milliseconds m_reopenDelay;
    bool m_backendReady = false;
    bool m_deviceOpen = false;
    QElapsedTimer m_sinceFailure; // since the last failure to prepare or open
    std::vector<Cue> m_cues; // index == mixer channel
    void *m_alsaLibrary = nullptr; // Linux only: keeps ALSA's messages silenced

    Q_DISABLE_COPY_MOVE(SoundCuePlayer)
};
