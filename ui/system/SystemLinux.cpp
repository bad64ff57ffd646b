// Linux, and any other system that is neither Windows nor macOS: POSIX, with
// ALSA looked for at run time.
#include "System.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

#include <dlfcn.h>

namespace {

// ALSA writes its own complaints to stderr when SDL probes a machine without a sound
// card; it gets a handler that drops them.
using AlsaErrorHandler = void (*)(const char *, int, const char *, int, const char *, ...);
using SetAlsaErrorHandler = int (*)(AlsaErrorHandler);

void ignoreAlsaError(const char *, int, const char *, int, const char *, ...) {}

void setAlsaErrorHandler(void *library, AlsaErrorHandler handler)
{
    if (auto set = reinterpret_cast<SetAlsaErrorHandler>(dlsym(library, "snd_lib_error_set_handler")))
        set(handler);
}

} // namespace

namespace System {

QString programDirectory()
{
    return QCoreApplication::applicationDirPath();
}

QString soundModulePath()
{
    return programDirectory() + QStringLiteral("/zeichenfang-sound.so");
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
    const QByteArray bytes = text.toLocal8Bit();
    // With a precision, the hardened build keeps the checked fprintf rather than folding it into fputs.
    std::fprintf(stdout, "%.*s", static_cast<int>(bytes.size()), bytes.constData());
}

void printError(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fprintf(stderr, "%.*s", static_cast<int>(bytes.size()), bytes.constData());
}

std::shared_ptr<void> quietSoundLibraries()
{
    // Held open so the quiet handler outlives SDL loading and unloading ALSA.
    void *alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
    if (!alsa)
        return nullptr;
    setAlsaErrorHandler(alsa, ignoreAlsaError);
    return std::shared_ptr<void>(alsa, [](void *library) {
        setAlsaErrorHandler(library, nullptr);
        dlclose(library);
    });
}

bool endsBackendWhenIdle(const char *driver)
{
    // A sound server's back end sleeps until the server speaks, so it stays and the
    // next cue only opens a device. ALSA's looks for new cards ten times a second: it goes.
    return !driver || std::strcmp(driver, "alsa") == 0;
}

} // namespace System
