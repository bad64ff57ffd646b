// A library that is not the game's sound module, though it has all its entry points but the one that plays.
#include <QtGlobal>

extern "C" {
Q_DECL_EXPORT void *zeichenfang_sound_create()
{
    static int player;
    return &player;
}
Q_DECL_EXPORT bool zeichenfang_sound_open(void *) { return true; }
Q_DECL_EXPORT bool zeichenfang_sound_rest(void *) { return true; }
Q_DECL_EXPORT void zeichenfang_sound_destroy(void *) {}
}
