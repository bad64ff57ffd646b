// Windows. To be filled by the Windows port: until then each call does what the
// game did on Windows before it had this file.
#include "System.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace System {

QString programDirectory()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString soundModulePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/zeichenfang-sound"); // the loader adds ".dll"
}

// To be filled by the Windows port: a WIN32 program has no console of its own, so this
// reaches only a redirected stream; attach to the parent's (AttachConsole) and write UTF-16.
void printOut(const QString &text)
{
    std::fputs(qPrintable(text), stdout);
}

void printError(const QString &text)
{
    std::fputs(qPrintable(text), stderr);
}

// Windows' audio interfaces write nothing of their own to stderr.
std::shared_ptr<void> quietSoundLibraries()
{
    return nullptr;
}

// To be filled by the Windows port: whether WASAPI's back end wakes the processor
// with no device open is still to be measured; until then only a back end that
// never started goes.
bool endsBackendWhenIdle(const char *driver)
{
    return !driver;
}

} // namespace System
