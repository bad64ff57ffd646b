#pragma once

#include <QLibrary>
#include <QString>

// The entry points of the sound module, which holds the cue player and links
// the sound libraries. The game loads it on its sound thread, by these names.
namespace SoundModule {
using Create = void *(*)();                     // a player
using Play = void (*)(void *, const QString &); // starts a cue file
using Rest = bool (*)(void *);                  // closes the device if nothing sounds; whether it is closed
using Destroy = void (*)(void *);
inline constexpr char CreateName[] = "zeichenfang_sound_create";
inline constexpr char PlayName[] = "zeichenfang_sound_play";
inline constexpr char RestName[] = "zeichenfang_sound_rest";
inline constexpr char DestroyName[] = "zeichenfang_sound_destroy";

struct EntryPoints
{
    Create create = nullptr;
    Play play = nullptr;
    Rest rest = nullptr;
    Destroy destroy = nullptr;
};

// The module's entry points, or none. The module stays loaded (the sound libraries
// keep threads of their own), and nothing of Qt's outlives this call: a sound thread
// left behind at the program's end touches nothing its static destruction takes away.
inline EntryPoints load(const QString &path)
{
    QLibrary library(path);
    const EntryPoints module{reinterpret_cast<Create>(library.resolve(CreateName)),
                             reinterpret_cast<Play>(library.resolve(PlayName)),
                             reinterpret_cast<Rest>(library.resolve(RestName)),
                             reinterpret_cast<Destroy>(library.resolve(DestroyName))};
    return module.create && module.play && module.rest && module.destroy ? module : EntryPoints{};
}
} // namespace SoundModule
