#pragma once

#include <QString>

// The entry points of the sound module, which holds the cue player and links
// the sound libraries. The game loads it on its sound thread, by these names.
namespace SoundModule {
using Create = void *(*)();                        // a player with its device opened
using Play = bool (*)(void *, const QString &);    // starts a cue file; whether it sounds
using Destroy = void (*)(void *);
inline constexpr char CreateName[] = "zeichenfang_sound_create";
inline constexpr char PlayName[] = "zeichenfang_sound_play";
inline constexpr char DestroyName[] = "zeichenfang_sound_destroy";
} // namespace SoundModule
