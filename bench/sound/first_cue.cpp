// How soon a cue starts: the first one, with the sound module still to load, and
// the first one after a quiet spell, once the player has closed its device; and
// what the quiet spell costs the processor. Like the game's sound thread, this
// loads the sound module and calls it from one thread.
// Usage: first_cue [quiet spells]
#include "SoundModule.h"
#include "System.h"

#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace std::chrono;

namespace {
// The processor time of every thread of the process, SDL's and the sound system's own among them.
double processorMilliseconds()
{
#ifdef Q_OS_WIN
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto hundredNanoseconds = [](FILETIME time) { return (quint64(time.dwHighDateTime) << 32) | time.dwLowDateTime; };
    return double(hundredNanoseconds(kernel) + hundredNanoseconds(user)) / 1e4;
#else
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
#endif
}

double millisecondsSince(steady_clock::time_point start)
{
    return duration<double, std::milli>(steady_clock::now() - start).count();
}
} // namespace

int main(int argc, char **argv)
{
    const int spells = std::max(argc > 1 ? std::stoi(argv[1]) : 5, 1); // a median needs one spell at least
    const QString cue = QStringLiteral(ZEICHENFANG_CUE_DIR "/kontrollton.wav");
    // What sleeping alone is charged, before any sound library is loaded: the floor of the quiet figure.
    double bareSleep = processorMilliseconds();
    std::this_thread::sleep_for(2s);
    bareSleep = processorMilliseconds() - bareSleep;
    const auto key = steady_clock::now();
    // Loaded as the game loads it, every symbol bound at once.
    void *module = System::loadLibraryForGood(QStringLiteral(ZEICHENFANG_SOUND_MODULE));
    const auto entry = [&](const char *name) { return module ? System::libraryEntry(module, name) : nullptr; };
    const auto create = reinterpret_cast<SoundModule::Create>(entry(SoundModule::CreateName));
    const auto play = reinterpret_cast<SoundModule::Play>(entry(SoundModule::PlayName));
    const auto rest = reinterpret_cast<SoundModule::Rest>(entry(SoundModule::RestName));
    const auto destroy = reinterpret_cast<SoundModule::Destroy>(entry(SoundModule::DestroyName));
    if (!create || !play || !rest || !destroy) {
        std::printf("no sound module at %s\n", ZEICHENFANG_SOUND_MODULE);
        return 1;
    }
    void *player = create();
    play(player, cue);
    const double first = millisecondsSince(key);

    std::vector<double> afterQuiet;
    double quietProcessor = 0;
    for (int spell = 0; spell < spells; ++spell) {
        while (!rest(player)) // as the game does once the cue is over
            std::this_thread::sleep_for(100ms);
        std::this_thread::sleep_for(500ms); // the sound server and libraries finish closing the stream
        const double before = processorMilliseconds();
        std::this_thread::sleep_for(2s);
        quietProcessor += processorMilliseconds() - before;
        const auto quietKey = steady_clock::now();
        play(player, cue);
        afterQuiet.push_back(millisecondsSince(quietKey));
    }
    destroy(player);
    std::sort(afterQuiet.begin(), afterQuiet.end());
    // A cue handed to the open device is mixed into its next buffer: 512 frames, 11.6 ms at 44.1 kHz.
    std::printf("first cue, the sound module still to load: handed to the device after %.1f ms\n", first);
    std::printf("first cue after a quiet spell: after %.1f ms (median of %d, %.1f-%.1f)\n",
                afterQuiet[afterQuiet.size() / 2], spells, afterQuiet.front(), afterQuiet.back());
    std::printf("processor while quiet: %.1f ms in %d s (sleeping alone: %.1f ms)\n", quietProcessor, 2 * spells,
                bareSleep * spells);
    return 0;
}
