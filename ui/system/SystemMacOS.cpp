// macOS. To be filled by the macOS port: until then each call does what the game
// did on macOS before it had this file.
#include "System.h"

#include <QCoreApplication>

#include <cstdio>

namespace System {

// Inside the bundle: Contents/MacOS, which holds the cues and the sound module too.
QString programDirectory()
{
    return QCoreApplication::applicationDirPath();
}

QString soundModulePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/zeichenfang-sound.so"); // CMake's suffix for a module
}

QStringList arguments(int argc, char *argv[])
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

void printOut(const QString &text)
{
    std::fputs(qPrintable(text), stdout);
}

void printError(const QString &text)
{
    std::fputs(qPrintable(text), stderr);
}

// Core Audio writes nothing of its own to stderr.
std::shared_ptr<void> quietSoundLibraries()
{
    return nullptr;
}

// To be filled by the macOS port: whether Core Audio's back end wakes the processor
// with no device open is still to be measured; until then only a back end that
// never started goes.
bool endsBackendWhenIdle(const char *driver)
{
    return !driver;
}

} // namespace System
