// The sound cues: what the decoder makes of every kind of file, what the mixer
// puts out, and the player and its thread against real SDL, heard through SDL's
// disk driver, which writes the mixed stream to a file. And the fuzz target's inputs.
#include "CueFile.h"
#include "CueMixer.h"
#include "SoundCuePlayer.h"
#include "SoundCues.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <SDL.h>

#include <csignal>
#include <thread>

#include <sys/resource.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;
using Samples = std::vector<int16_t>;
using Runs = QList<QPair<int, int>>; // stretches of a steady sound: left channel's level, frames

#if defined(__SANITIZE_ADDRESS__) || defined(__has_feature) && __has_feature(address_sanitizer)
// AddressSanitizer reserves terabytes for itself, so it bounds each allocation instead of the address space.
extern "C" const char *__asan_default_options() { return "max_allocation_size_mb=512"; }
#define ZEICHENFANG_BOUND_ADDRESS_SPACE 0
#else
#define ZEICHENFANG_BOUND_ADDRESS_SPACE 1
#endif

namespace {
const QString Hit = QStringLiteral(ZEICHENFANG_CUE_DIR "/kontrollton.wav");
const QString Seeds = QStringLiteral(ZEICHENFANG_FUZZ_INPUTS "/corpus");
enum Encoding : quint16 { Pcm = 1, Float = 3, ALaw = 6, MuLaw = 7 };

QByteArray le(quint32 value, int bytes)
{
    QByteArray out(4, '\0');
    qToLittleEndian(value, out.data());
    return out.left(bytes);
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
    bool sounding = false;
    for (qsizetype i = 0; i + 1 < raw.size() / 2; i += 2) {
        const bool silent = stereo[i] == 0 && stereo[i + 1] == 0;
        if (!silent && (!sounding || qAbs(runs.last().first - stereo[i]) > 2)) // the converter may round a sample
            runs.append({stereo[i], 0});
        if ((sounding = !silent))
            ++runs.last().second;
    }
    return runs;
}

// Whether the device writing `rawFile` is closed: the file stops growing.
bool closed(const QString &rawFile)
{
    const qint64 size = QFileInfo(rawFile).size();
    std::this_thread::sleep_for(100ms); // an open device writes a buffer every 12 ms
    return QFileInfo(rawFile).size() == size;
}

// What the player sends to its device for one cue, once the cue is over and the device closed.
Runs heard(SoundCuePlayer &player, const QString &cue, const QString &rawFile)
{
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(rawFile));
    player.play(cue);
    return QTest::qWaitFor([&] { return player.rest(); }, 10000) && closed(rawFile) ? runsIn(rawFile) : Runs{};
}

// No file may make the decoder reserve more than 512 MiB beyond what the test holds.
struct AddressSpaceBound
{
    rlimit saved{};
    AddressSpaceBound()
    {
        getrlimit(RLIMIT_AS, &saved);
        QFile statm(u"/proc/self/statm"_s);
        const rlim_t held = statm.open(QIODevice::ReadOnly) ? statm.readLine().split(' ').value(0).toULongLong() : 0;
        const rlimit bound{held * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(512) << 20), saved.rlim_max};
        if (ZEICHENFANG_BOUND_ADDRESS_SPACE && held)
            setrlimit(RLIMIT_AS, &bound);
    }
    ~AddressSpaceBound() { setrlimit(RLIMIT_AS, &saved); }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

class SoundTest : public QObject
{
    Q_OBJECT

private slots:
    void decoding_data();
    void decoding();
    void reading();
    void mixing();
    void playerOnADevice();
    void noAudioDevice();
    void alsaClosesWhenQuiet();
    void cuesOnTheirOwnThread();
    void quitWhileTheDeviceHangs();
    void fuzzInputs();

private:
    QTemporaryDir m_dir;
};

void SoundTest::decoding_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("frames"); // at 44.1 kHz; 0: refused
    QTest::addColumn<int>("left");   // the level halfway
    QTest::addColumn<int>("right");
    const QByteArray cue = bytesOf(Hit), s16 = le(8000, 2), u8 = "\xc0";
    QByteArray noSamples = cue.left(44), claimsGigabytes = cue, waveFirst = steady(44100, 16, s16, 100).mid(8);
    qToLittleEndian(0u, noSamples.data() + 40);
    qToLittleEndian(0xfffffff0u, claimsGigabytes.data() + 40);

    QTest::newRow("16-bit mono") << steady(44100, 16, s16, 4410) << 4410 << 8000 << 8000;
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
    QTest::newRow("samples cut short: what is there") << cue.left(2000) << 978 << 0 << 0;
    QTest::newRow("a header that claims gigabytes") << claimsGigabytes << 15435 << 0 << 0;

    QTest::newRow("longer than 30 s") << steady(8000, 8, u8, 240001) << 0 << 0 << 0;
    QTest::newRow("1 Hz") << steady(1, 8, u8, 5000) << 0 << 0 << 0;
    QTest::newRow("below 8 kHz") << steady(7999, 8, u8, 800) << 0 << 0 << 0;
    QTest::newRow("above 192 kHz") << steady(192001, 8, u8, 800) << 0 << 0 << 0;
    QTest::newRow("9 channels") << steady(44100, 8, QByteArray(9, '\x80'), 100) << 0 << 0 << 0;
    QTest::newRow("12-bit") << steady(44100, 12, le(0, 3), 100) << 0 << 0 << 0;
    QTest::newRow("no RIFF chunk") << waveFirst << 0 << 0 << 0;
    QTest::newRow("header without samples") << noSamples << 0 << 0 << 0;
}

void SoundTest::decoding()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, frames);
    QFETCH(int, left);
    QFETCH(int, right);
    Samples samples;
    {
        const AddressSpaceBound bound;
        samples = CueFile::decode(bytes, 44100);
    }
    QCOMPARE(int(samples.size() / 2), frames);
    const std::size_t half = samples.size() / 4 * 2;
    if (left || right) // resampling may take a few tenths of a percent off
        QVERIFY(qAbs(samples[half] - left) <= 80 && qAbs(samples[half + 1] - right) <= 80);
}

void SoundTest::reading()
{
    QVERIFY(QDir().mkpath(m_dir.filePath(u"Mein Spiel/Übung"_s)));
    QCOMPARE(CueFile::read(write(m_dir.filePath(u"Mein Spiel/Übung/a.wav"_s), "RIFF")), "RIFF");
    // Only a regular file of a cue's size is read: a pipe would hold the sound thread, a huge file its memory.
    QFile huge(write(m_dir.filePath(u"100MB.wav"_s), bytesOf(Hit)));
    QVERIFY(huge.resize(100 << 20));
    QCOMPARE(mkfifo(QFile::encodeName(m_dir.filePath(u"fifo.wav"_s)).constData(), 0600), 0);
    for (const QString &path : {m_dir.filePath(u"fehlt.wav"_s), QString(), huge.fileName(), m_dir.path(), m_dir.filePath(u"fifo.wav"_s)})
        QVERIFY2(CueFile::read(path).isEmpty(), qPrintable(path));
}

void SoundTest::mixing()
{
    CueMixer mixer;
    const Samples rising{1, 2, 3, 4, 5, 6}, loud(4, 30000);
    Samples out(8, -1);
    mixer.start(u"a"_s, rising);
    mixer.mix(out.data(), 4);
    mixer.start(u"b"_s, loud); // another cue sounds together with the first
    mixer.mix(out.data() + 4, 4);
    QCOMPARE(out, Samples({1, 2, 3, 4, 30005, 30006, 30000, 30000}));
    mixer.start(u"a"_s, rising); // the same cue again starts from its beginning, not over itself
    mixer.start(u"b"_s, loud);
    mixer.mix(out.data(), 8);
    QCOMPARE(out, Samples({30001, 30002, 30003, 30004, 5, 6, 0, 0})); // loud sums clipped
    QVERIFY(!mixer.sounding());
    mixer.start(u"a"_s, loud);
    mixer.stop(u"a"_s);
    QVERIFY(!mixer.sounding());
}

void SoundTest::playerOnADevice()
{
    const QString cue = m_dir.filePath(u"wechsel.wav"_s);
    std::signal(SIGTERM, SIG_DFL); // Qt Test's own handler would keep SDL from taking the signal
    SoundCuePlayer player;
    QCOMPARE(heard(player, write(cue, steady(44100, 16, le(1000, 2), 2205)), m_dir.filePath(u"1.raw"_s)),
             Runs({{1000, 2205}}));
    QVERIFY(std::signal(SIGTERM, SIG_DFL) == SIG_DFL); // termination stays the game's
    QCOMPARE(SDL_GetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME), "Zeichenfang"); // as the sound server lists it
    QVERIFY(SDL_WasInit(SDL_INIT_AUDIO)); // the back end waits for the next cue
    // A file replaced while the game runs is heard from the next cue on.
    QCOMPARE(heard(player, write(cue, steady(44100, 16, le(3000, 2), 4410)), m_dir.filePath(u"2.raw"_s)),
             Runs({{3000, 4410}}));
    // A cue asked for again stops its old sound even when it can no longer be played.
    player.play(write(cue, steady(44100, 16, le(1000, 2), 441000)));
    QVERIFY(!player.rest()); // ten seconds of it still to come
    player.play(write(cue, "kaputt"));
    QVERIFY(player.rest());
}

void SoundTest::noAudioDevice()
{
    if (!qEnvironmentVariableIsSet("ZEICHENFANG_TEST_NO_AUDIO_DEVICE"))
        QSKIP("runs with ZEICHENFANG_TEST_NO_AUDIO_DEVICE=1 and no usable audio driver or device");
    SoundCuePlayer player(300ms);
    player.play(Hit);
    // A device that appears later is used, after a short wait rather than at every keystroke.
    const QString raw = m_dir.filePath(u"spaet.raw"_s);
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(raw));
    player.play(Hit);
    QVERIFY(!QFile::exists(raw));
    std::this_thread::sleep_for(400ms);
    player.play(Hit);
    QVERIFY(QFile::exists(raw));
    // A cue asked for while the device cannot open is not heard once it opens again.
    QTRY_VERIFY(player.rest());
    qputenv("SDL_DISKAUDIOFILE", "/nonexistent/cue.raw");
    player.play(Hit);
    std::this_thread::sleep_for(400ms);
    const QString steadyCue = write(m_dir.filePath(u"ruhig.wav"_s), steady(44100, 16, le(1000, 2), 2205));
    QCOMPARE(heard(player, steadyCue, m_dir.filePath(u"wieder.raw"_s)), Runs({{1000, 2205}}));
}

void SoundTest::alsaClosesWhenQuiet()
{
    if (qgetenv("SDL_AUDIODRIVER") != "alsa")
        QSKIP("runs with SDL_AUDIODRIVER=alsa");
    SoundCuePlayer player;
    player.play(Hit);
    QVERIFY(SDL_WasInit(SDL_INIT_AUDIO));
    QTRY_VERIFY_WITH_TIMEOUT(player.rest(), 5000);
    QVERIFY(!SDL_WasInit(SDL_INIT_AUDIO)); // ALSA's back end would look for new cards all the while
    player.play(Hit);
    QVERIFY(SDL_WasInit(SDL_INIT_AUDIO));
}

void SoundTest::cuesOnTheirOwnThread()
{
    const QString raw = m_dir.filePath(u"thread.raw"_s);
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(raw));
    const QString late = write(m_dir.filePath(u"spaet.wav"_s), steady(44100, 16, le(1000, 2), 2205));
    const QString inTime = write(m_dir.filePath(u"rechtzeitig.wav"_s), steady(44100, 16, le(3000, 2), 2205));
    {
        SoundCues cues(QStringLiteral(ZEICHENFANG_SOUND_MODULE));
        cues.play(late);
        std::this_thread::sleep_for(SoundCues::MaxDelay + 100ms);
        cues.start(); // ready only after the pause: heard now, the cue would answer a later key
        cues.play(m_dir.filePath(u"fehlt.wav"_s)); // silent, and the thread goes on
        cues.play(inTime);
        QTRY_COMPARE_WITH_TIMEOUT(runsIn(raw), Runs({{3000, 2205}}), 10000);
        cues.play(late); // asked now, while the thread waits: in time
        QTRY_COMPARE_WITH_TIMEOUT(runsIn(raw), Runs({{3000, 2205}, {1000, 2205}}), 10000);
    }
    QVERIFY(closed(raw)); // the device goes with the thread
    SoundCues foreign(QStringLiteral(ZEICHENFANG_FOREIGN_MODULE)); // not the game's sound module: silent
    foreign.start();
    foreign.play(inTime);
    std::this_thread::sleep_for(500ms);
}

void SoundTest::quitWhileTheDeviceHangs()
{
    if (!qEnvironmentVariableIsSet("ZEICHENFANG_TEST_QUIT_WHILE_HUNG"))
        QSKIP("runs alone, with ZEICHENFANG_TEST_QUIT_WHILE_HUNG=1: its sound thread stays behind");
    // Opening the device waits for a reader of this pipe, like a sound server that does not answer.
    static const QByteArray pipe = QFile::encodeName(QDir::temp().filePath(u"zeichenfang-%1.raw"_s.arg(getpid())));
    QCOMPARE(mkfifo(pipe.constData(), 0600), 0);
    qputenv("SDL_DISKAUDIOFILE", pipe);
    // The answer comes only as the program ends, and the thread left behind runs on during the exit.
    static const struct AnswerAtExit { ~AnswerAtExit() { open(pipe.constData(), O_RDONLY | O_NONBLOCK), unlink(pipe.constData()); } } answer;
    SoundCues cues(QStringLiteral(ZEICHENFANG_SOUND_MODULE));
    cues.start();
    cues.play(Hit);
    std::this_thread::sleep_for(500ms); // the thread loads the module and opens the device; the game
    QVERIFY(QFile::exists(QString::fromLocal8Bit(pipe))); // quits then, and ends with status 0
}

void SoundTest::fuzzInputs()
{
    int inputs = 0;
    for (const char *folder : {"/corpus", "/regressions"}) {
        for (QDirIterator it(QLatin1StringView(ZEICHENFANG_FUZZ_INPUTS) + QLatin1StringView(folder), QDir::Files); it.hasNext(); ++inputs) {
            const QByteArray bytes = bytesOf(it.next());
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        }
    }
    QVERIFY(inputs > 20);
}

QTEST_GUILESS_MAIN(SoundTest)
#include "tst_sound.moc"
