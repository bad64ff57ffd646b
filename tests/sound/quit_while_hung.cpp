// Quits while the sound thread waits for a sound server that does not answer (the
// module given): the program still ends at once, with status 0.
#include "SoundCues.h"

int main(int, char **argv)
{
    SoundCues cues(QString::fromLocal8Bit(argv[1]));
    cues.start();
    cues.play(QStringLiteral("kontrollton.wav"));
}
