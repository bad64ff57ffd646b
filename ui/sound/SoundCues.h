#pragma once

#include <QString>

#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

// The game's sound cues, played on a thread of their own. Everything sound
// needs - loading the sound module and the libraries behind it, opening and
// reopening the device, reading the cue files - happens there, so a slow disk,
// a huge or broken file or a sound server that does not answer never holds up
// the window: the window's thread only hands over a path.
class SoundCues
{
public:
    // A cue that cannot start this soon after it was asked for is dropped: heard
    // later, it would answer the wrong key. So no more cues wait than this allows.
    static constexpr std::chrono::milliseconds MaxDelay{300};
    // After this long without a cue the device is closed: a quiet game costs nothing.
    static constexpr std::chrono::milliseconds CloseIdleAfter{2000};

    // How long the game's end waits for the sound thread at most: a player who
    // quits does not wait on a sound server that does not answer.
    static constexpr std::chrono::milliseconds DefaultQuitWait{1000};

    SoundCues(); // the game's sound module, beside the program
    explicit SoundCues(QString modulePath, std::chrono::milliseconds quitWait = DefaultQuitWait); // a module kept elsewhere
    // Waits the quit wait at most for the thread to end; one held up by a sound server
    // is left to end with the program, and touches nothing of Qt from then on.
    ~SoundCues();

    void start();                   // starts the sound thread, which loads the module; once
    void play(const QString &path); // hands the path over and returns at once

private:
    struct Shared;
    struct Module;
    // On the sound thread, with the lock held; they release it while they use Qt.
    static void run(std::shared_ptr<Shared> shared);
    static Module load(Shared &shared, std::unique_lock<std::mutex> &lock);
    static void playNext(Shared &shared, std::unique_lock<std::mutex> &lock, const Module &module, void *player);

    std::shared_ptr<Shared> m_shared;
    std::chrono::milliseconds m_quitWait;
    std::thread m_thread;
};
