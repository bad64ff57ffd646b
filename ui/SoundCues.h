#pragma once

#include <QString>

#include <chrono>
#include <memory>
#include <thread>

// The game's sound cues, played on a thread of their own. Everything sound
// needs - loading the sound module and the libraries behind it, opening and
// reopening the device, reading the cue files - happens there, so a slow disk,
// a huge or broken file or a sound server that does not answer never holds up
// the window: the window's thread only hands over a path.
class SoundCues
{
public:
    using Clock = std::chrono::steady_clock;
    // A cue that cannot start this soon after it was asked for is dropped: heard
    // later, it would answer the wrong key.
    static constexpr std::chrono::milliseconds MaxDelay{300};
    // After this long without a cue the device is closed: a quiet game costs nothing.
    static constexpr std::chrono::milliseconds RestAfter{2000};

    // The sound module stands beside the program; a caller that keeps it elsewhere names it.
    explicit SoundCues(QString modulePath = besideTheProgram());
    ~SoundCues();
    static QString besideTheProgram();

    void start();                   // loads the module on the sound thread, once
    void play(const QString &path); // hands the path over and returns at once

private:
    struct Shared;
    static void run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> m_shared;
    std::thread m_thread;
};
