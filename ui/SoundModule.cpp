// The sound module: the cue player behind three plain entry points.
#include "SoundCuePlayer.h"
#include "SoundModule.h"

extern "C" {

Q_DECL_EXPORT void *zeichenfang_sound_create()
{
    auto *player = new SoundCuePlayer;
    player->openDevice(); // now, so the first cue finds it open
    return player;
}

Q_DECL_EXPORT bool zeichenfang_sound_play(void *player, const QString &path)
{
    return static_cast<SoundCuePlayer *>(player)->play(path);
}

Q_DECL_EXPORT void zeichenfang_sound_destroy(void *player)
{
    delete static_cast<SoundCuePlayer *>(player);
}

} // extern "C"
