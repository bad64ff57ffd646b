// The sound module: the cue player behind four plain entry points.
#include "SoundCuePlayer.h"
#include "SoundModule.h"

extern "C" {

Q_DECL_EXPORT void *zeichenfang_sound_create()
{
    // Loading this module has brought in the sound libraries, the slow part;
    // the device opens with the first cue.
    return new SoundCuePlayer;
}

Q_DECL_EXPORT bool zeichenfang_sound_open(void *player)
{
    return static_cast<SoundCuePlayer *>(player)->open();
}

Q_DECL_EXPORT void zeichenfang_sound_play(void *player, const QString &path)
{
    // Sound is a courtesy: nothing a cue file holds may end the game.
    try {
        static_cast<SoundCuePlayer *>(player)->play(path);
    } catch (...) {
    }
}

Q_DECL_EXPORT bool zeichenfang_sound_rest(void *player)
{
    return static_cast<SoundCuePlayer *>(player)->closeIfIdle();
}

Q_DECL_EXPORT void zeichenfang_sound_destroy(void *player)
{
    delete static_cast<SoundCuePlayer *>(player);
}

} // extern "C"
