#pragma once

#include <QString>

// The entry points of the sound module, which holds the cue player and links
// the sound libraries. The game loads it on its sound thread, by these names.
// Only Play uses Qt; the others use the sound libraries alone.
namespace SoundModule {
using Create = void *(*)();                     // a player
using Open = bool (*)(void *);                  // opens the device unless it is open; may wait on a sound server
using Play = void (*)(void *, const QString &); // starts a cue file on the open device
using Rest = bool (*)(void *);                  // closes the device if nothing sounds (closeIfIdle); whether it is closed
using Destroy = void (*)(void *);
inline constexpr char CreateName[] = "zeichenfang_sound_create";
inline constexpr char OpenName[] = "zeichenfang_sound_open";
inline constexpr char PlayName[] = "zeichenfang_sound_play";
inline constexpr char RestName[] = "zeichenfang_sound_rest";
inline constexpr char DestroyName[] = "zeichenfang_sound_destroy";
} // namespace SoundModule
