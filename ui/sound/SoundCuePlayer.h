#pragma once

#include "CueMixer.h"

#include <QDeadlineTimer>
#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>

// How long the player waits after a failed attempt to open audio before it tries
// again: long enough that keys do not pay for a doomed attempt each; a caller may
// choose. Not a class member: that would be a GNU unique symbol, which pins the
// module in memory on Linux behind its loader's back, and whether the module stays
// is its loader's choice (SoundCues).
constexpr std::chrono::milliseconds DefaultReopenDelay{5000};

// Plays the game's short wave-file cues through SDL's audio device, mixing them
// itself: SDL2_mixer would bring in a dozen codec libraries for three wave files.
//
// Playing a cue again restarts it from the beginning, while different cues sound
// together (CueMixer). The file is read from disk at every play, so a cue
// replaced while the game runs is heard from the next cue on. SDL mixes on its
// own audio thread, so a cue keeps sounding while the caller's thread sleeps.
//
// Sound is a courtesy: every failure (a file that is no cue, no audio device, no
// sound server) is silent.
//
// Use one player per program from one thread: SDL's audio is process-wide.
// Only play() uses Qt's shared state (to read the file); open(), closeIfIdle() and the
// destructor use SDL and plain values alone, so they may still run while the program
// ends around them.
class SoundCuePlayer
{
public:
    explicit SoundCuePlayer(std::chrono::milliseconds reopenDelay = DefaultReopenDelay);
    ~SoundCuePlayer();

    // Opens the sound device unless it is open; whether it is. The one call that
    // may wait, on a sound server that does not answer.
    bool open();

    // Starts the cue file at `path` on the open device (opening it first) and returns at once.
    void play(const QString &path);

    // Closes the device when no cue sounds, so that a quiet game wakes neither
    // the processor nor the sound card; the next cue opens it again. Returns
    // whether it is closed.
    bool closeIfIdle();

private:
    static void mix(void *player, uint8_t *stream, int bytes); // on SDL's audio thread
    bool openBackend();

    std::chrono::milliseconds m_reopenDelay;
    bool m_backendReady = false;
    uint32_t m_device = 0;        // SDL's device id; 0 while closed
    int m_rate = 0;               // the device's frames per second
    QDeadlineTimer m_nextAttempt = QDeadlineTimer::current(); // set by a failure to start the back end or open the device
    CueMixer m_mixer;             // shared with the audio thread under SDL's device lock
    std::shared_ptr<void> m_quietLibraries; // keeps the sound libraries' own messages silenced

    Q_DISABLE_COPY_MOVE(SoundCuePlayer)
};
