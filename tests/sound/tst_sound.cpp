// The sound-cue player against real SDL: the dummy driver mixes in real time
// without a device, so machines without a sound server run the same code.
// And the sound thread that loads it as the game does.
#include "SoundCuePlayer.h"
#include "SoundCues.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtEndian>
#include <QtTest>

#include <thread>

#include <sys/stat.h>
#include <unistd.h>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {
// The committed cues: the hit lasts about 0.35 s, the win about 1 s.
const QString Hit = QStringLiteral(ZEICHENFANG_CUE_DIR "/kontrollton.wav");
const QString Win = QStringLiteral(ZEICHENFANG_CUE_DIR "/gewonnen.wav");

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
    return file.seek(0) ? file.readAll() : QByteArray();
}
} // namespace

class SoundCuePlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void files_data();
    void files();
    void restartsAndOverlaps();
    void fileIsReadAgainAtEveryPlay();
    void noAudioDevice();
    void cuesOnTheirOwnThread();

private:
    QTemporaryDir m_dir;
};

void SoundCuePlayerTest::files_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("plays");
    const QByteArray cue = bytesOf(Hit);
    QByteArray noise(4096, '\0'), noSamples = cue.left(44), claimsGigabytes = cue;
    for (char &byte : noise)
        byte = char(QRandomGenerator::global()->bounded(256));
    qToLittleEndian(0u, noSamples.data() + 40);
    qToLittleEndian(0xFFFFFFF0u, claimsGigabytes.data() + 40);
    QVERIFY(QDir().mkpath(m_dir.filePath(u"Mein Spiel/Übung"_s)));
    QFile huge(write(m_dir.filePath(u"100MB.wav"_s), cue));
    QVERIFY(huge.resize(100 << 20));
    QCOMPARE(mkfifo(QFile::encodeName(m_dir.filePath(u"fifo.wav"_s)).constData(), 0600), 0);

    QTest::newRow("a committed cue") << Win << true;
    QTest::newRow("blank and umlaut in the path") << write(m_dir.filePath(u"Mein Spiel/Übung/a.wav"_s), cue) << true;
    QTest::newRow("samples cut short: what is there") << write(m_dir.filePath(u"kurz.wav"_s), cue.left(2000)) << true;
    QTest::newRow("a header that claims gigabytes") << write(m_dir.filePath(u"riesig.wav"_s), claimsGigabytes) << true;
    QTest::newRow("missing") << m_dir.filePath(u"fehlt.wav"_s) << false;
    QTest::newRow("no path") << QString() << false;
    QTest::newRow("empty") << write(m_dir.filePath(u"leer.wav"_s), {}) << false;
    QTest::newRow("random bytes") << write(m_dir.filePath(u"rauschen.wav"_s), noise) << false;
    QTest::newRow("header cut short") << write(m_dir.filePath(u"kopf.wav"_s), cue.left(20)) << false;
    QTest::newRow("header without samples") << write(m_dir.filePath(u"stumm.wav"_s), noSamples) << false;
    QTest::newRow("100 MB") << huge.fileName() << false;
    QTest::newRow("a directory") << m_dir.path() << false;
    QTest::newRow("a pipe") << m_dir.filePath(u"fifo.wav"_s) << false;
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
    QVERIFY(player.play(Hit)); // and the player goes on working
}

void SoundCuePlayerTest::restartsAndOverlaps()
{
    SoundCuePlayer player;
    QVERIFY(player.prepare() && !player.deviceOpen()); // the back end, yet no device until a cue
    QVERIFY(player.play(Win));
    std::this_thread::sleep_for(600ms); // no event loop: the mixer plays on by itself
    QVERIFY(player.play(Win) && player.play(Hit) && player.play(Hit)); // a restart leaves other cues alone
    std::this_thread::sleep_for(600ms);
    QVERIFY(player.isPlaying(Win)); // 1.2 s after the first start: only a restarted cue sounds
    QVERIFY(!player.isPlaying(Hit)); // the short hit has ended while the win plays on
    QVERIFY(!player.rest()); // the device stays while a cue sounds
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(Win), 5000);
    QVERIFY(player.rest() && !player.deviceOpen()); // and closes once all are over
    QVERIFY(player.play(Hit)); // the next cue opens it again
}

void SoundCuePlayerTest::fileIsReadAgainAtEveryPlay()
{
    const QString path = m_dir.filePath(u"wechsel.wav"_s);
    SoundCuePlayer player;
    QVERIFY(player.play(write(path, bytesOf(Hit))));
    QVERIFY(player.play(write(path, bytesOf(Win))));
    std::this_thread::sleep_for(600ms);
    QVERIFY(player.isPlaying(path)); // the short hit would be over
    QVERIFY(!player.play(write(path, "kaputt")));
    QVERIFY(!player.isPlaying(path)); // a failed replay silences the old sound too
}

void SoundCuePlayerTest::noAudioDevice()
{
    if (!qEnvironmentVariableIsSet("ZEICHENFANG_TEST_NO_AUDIO_DEVICE"))
        QSKIP("runs with ZEICHENFANG_TEST_NO_AUDIO_DEVICE=1 and no usable SDL_AUDIODRIVER");
    SoundCuePlayer player(300ms);
    QCOMPARE(stderrOf([&] { QVERIFY(!player.play(Win)); }), QByteArray());
    // A device that appears later is used, after a short wait rather than at every keystroke.
    qputenv("SDL_AUDIODRIVER", "dummy");
    QVERIFY(!player.play(Win));
    std::this_thread::sleep_for(400ms);
    QVERIFY(player.play(Win));
}

void SoundCuePlayerTest::cuesOnTheirOwnThread()
{
    {
        SoundCues cues(QStringLiteral(ZEICHENFANG_SOUND_MODULE));
        cues.start();
        QTRY_VERIFY(cues.report().ready);
        cues.play(Hit);
        cues.play(m_dir.filePath(u"fehlt.wav"_s));
        QTRY_COMPARE(cues.report().started + cues.report().silent, 2);
        QCOMPARE(cues.report().started, 1);
    }
    SoundCues late(QStringLiteral(ZEICHENFANG_SOUND_MODULE)), without(m_dir.filePath(u"fehlt"_s));
    late.play(Hit);
    std::this_thread::sleep_for(SoundCues::MaxDelay + 100ms);
    late.start(); // ready only after the pause: heard now, the cue would answer a later key
    QTRY_COMPARE(late.report().silent, 1);
    without.start(); // without the module the game is silent
    without.play(Hit);
    QTRY_COMPARE(without.report().silent, 1);
    QVERIFY(!without.report().ready);
}

QTEST_GUILESS_MAIN(SoundCuePlayerTest)
#include "tst_sound.moc"
