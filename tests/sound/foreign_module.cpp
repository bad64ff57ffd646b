// A library that is not the game's sound module, though it has one of its entry points.
#include <QtGlobal>

extern "C" Q_DECL_EXPORT void *zeichenfang_sound_create()
{
    static int player;
    return &player;
}
