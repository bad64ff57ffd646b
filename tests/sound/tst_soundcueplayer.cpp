// The sound-cue player against real SDL: the dummy driver mixes in real time
// without a device, so machines without a sound server run the same code.
#include "SoundCuePlayer.h"
#include "SoundCues.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtEndian>
#include <QtTest>

#include <cmath>
#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {
const QString CueDir = QStringLiteral(ZEICHENFANG_CUE_DIR);

// A 16-bit mono 44.1 kHz wave file of a quiet 440 Hz tone.
QByteArray wave(double seconds)
{
    const auto frames = quint32(std::lround(seconds * 44100));
    QByteArray out("RIFF....WAVEfmt \x10\0\0\0\1\0\1\0\x44\xac\0\0\x88\x58\1\0\2\0\x10\0data....", 44);
    qToLittleEndian(36 + 2 * frames, out.data() + 4);
    qToLittleEndian(2 * frames, out.data() + 40);
    out.resize(44 + 2 * frames);
    for (quint32 i = 0; i < frames; ++i)
        qToLittleEndian(qint16(2000 * std::sin(i / 16.0)), out.data() + 44 + 2 * i);
    return out;
}

QString write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// What `run` writes to stderr.
template<typename Run>
QByteArray stderrOf(Run run)
{
    QTemporaryFile file;
    file.open();
    fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(file.handle(), STDERR_FILENO);
    run();
    fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    file.seek(0);
    return file.readAll();
}
} // namespace

class SoundCuePlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void files_data();
    void files();
    void sameCueAgainRestarts();
    void differentCuesSoundTogether();
    void fileIsReadAgainAtEveryPlay();
    void noAudioDevice();
    void restClosesTheDeviceOnceSilent();
    void cuesPlayOnTheirOwnThread();
    void lateOrWithoutTheModuleSilent();

private:
    QTemporaryDir m_dir;
};

void SoundCuePlayerTest::files_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("plays");
    const QByteArray cue = wave(0.3);
    QByteArray noise(4096, '\0');
    for (char &byte : noise)
        byte = char(QRandomGenerator::global()->bounded(256));
    QVERIFY(QDir().mkpath(m_dir.filePath(u"Mein Spiel/Übung"_s)));

    QTest::newRow("committed cue") << CueDir + u"/gewonnen.wav"_s << true;
    QTest::newRow("blank and umlaut in the path") << write(m_dir.filePath(u"Mein Spiel/Übung/a.wav"_s), cue) << true;
    QTest::newRow("samples cut short play what is there") << write(m_dir.filePath(u"kurz.wav"_s), cue.left(2000)) << true;
    QTest::newRow("missing") << m_dir.filePath(u"fehlt.wav"_s) << false;
    QTest::newRow("no path") << QString() << false;
    QTest::newRow("empty") << write(m_dir.filePath(u"leer.wav"_s), {}) << false;
    QTest::newRow("random bytes") << write(m_dir.filePath(u"rauschen.wav"_s), noise) << false;
    QTest::newRow("header cut short") << write(m_dir.filePath(u"kopf.wav"_s), cue.left(20)) << false;
    QTest::newRow("header without samples") << write(m_dir.filePath(u"stumm.wav"_s), wave(0)) << false;
    QTest::newRow("directory") << m_dir.path() << false;
    QByteArray claimsGigabytes = cue;
    qToLittleEndian(0xFFFFFFF0u, claimsGigabytes.data() + 40);
    QTest::newRow("a header that claims gigabytes") << write(m_dir.filePath(u"riesig.wav"_s), claimsGigabytes) << true;
    QFile huge(write(m_dir.filePath(u"100MB.wav"_s), cue));
    QVERIFY(huge.resize(100 << 20));
    QTest::newRow("100 MB") << huge.fileName() << false;
    const QString fifo = m_dir.filePath(u"fifo.wav"_s);
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QTest::newRow("a pipe") << fifo << false;
}

void SoundCuePlayerTest::files()
{
    QFETCH(QString, path);
    QFETCH(bool, plays);
    SoundCuePlayer player;
    const QByteArray said = stderrOf([&] {
        QCOMPARE(player.play(path), plays);
        QCOMPARE(player.isPlaying(path), plays);
        QCOMPARE(player.play(path), plays); // again, in case the first try left something half done
    });
    QCOMPARE(said, QByteArray()); // failures are silent
    QVERIFY(player.play(CueDir + u"/kontrollton.wav"_s)); // and the player goes on working
}

void SoundCuePlayerTest::sameCueAgainRestarts()
{
    const QString path = write(m_dir.filePath(u"zwei.wav"_s), wave(2.0));
    SoundCuePlayer player;
    QVERIFY(player.play(path));
    std::this_thread::sleep_for(1200ms);
    QVERIFY(player.play(path));
    std::this_thread::sleep_for(1200ms); // no event loop: the mixer plays on by itself
    QVERIFY(player.isPlaying(path)); // 2.4 s after the first start: only a restarted cue sounds
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(path), 5000);
}

void SoundCuePlayerTest::differentCuesSoundTogether()
{
    const QString hit = CueDir + u"/kontrollton.wav"_s, win = CueDir + u"/gewonnen.wav"_s;
    SoundCuePlayer player;
    QVERIFY(player.play(win));
    QVERIFY(player.play(hit));
    QVERIFY(player.play(hit)); // restarting one leaves the other alone
    QVERIFY(player.isPlaying(win));
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(hit), 5000);
    QVERIFY(player.isPlaying(win)); // the short hit ends first
}

void SoundCuePlayerTest::fileIsReadAgainAtEveryPlay()
{
    const QString path = m_dir.filePath(u"wechsel.wav"_s);
    SoundCuePlayer player;
    QVERIFY(player.play(write(path, wave(0.1))));
    QVERIFY(player.play(write(path, wave(3.0))));
    std::this_thread::sleep_for(1000ms);
    QVERIFY(player.isPlaying(path)); // the 0.1 s sound would long be over
    QVERIFY(!player.play(write(path, "kaputt")));
    QVERIFY(!player.isPlaying(path)); // a failed replay silences the old sound too
    QVERIFY(QFile::remove(path));
    QVERIFY(!player.play(path));
}

void SoundCuePlayerTest::noAudioDevice()
{
    if (!qEnvironmentVariableIsSet("ZEICHENFANG_TEST_NO_AUDIO_DEVICE"))
        QSKIP("runs with ZEICHENFANG_TEST_NO_AUDIO_DEVICE=1 and no usable SDL_AUDIODRIVER");
    const QString win = CueDir + u"/gewonnen.wav"_s;
    SoundCuePlayer player(300ms);
    QCOMPARE(stderrOf([&] { QVERIFY(!player.play(win)); }), QByteArray());
    // A device that appears later is used, after a short wait rather than at every keystroke.
    qputenv("SDL_AUDIODRIVER", "dummy");
    QVERIFY(!player.play(win));
    std::this_thread::sleep_for(400ms);
    QVERIFY(player.play(win));
}

void SoundCuePlayerTest::restClosesTheDeviceOnceSilent()
{
    const QString path = write(m_dir.filePath(u"rast.wav"_s), wave(0.5));
    SoundCuePlayer player;
    QVERIFY(player.prepare() && !player.deviceOpen()); // the back end, yet no device until a cue
    QVERIFY(player.play(path));
    QVERIFY(!player.rest()); // a cue still sounds
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(path), 5000);
    QVERIFY(player.rest() && !player.deviceOpen());
    QVERIFY(player.play(path)); // the next cue opens it again
}

void SoundCuePlayerTest::cuesPlayOnTheirOwnThread()
{
    SoundCues cues(QStringLiteral(ZEICHENFANG_SOUND_MODULE));
    cues.start();
    QTRY_VERIFY(cues.report().ready);
    cues.play(CueDir + u"/kontrollton.wav"_s);
    cues.play(m_dir.filePath(u"fehlt.wav"_s));
    QTRY_COMPARE(cues.report().started + cues.report().silent, 2);
    QCOMPARE(cues.report().started, 1);
}

void SoundCuePlayerTest::lateOrWithoutTheModuleSilent()
{
    SoundCues late(QStringLiteral(ZEICHENFANG_SOUND_MODULE));
    late.play(CueDir + u"/kontrollton.wav"_s);
    std::this_thread::sleep_for(SoundCues::MaxDelay + 100ms);
    late.start(); // ready only after the pause: the cue would answer a later key
    QTRY_COMPARE(late.report().silent, 1);
    QCOMPARE(late.report().started, 0);

    SoundCues without(m_dir.filePath(u"fehlt"_s));
    without.start();
    without.play(CueDir + u"/kontrollton.wav"_s);
    QTRY_COMPARE(without.report().silent, 1);
    QVERIFY(!without.report().ready);
}

QTEST_GUILESS_MAIN(SoundCuePlayerTest)
#include "tst_soundcueplayer.moc"
