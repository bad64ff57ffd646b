// The sound cues: what the decoder makes of every kind of file, what the mixer puts out, the player and its
// thread against real SDL, heard through its disk driver (it writes the mixed stream to a file); the fuzz inputs.
#include "CueFile.h"
#include "CueMixer.h"
#include "SdlAudio.h"
#include "SoundCuePlayer.h"
#include "SoundCues.h"

#include <QtTest>

#include <csignal>
#include <optional>
#include <thread>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <dlfcn.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

QT_BEGIN_NAMESPACE
// Qt's hooks for tools that follow its objects (qhooks_p.h): entry 3 is called as each QObject is made.
extern Q_CORE_EXPORT quintptr qtHookData[];
QT_END_NAMESPACE

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Samples = std::vector<int16_t>;
using Runs = QList<QPair<int, int>>; // stretches of a steady sound: left channel's level, frames

namespace {
const QString Hit = QStringLiteral(ZEICHENFANG_CUE_DIR "/kontrollton.wav");
const QString Seeds = QStringLiteral(ZEICHENFANG_FUZZ_INPUTS "/seeds");
enum Encoding : quint16 { Pcm = 1, Float = 3, ALaw = 6, MuLaw = 7 };

QByteArray le(quint32 value, int bytes)
{
    const quint32 little = qToLittleEndian(value);
    return QByteArray(reinterpret_cast<const char *>(&little), bytes);
}

// A wave file of `frames` times `frame`, one frame as stored: a steady level on every channel.
QByteArray steady(quint32 rate, quint16 bits, const QByteArray &frame, int frames, quint16 encoding = Pcm)
{
    const QByteArray format = le(encoding, 2) + le(frame.size() * 8 / bits, 2) + le(rate, 4) + le(rate * frame.size(), 4)
        + le(frame.size(), 2) + le(bits, 2);
    const QByteArray body = "WAVEfmt " + le(16, 4) + format + "data" + le(frame.size() * frames, 4) + frame.repeated(frames);
    return "RIFF" + le(body.size(), 4) + body;
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() ? path : QString();
}

// The stretches of steady sound between silences in a file of 16-bit stereo: left level, frames.
Runs runsIn(const QString &rawFile)
{
    const QByteArray raw = bytesOf(rawFile);
    const auto *stereo = reinterpret_cast<const int16_t *>(raw.constData()); // in the machine's order
    Runs runs;
    for (qsizetype i = 0; i + 1 < raw.size() / 2; i += 2) {
        if (stereo[i] == 0)
            continue;
        if (i == 0 || stereo[i - 2] == 0 || qAbs(stereo[i] - runs.last().first) > 2) // the converter may round a sample
            runs.append({stereo[i], 0});
        ++runs.last().second;
    }
    return runs;
}

// Whether the device writing `rawFile` is closed: no descriptor of this process names the file.
bool closed(const QString &rawFile)
{
#ifdef Q_OS_WIN
    // Windows opens a file for one alone only while no handle at all is open on it.
    const HANDLE alone = CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(rawFile).utf16()),
                                     GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (alone == INVALID_HANDLE_VALUE)
        return GetLastError() != ERROR_SHARING_VIOLATION;
    CloseHandle(alone);
    return true;
#else
    for (QDirIterator fd(u"/proc/self/fd"_s, QDir::AllEntries | QDir::System); fd.hasNext();)
        if (QFileInfo(fd.next()).symLinkTarget() == rawFile)
            return false;
    return true;
#endif
}

// A pipe under a name a cue file or the disk driver's file may have. Nobody writes to it: reading
// it waits for ever. Nobody reads from it until drained: writing to it waits once it is full.
class SilentPipe
{
public:
    explicit SilentPipe(const QString &path);
    ~SilentPipe();
    bool made() const;
    QString path() const { return m_path; }
    qint64 queued() const; // bytes written and not yet read
    qint64 capacity() const;
    void drain();

private:
    QString m_path;
#ifdef Q_OS_WIN
    HANDLE m_end;
#else
    int m_end;
#endif
};

#ifdef Q_OS_WIN
SilentPipe::SilentPipe(const QString &path)
    : m_path(u"\\\\.\\pipe\\zeichenfang-%1-"_s.arg(GetCurrentProcessId()) + QFileInfo(path).fileName())
    , m_end(CreateNamedPipeW(reinterpret_cast<const wchar_t *>(m_path.utf16()), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 0,
                             DWORD(capacity()), 0, nullptr))
{
}
SilentPipe::~SilentPipe() { CloseHandle(m_end); }
bool SilentPipe::made() const { return m_end != INVALID_HANDLE_VALUE; }
qint64 SilentPipe::queued() const
{
    DWORD available = 0;
    return PeekNamedPipe(m_end, nullptr, 0, nullptr, &available, nullptr) ? available : 0;
}
qint64 SilentPipe::capacity() const { return 4096; }
void SilentPipe::drain()
{
    char buffer[4096];
    for (DWORD read = 0; queued() > 0 && ReadFile(m_end, buffer, sizeof buffer, &read, nullptr);) {}
}
#else
SilentPipe::SilentPipe(const QString &path)
    : m_path(path)
    , m_end(mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK) : -1)
{
}
SilentPipe::~SilentPipe()
{
    close(m_end);
    unlink(QFile::encodeName(m_path).constData());
}
bool SilentPipe::made() const { return m_end >= 0; }
qint64 SilentPipe::queued() const
{
    int queued = 0;
    return ioctl(m_end, FIONREAD, &queued) == 0 ? queued : 0;
}
qint64 SilentPipe::capacity() const { return fcntl(m_end, F_GETPIPE_SZ); }
void SilentPipe::drain()
{
    for (char buffer[4096]; read(m_end, buffer, sizeof buffer) > 0;) {}
}
#endif

// The cue at 44.1 kHz, decoded while no file may make the decoder reserve more than
// 512 MiB beyond what the test holds: Linux grants gigabytes that are never touched.
Samples decodeBounded(const QByteArray &bytes)
{
#ifdef Q_OS_WIN
    // Windows commits what it grants: an allocation of what a header claims would show at once.
    return CueFile::decode(bytes, 44100);
#else
    rlimit saved{};
    getrlimit(RLIMIT_AS, &saved);
    const rlim_t held = bytesOf(u"/proc/self/statm"_s).split(' ').value(0).toULongLong(); // in pages
    const rlimit bound{held * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(512) << 20), saved.rlim_max};
    if (held) // where /proc tells
        setrlimit(RLIMIT_AS, &bound);
    const auto restore = qScopeGuard([&] { setrlimit(RLIMIT_AS, &saved); });
    return CueFile::decode(bytes, 44100);
#endif
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

class SoundTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void decoding_data();
    void decoding();
    void mixing();
    void playerOnADevice();
    void fuzzInputs();
    void cuesOnTheirOwnThread();
    void quittingWhileTheDeviceHangs();
};

void SoundTest::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("frames"); // at 44.1 kHz; 0: refused
    QTest::addColumn<int>("left");   // the level halfway
    QTest::addColumn<int>("right");
    const QByteArray s16 = le(8000, 2), u8 = "\xc0";

    QTest::newRow("16-bit stereo: as it is") << steady(44100, 16, s16 + le(quint16(-2000), 2), 4410) << 4410 << 8000 << -2000;
    QTest::newRow("8-bit stereo, 8 kHz") << steady(8000, 8, "\xc0\x40", 800) << 4410 << 16384 << -16384;
    QTest::newRow("24-bit, 48 kHz") << steady(48000, 24, QByteArray("\0\0\x40", 3), 4800) << 4410 << 16384 << 16384;
    QTest::newRow("32-bit, 192 kHz") << steady(192000, 32, le(0xc0000000, 4), 19200) << 4410 << -16384 << -16384;
    QTest::newRow("float, 22.05 kHz") << steady(22050, 32, le(0x3f000000, 4), 2205, Float) << 4410 << 16384 << 16384;
    QTest::newRow("A-law, 8 kHz") << steady(8000, 8, "\xaa", 800, ALaw) << 4410 << 32256 << 32256;
    QTest::newRow("µ-law, 8 kHz") << steady(8000, 8, "\x80", 800, MuLaw) << 4410 << 32124 << 32124;
    QTest::newRow("8 channels, front left only") << steady(44100, 16, s16 + QByteArray(14, '\0'), 4410) << 4410 << 1695 << 0;
    QTest::newRow("MS ADPCM, 22.05 kHz stereo") << bytesOf(Seeds + u"/msadpcm-22k-stereo.wav"_s) << 2024 << 0 << 0;
    QTest::newRow("IMA ADPCM, 32 kHz, 6 channels") << bytesOf(Seeds + u"/imaadpcm-32k-6ch.wav"_s) << 695 << 0 << 0;
    QTest::newRow("30 s") << steady(8000, 8, u8, 240000) << 1323000 << 16384 << 16384;
    QTest::newRow("samples cut short: what is there") << bytesOf(Hit).left(2000) << 978 << 0 << 0;
    QTest::newRow("a header that claims gigabytes") << bytesOf(Seeds + u"/hostile-claims-4gb.wav"_s) << 200 << 0 << 0;

    QTest::newRow("longer than 30 s") << steady(8000, 8, u8, 240001) << 0 << 0 << 0;
    QTest::newRow("below 8 kHz") << steady(7999, 8, u8, 800) << 0 << 0 << 0;
    QTest::newRow("above 192 kHz") << steady(192001, 8, u8, 800) << 0 << 0 << 0;
    QTest::newRow("9 channels") << steady(44100, 8, QByteArray(9, '\x80'), 100) << 0 << 0 << 0;
    QTest::newRow("no RIFF chunk") << bytesOf(Seeds + u"/hostile-wave-first.wav"_s) << 0 << 0 << 0;
    QTest::newRow("header without samples") << bytesOf(Seeds + u"/hostile-header-only.wav"_s) << 0 << 0 << 0;
}

void SoundTest::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, frames);
    QFETCH(int, left);
    QFETCH(int, right);
    const Samples samples = decodeBounded(bytes);
    QCOMPARE(int(samples.size() / 2), frames);
    const std::size_t half = samples.size() / 4 * 2;
    if (left || right) // resampling may take a few tenths of a percent off
        QVERIFY(qAbs(samples[half] - left) <= 80 && qAbs(samples[half + 1] - right) <= 80);
}

void SoundTest::mixing()
{
    CueMixer mixer;
    const Samples rising{1, 2, 3, 4, 5, 6};
    Samples out(10, -1);
    mixer.start(u"a", rising);
    mixer.mix(out.data(), 2);
    mixer.start(u"b", Samples(3, 32765)); // another cue sounds together with the first, clipped where too loud
    mixer.start(u"a", rising);           // the same cue again starts from its beginning, not over itself
    mixer.mix(out.data() + 2, 8);
    QCOMPARE(out, Samples({1, 2, 32766, 32767, 32767, 4, 5, 6, 0, 0}));
}

void SoundTest::playerOnADevice()
{
    std::signal(SIGTERM, SIG_DFL); // Qt Test's own handler would keep SDL from taking the signal
    const QString cue = m_dir.filePath(u"Übung für später.wav"_s), raw = m_dir.filePath(u"cues.raw"_s);
    {
#ifdef Q_OS_WIN
        // WASAPI sleeps until Windows tells of a change of devices: it stays for the next cue.
        const auto [backend, goes] = std::pair("wasapi", false);
#else
        // ALSA's back end looks for new cards ten times a second: it goes once the cues are over.
        const auto [backend, goes] = std::pair("alsa", true);
#endif
        SoundCuePlayer player;
        qputenv("SDL_AUDIODRIVER", backend);
        QVERIFY(player.open());
        QCOMPARE(SDL_GetCurrentAudioDriver(), backend);
        player.play(Hit);
        QTRY_VERIFY_WITH_TIMEOUT(player.closeIfIdle(), 10000);
        QCOMPARE(SDL_WasInit(SDL_INIT_AUDIO) == 0, goes);
        qputenv("SDL_AUDIODRIVER", "disk"), qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(raw));
        player.play(Hit);
        // The next cue opens a device again: on a back end that went, afresh as now chosen.
        QCOMPARE(SDL_GetCurrentAudioDriver(), goes ? "disk" : backend);
        QCOMPARE(QFile::exists(raw), goes);
    }
    // Without a driver, then without a device: tried again only once the reopen delay is over.
    write(cue, steady(44100, 16, le(1000, 2), 44100));
    for (const auto &[variable, failing] : {std::pair("SDL_AUDIODRIVER", "none"), std::pair("SDL_DISKAUDIOFILE", "/nonexistent/cue.raw")})
        for (const auto delay : {std::chrono::milliseconds(1h), 0ms}) {
            SoundCuePlayer player(delay);
            qputenv(variable, failing);
            QVERIFY(!player.open());
            qputenv("SDL_AUDIODRIVER", "disk");
            qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(raw));
            QFile::remove(raw);
#ifdef __GLIBC__
            const std::size_t heldBefore = mallinfo2().uordblks + mallinfo2().hblkhd; // the heap's bytes in use
#endif
            player.play(cue);
            QCOMPARE(QFile::exists(raw), delay == 0ms); // the disk driver makes its file as the device opens
            if (delay == 0ms) {
                QTRY_VERIFY_WITH_TIMEOUT(player.closeIfIdle(), 10000);
#ifdef __GLIBC__
                QCOMPARE_LT(mallinfo2().uordblks + mallinfo2().hblkhd, heldBefore + (64 << 10)); // a quiet player keeps no samples: 172 KiB went
#endif
                QVERIFY(closed(raw) && SDL_WasInit(SDL_INIT_AUDIO)); // a sound server's back end waits for the next cue
                QCOMPARE(runsIn(raw), Runs({{1000, 44100}}));
                QCOMPARE(SDL_GetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME), "Zeichenfang"); // as the sound server lists it
                QCOMPARE(QFileInfo(raw).size() % (512 * 4), 0); // buffers of 512 frames, 12 ms: no lag after a key
            }
        }
    QVERIFY(!SDL_WasInit(SDL_INIT_AUDIO) && !SDL_GetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME)); // SDL is left as it was found
    // A cue asked for again stops its old sound even when it can no longer be played. The disk driver
    // plays in real time: ten seconds are still to come.
    SoundCuePlayer player;
    player.play(write(cue, steady(44100, 16, le(1000, 2), 441000)));
    QVERIFY(!player.closeIfIdle());
    player.play(write(cue, "kaputt"));
    QVERIFY(player.closeIfIdle());
    QVERIFY(std::signal(SIGTERM, SIG_DFL) == SIG_DFL); // termination stays the game's
}

void SoundTest::fuzzInputs()
{
    int inputs = 0;
    for (const char *folder : {ZEICHENFANG_FUZZ_INPUTS, ZEICHENFANG_CUE_DIR}) // the seeds, every input that ever failed, the cues
        for (QDirIterator it(QString::fromUtf8(folder), {u"*.wav"_s}, QDir::Files, QDirIterator::Subdirectories); it.hasNext(); ++inputs) {
            const QByteArray bytes = bytesOf(it.next());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        }
    QVERIFY(inputs > 20);
}

void SoundTest::cuesOnTheirOwnThread()
{
    // No Qt object is made off this thread: Qt would take the sound thread for one of its own, and
    // run its code for that thread's end even as the program ends around a thread that outlives it.
    static const std::thread::id windowThread = std::this_thread::get_id();
    static std::atomic<int> madeElsewhere = 0;
    constexpr int AddQObject = 3;
    qtHookData[AddQObject] = reinterpret_cast<quintptr>(+[](QObject *) { madeElsewhere += std::this_thread::get_id() != windowThread; });
    const auto unhook = qScopeGuard([] { qtHookData[AddQObject] = 0; });
    const QString raw = m_dir.filePath(u"thread.raw"_s);
    qputenv("SDL_AUDIODRIVER", "disk"), qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(raw));
    const QString inTime = write(m_dir.filePath(u"rechtzeitig.wav"_s), steady(44100, 16, le(3000, 2), 2205));
    const QString huge = write(m_dir.filePath(u"100MB.wav"_s), bytesOf(Hit));
    QVERIFY(QFile::resize(huge, 100 << 20));
    const SilentPipe pipe(m_dir.filePath(u"fifo.wav"_s));
    QVERIFY(pipe.made());
    {
        SoundCues early(QStringLiteral(ZEICHENFANG_SOUND_MODULE), 1h); // the end waits for the thread to end, not the hour
        early.start(); // and the game ends before its sound thread has begun: it still ends
    }
    SoundCues foreign(QStringLiteral(ZEICHENFANG_FOREIGN_MODULE)); // not the game's sound module: silent
    foreign.start();
    foreign.play(inTime);
    std::optional<SoundCues> cues(std::in_place, QStringLiteral(ZEICHENFANG_SOUND_MODULE), 1h);
    cues->play(Hit);
    std::this_thread::sleep_for(SoundCues::MaxDelay + 100ms);
    cues->start(); // ready only after the pause: heard now, the cue would answer a later key
    // The device opens for it, finds it too old and closes again after a quiet spell, silent.
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(raw), 20000);
    QTRY_VERIFY_WITH_TIMEOUT(closed(raw), 20000);
    QCOMPARE(runsIn(raw), Runs());
    // What cues played in a row sound like, from a closed device until a quiet spell closes it
    // again: the disk driver starts its file afresh as the device opens. Windows lets nobody
    // read the file, nor open it, before; so it is looked at only once it exists.
    const auto heard = [&](const QStringList &played) {
        QFile::remove(raw);
        for (const QString &cue : played)
            cues->play(cue);
        return QTest::qWaitFor([&] { return QFile::exists(raw) && closed(raw); }, 20000) ? runsIn(raw) : Runs();
    };
    QTRY_VERIFY_WITH_TIMEOUT(!heard({inTime}).isEmpty(), 60000); // asked again until heard
    QVERIFY(std::ranges::all_of(runsIn(raw), [](const auto &run) { return run.first == 3000; }));
    // Only a regular file of a cue's size is read: a pipe would hold the thread.
    QCOMPARE(heard({m_dir.filePath(u"fehlt.wav"_s), QString(), huge, m_dir.path(), pipe.path(), inTime}), Runs({{3000, 2205}}));
    // A file replaced while the game runs is heard from the next cue on.
    QCOMPARE(heard({write(inTime, steady(44100, 16, le(2000, 2), 4410))}), Runs({{2000, 4410}}));
    // Quiet, the thread waits for the next cue; the game's end ends it, and its player lets SDL go.
    cues.reset();
    QTRY_VERIFY(!SDL_WasInit(SDL_INIT_AUDIO));
    QCOMPARE(madeElsewhere, 0);
    // Whoever lets the module go, it stays: a sound thread that a hung device keeps past the end still runs its code.
#ifdef Q_OS_WIN
    const std::wstring module = QFileInfo(QStringLiteral(ZEICHENFANG_SOUND_MODULE)).fileName().toStdWString();
    FreeLibrary(GetModuleHandleW(module.c_str()));
    QVERIFY(GetModuleHandleW(module.c_str()));
#else
    void *module = dlopen(ZEICHENFANG_SOUND_MODULE, RTLD_NOW | RTLD_NOLOAD);
    QVERIFY(module && dlclose(module) == 0 && dlclose(module) == 0 && dlopen(ZEICHENFANG_SOUND_MODULE, RTLD_NOW | RTLD_NOLOAD));
#endif
}

void SoundTest::quittingWhileTheDeviceHangs()
{
    // The program ends while its sound thread waits on a device that hangs: with status 0 and nothing said.
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {u"--quit-while-the-device-hangs"_s});
    QVERIFY(child.waitForFinished(60000));
    const QString said = QString::fromLocal8Bit(child.readAllStandardError());
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0 && !said.contains(u"Sanitizer"_s), qPrintable(said));
}

// The child of quittingWhileTheDeviceHangs: the disk driver writes into a pipe that nobody reads, like a
// sound server that stopped answering, so closing the device waits. The program quits meanwhile, and
// the pipe is drained only as the program ends: the sound thread then runs on during the exit.
int quitWhileTheDeviceHangs()
{
    // Never closed: a writer whose reader has gone would end with SIGPIPE.
    static SilentPipe &device = *new SilentPipe(QDir::temp().filePath(u"zeichenfang-%1.raw"_s.arg(QCoreApplication::applicationPid())));
    static const struct DrainAtExit { ~DrainAtExit() { device.drain(), QFile::remove(device.path()); } } drain;
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(device.path()));
    SoundCues cues(QStringLiteral(ZEICHENFANG_SOUND_MODULE));
    cues.start();
    for (QDeadlineTimer deadline(30s); device.made() && device.queued() < device.capacity() && !deadline.hasExpired();
         std::this_thread::sleep_for(20ms))
        if (device.queued() == 0)
            cues.play(Hit);
    return device.queued() > 0 ? 0 : 1;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().value(1) == u"--quit-while-the-device-hangs")
        return quitWhileTheDeviceHangs();
    SoundTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sound.moc"
