// What sound costs the window, and how soon a cue sounds:
//  - the window's thread only hands a path to the sound thread: the worst time
//    that takes, for the game's cues and for hostile files;
//  - what reading and starting each file costs on the sound thread itself;
//  - loading the sound module and opening the device after start-up, and how
//    soon after its request the first cue starts.
// Usage: SDL_AUDIODRIVER=dummy sound_latency [scratch-folder]
#include "SoundCuePlayer.h"
#include "SoundCues.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include <sys/stat.h>

using Clock = std::chrono::steady_clock;

namespace {
double microseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::micro>(d).count();
}

template<typename Run>
double worstOf(int times, Run run)
{
    double worst = 0;
    for (int i = 0; i < times; ++i) {
        const auto start = Clock::now();
        run();
        worst = std::max(worst, microseconds(Clock::now() - start));
    }
    return worst;
}

// The game's cues and the files a player or a broken disk may put in their place.
std::vector<std::pair<const char *, QString>> cueFiles(const QDir &scratch)
{
    const QString cues = QStringLiteral(ZEICHENFANG_CUE_DIR);
    QFile::copy(cues + QStringLiteral("/kontrollton.wav"), scratch.filePath(QStringLiteral("gross.wav")));
    QFile(scratch.filePath(QStringLiteral("gross.wav"))).resize(100 << 20); // sparse: 100 MB
    QFile source(cues + QStringLiteral("/fehlerton.wav"));
    QByteArray claims = source.open(QIODevice::ReadOnly) ? source.readAll() : QByteArray(44, '\0');
    claims.replace(40, 4, "\xf0\xff\xff\xff", 4); // a data chunk of 4 GB
    QFile claimsFile(scratch.filePath(QStringLiteral("riesig.wav")));
    if (claimsFile.open(QIODevice::WriteOnly))
        claimsFile.write(claims);
    QFile noise(scratch.filePath(QStringLiteral("rauschen.wav")));
    if (noise.open(QIODevice::WriteOnly))
        noise.write(QByteArray(4096, '\x5a'));
    mkfifo(QFile::encodeName(scratch.filePath(QStringLiteral("fifo.wav"))).constData(), 0600);
    return {{"kontrollton.wav", cues + QStringLiteral("/kontrollton.wav")},
            {"fehlerton.wav", cues + QStringLiteral("/fehlerton.wav")},
            {"gewonnen.wav", cues + QStringLiteral("/gewonnen.wav")},
            {"missing", scratch.filePath(QStringLiteral("fehlt.wav"))},
            {"random bytes", noise.fileName()},
            {"claims 4 GB", claimsFile.fileName()},
            {"100 MB", scratch.filePath(QStringLiteral("gross.wav"))},
            {"directory", scratch.path()},
            {"pipe", scratch.filePath(QStringLiteral("fifo.wav"))}};
}
} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir temporary;
    const QDir scratch(argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path());
    const auto files = cueFiles(scratch);

    SoundCues cues(QStringLiteral(ZEICHENFANG_SOUND_MODULE));
    const auto started = Clock::now();
    cues.start();
    cues.play(files[0].second); // asked for at once, as by a key pressed right after start-up
    while (!cues.report().ready && Clock::now() - started < std::chrono::seconds(5))
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const auto loaded = Clock::now();
    while (cues.report().started + cues.report().silent == 0 && Clock::now() - started < std::chrono::seconds(5))
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const SoundCues::Report first = cues.report();
    std::printf("sound module loaded, device opened: %8.1f ms after start-up\n", microseconds(loaded - started) / 1000);
    if (first.started)
        std::printf("first cue, asked for at start-up:   %8.1f ms to start\n", microseconds(first.lastStarted - first.lastAsked) / 1000);
    else
        std::printf("first cue, asked for at start-up:   silent (no sound device)\n");

    SoundCuePlayer player;
    std::printf("\n%-16s %22s %26s\n", "file", "window thread, worst us", "sound thread, worst us");
    double worstOnTheWindow = 0;
    for (const auto &[name, path] : files) {
        const double window = worstOf(50, [&] { cues.play(path); });
        const double sound = worstOf(20, [&] { player.play(path); });
        worstOnTheWindow = std::max(worstOnTheWindow, window);
        std::printf("%-16s %22.1f %26.1f\n", name, window, sound);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::printf("worst stall of the window's thread: %.1f us\n", worstOnTheWindow);
    return 0;
}
