// What the POSIX systems share, Linux and macOS: libraries loaded with dlopen.
#include "System.h"

#include <QFile>

#include <dlfcn.h>

namespace System {

// Every symbol bound at once: a module that lacks one is refused now, not in the middle
// of a cue. RTLD_NODELETE keeps it loaded past any dlclose, whoever calls it.
void *loadLibraryForGood(const QString &path)
{
    return dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
}

QFunctionPointer libraryEntry(void *library, const char *name)
{
    return reinterpret_cast<QFunctionPointer>(dlsym(library, name));
}

} // namespace System
