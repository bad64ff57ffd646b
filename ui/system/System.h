#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// What differs from one operating system to the next. Each system has a source
// file of its own (SystemLinux.cpp, SystemWindows.cpp, SystemMacOS.cpp), and Linux
// and macOS share SystemPosix.cpp; the build compiles those of the system it builds for.
namespace System {

// The folder that holds the program file, in the system's notation. The game reads
// its cues from there: the folder, a separator and the cue's file name.
QString programDirectory();

// The sound module beside the program: its file's full name.
QString soundModulePath();

// The program's arguments, the program's own name first, as the system gave them:
// in the locale's encoding on POSIX, as UTF-16 on Windows.
QStringList arguments(int argc, char *argv[]);

// The command line's answers: --help and --version go to the standard output,
// errors to the error output. `text` ends with its own line break.
void printOut(const QString &text);
void printError(const QString &text);

// The library at `path` (its file's full name), loaded for the rest of the program's
// life, or null; and the entry point `name` of a library so loaded, or null. No Qt
// object is made on the way: Qt takes any thread that makes one for a thread of its
// own, and when such a thread ends, Qt's code for its end runs, even while the
// program ends around it.
void *loadLibraryForGood(const QString &path);
QFunctionPointer libraryEntry(void *library, const char *name);

// The sound back end's special cases. They use nothing of Qt: the sound thread may
// call them while the program ends around it.
//
// Keeps the sound libraries' own complaints about a machine without sound off the
// error output for as long as the result is held: the game stays quiet about
// missing sound. Taken before the sound back end starts, let go after it ends.
std::shared_ptr<void> quietSoundLibraries();

// Whether SDL's audio back end `driver` (null when none is known) is to be shut
// down, not only its device closed, once the cues are over: a back end that wakes
// the processor while no device is open goes.
bool endsBackendWhenIdle(const char *driver);

} // namespace System
