// Windows: the program is a GUI program, so it has no console of its own, and the
// command line reaches it as UTF-16.
#include "System.h"

#include <QCoreApplication>
#include <QDir>

#include <windows.h>

#include <shellapi.h>

namespace {

// Writes to the stream the program was given: a file or pipe gets UTF-8; with no such
// stream, the console of the program that started it, if any, gets UTF-16, which it
// shows whatever its code page. Started from the desktop, there is nowhere to write.
void writeTo(DWORD stream, const QString &text)
{
    HANDLE handle = GetStdHandle(stream);
    const bool redirected = handle && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN
                            && GetFileType(handle) != FILE_TYPE_CHAR;
    if (redirected) {
        const QByteArray bytes = text.toUtf8();
        DWORD written = 0;
        WriteFile(handle, bytes.constData(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        return;
    }
    // Attaching again fails harmlessly once the program holds the console.
    AttachConsole(ATTACH_PARENT_PROCESS);
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteConsoleW(console, reinterpret_cast<const wchar_t *>(text.utf16()), static_cast<DWORD>(text.size()), &written,
                  nullptr);
    CloseHandle(console);
}

} // namespace

namespace System {

QString programDirectory()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString soundModulePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/zeichenfang-sound.dll");
}

// Pinned once loaded: FreeLibrary, by whomever, never unloads it.
void *loadLibraryForGood(const QString &path)
{
    // No "Bad Image" box for a broken file: the game is silent instead. The thread's own
    // mode, as the window's thread goes on meanwhile.
    DWORD windowsMode = 0;
    const bool quiet = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &windowsMode);
    HMODULE library = LoadLibraryW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()));
    if (quiet)
        SetThreadErrorMode(windowsMode, nullptr);
    HMODULE pinned = nullptr;
    if (library)
        GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                           reinterpret_cast<const wchar_t *>(library), &pinned);
    return library;
}

QFunctionPointer libraryEntry(void *library, const char *name)
{
    return reinterpret_cast<QFunctionPointer>(GetProcAddress(static_cast<HMODULE>(library), name));
}

// argv holds the arguments in the ANSI code page, which loses what it cannot spell;
// the command line itself is UTF-16.
QStringList arguments(int argc, char *argv[])
{
    QStringList list;
    int count = 0;
    if (wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i)
            list.append(QString::fromWCharArray(wide[i]));
        LocalFree(wide);
        return list;
    }
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

void printOut(const QString &text)
{
    writeTo(STD_OUTPUT_HANDLE, text);
}

void printError(const QString &text)
{
    writeTo(STD_ERROR_HANDLE, text);
}

// Windows' audio interfaces write nothing of their own to stderr.
std::shared_ptr<void> quietSoundLibraries()
{
    return nullptr;
}

// Windows' audio interfaces tell of new devices by callback; none polls. With no device
// open, WASAPI's back end cost no processor time in 20 s (bench/sound/first_cue under
// Wine), and the next cue then needs only a device: every back end that started stays.
bool endsBackendWhenIdle(const char *driver)
{
    return !driver;
}

} // namespace System
