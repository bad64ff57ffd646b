// How soon the first cue sounds when its key comes the moment the window is up:
// the sound thread starts, loads the sound module (and SDL behind it), connects
// to the sound server, and only then can open the device and start the cue.
// Like the game, this program does not link the sound libraries itself.
// Usage: first_cue [delay-ms before the key]
#include "SoundCues.h"

#include <QString>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

using namespace std::chrono;

int main(int argc, char **argv)
{
    const milliseconds keyAfter(argc > 1 ? std::stoi(argv[1]) : 0);
    SoundCues cues(QStringLiteral(ZEICHENFANG_SOUND_MODULE));
    const auto shown = SoundCues::Clock::now();
    cues.start();
    std::this_thread::sleep_for(keyAfter);
    cues.play(QStringLiteral(ZEICHENFANG_CUE_DIR "/kontrollton.wav"));
    while (cues.report().started + cues.report().silent == 0 && SoundCues::Clock::now() - shown < seconds(5))
        std::this_thread::sleep_for(microseconds(100));
    const SoundCues::Report report = cues.report();
    if (!report.started) {
        std::printf("silent: no sound device\n");
        return 1;
    }
    // The mixer hands 512 frames at a time to the device: 11.6 ms at 44.1 kHz.
    const double started = duration<double, std::milli>(report.lastStarted - report.lastAsked).count();
    std::printf("key %3lld ms after start-up: cue started %5.1f ms after it, audible within %5.1f ms\n",
                static_cast<long long>(keyAfter.count()), started, started + 512 * 1000.0 / 44100);
    return 0;
}
