// How soon a cue starts when its key comes after a quiet spell, once the game
// has closed its sound device; and what the quiet spell costs the processor.
// The player runs on this thread as on the game's sound thread.
// Usage: first_cue [runs]
#include "SoundCuePlayer.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono;

namespace {
double processorMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}
} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::stoi(argv[1]) : 5;
    const QString cue = QStringLiteral(ZEICHENFANG_CUE_DIR "/kontrollton.wav");
    SoundCuePlayer player;
    player.play(cue); // the game's first cue: libraries and sound server already there
    std::vector<double> starts;
    double quietCpu = 0;
    for (int run = 0; run < runs; ++run) {
        std::this_thread::sleep_for(500ms); // the cue ends
        while (!player.rest())
            std::this_thread::sleep_for(100ms);
        std::this_thread::sleep_for(100ms); // the sound libraries finish closing
        const double before = processorMilliseconds();
        std::this_thread::sleep_for(2s); // the quiet spell
        quietCpu += processorMilliseconds() - before;
        const auto key = steady_clock::now();
        player.play(cue);
        starts.push_back(duration<double, std::milli>(steady_clock::now() - key).count());
    }
    std::sort(starts.begin(), starts.end());
    // The mixer hands 512 frames at a time to the device: 11.6 ms at 44.1 kHz.
    std::printf("first cue after a quiet spell: handed to the device after %.1f ms (median of %d, %.1f-%.1f), "
                "audible within one more buffer of 11.6 ms; processor while quiet: %.1f ms in %d s\n",
                starts[starts.size() / 2], runs, starts.front(), starts.back(), quietCpu, 2 * runs);
    return 0;
}
