// What sound costs the window: its thread only hands a path to the sound
// thread, and this measures the worst time that takes, for the game's cues and
// for hostile files; beside it, what reading and starting each file costs on
// the sound thread itself. (bench/sound/first_cue.cpp: how soon a cue sounds.)
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

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

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
    std::vector<std::pair<const char *, QString>> files{{"kontrollton.wav", cues + QStringLiteral("/kontrollton.wav")},
            {"fehlerton.wav", cues + QStringLiteral("/fehlerton.wav")},
            {"gewonnen.wav", cues + QStringLiteral("/gewonnen.wav")},
            {"missing", scratch.filePath(QStringLiteral("fehlt.wav"))},
            {"random bytes", noise.fileName()},
            {"claims 4 GB", claimsFile.fileName()},
            {"100 MB", scratch.filePath(QStringLiteral("gross.wav"))},
            {"directory", scratch.path()}};
#ifndef Q_OS_WIN
    mkfifo(QFile::encodeName(scratch.filePath(QStringLiteral("fifo.wav"))).constData(), 0600);
    files.emplace_back("pipe", scratch.filePath(QStringLiteral("fifo.wav")));
#endif
    return files;
}
} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir temporary;
    const QDir scratch(argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path());
    const auto files = cueFiles(scratch);

    // The window's side: handing each file to the sound thread, as the game does.
    std::vector<double> onTheWindow;
    {
        SoundCues cues(QStringLiteral(ZEICHENFANG_SOUND_MODULE));
        cues.start();
        for (const auto &file : files) {
            onTheWindow.push_back(worstOf(50, [&] { cues.play(file.second); }));
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    // The sound thread's side, with a player of its own (SDL opens one device at a time).
    SoundCuePlayer player;
    std::printf("%-16s %22s %26s\n", "file", "window thread, worst us", "sound thread, worst us");
    for (std::size_t i = 0; i < files.size(); ++i)
        std::printf("%-16s %22.1f %26.1f\n", files[i].first, onTheWindow[i], worstOf(20, [&] { player.play(files[i].second); }));
    std::printf("worst stall of the window's thread: %.1f us\n", *std::max_element(onTheWindow.begin(), onTheWindow.end()));
    return 0;
}
