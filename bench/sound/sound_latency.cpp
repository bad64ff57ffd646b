// Measures what a sound cue costs the user-interface thread:
//  - wall time of SoundCuePlayer::play() (it reads the file and starts the mixer);
//  - process CPU time during the 0.3 s pause the game takes after each cue, when
//    only the audio thread should be busy.
// Usage: sound_latency [cue-folder] [plays-per-cue]

#include "SoundCuePlayer.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Summary
{
    double min = 0, median = 0, max = 0;
};

Summary summarise(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    if (values.empty())
        return {};
    return {values.front(), values[values.size() / 2], values.back()};
}

double microsecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double cpuMilliseconds(std::clock_t from, std::clock_t to)
{
    return 1000.0 * double(to - from) / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char **argv)
{
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(ZEICHENFANG_CUE_DIR);
    const int plays = argc > 2 ? std::max(1, std::stoi(argv[2])) : 200;
    const char *cues[] = {"kontrollton.wav", "fehlerton.wav", "gewonnen.wav"};

    SoundCuePlayer player;

    // The first play opens the audio device: a one-off cost the window's start-up avoids.
    const auto openStart = Clock::now();
    const bool opened = player.play(folder + QStringLiteral("/kontrollton.wav"));
    std::printf("first play (opens audio): %.0f us, %s\n", microsecondsSince(openStart),
                opened ? "started" : "FAILED");
    if (!opened)
        return 1;

    std::printf("\nplay() call to return, %d plays per cue (us):\n", plays);
    std::printf("  %-16s %8s %8s %8s\n", "cue", "min", "median", "max");
    for (const char *cue : cues) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(cue);
        std::vector<double> times;
        int failures = 0;
        for (int i = 0; i < plays; ++i) {
            const auto start = Clock::now();
            failures += player.play(path) ? 0 : 1;
            times.push_back(microsecondsSince(start));
        }
        const Summary s = summarise(times);
        std::printf("  %-16s %8.0f %8.0f %8.0f%s\n", cue, s.min, s.median, s.max,
                    failures ? "  (some plays failed)" : "");
    }

    constexpr int Pauses = 10;
    std::printf("\nprocess CPU time during the 0.3 s pause after a play, %d pauses per cue (ms):\n",
                Pauses);
    std::printf("  %-16s %8s %8s %8s\n", "cue", "min", "median", "max");
    for (const char *cue : cues) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(cue);
        std::vector<double> cpu;
        for (int i = 0; i < Pauses; ++i) {
            player.play(path);
            const std::clock_t before = std::clock();
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            cpu.push_back(cpuMilliseconds(before, std::clock()));
        }
        const Summary s = summarise(cpu);
        std::printf("  %-16s %8.2f %8.2f %8.2f\n", cue, s.min, s.median, s.max);
    }
    return 0;
}
