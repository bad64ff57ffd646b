#include "SoundCuePlayer.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtEndian>
#include <QtTest>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <thread>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

using namespace std::chrono_literals;

namespace {

const QString CueDir = QStringLiteral(ZEICHENFANG_CUE_DIR);

QString cuePath(const QString &name)
{
    return CueDir + QLatin1Char('/') + name;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

void appendLe32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

void appendLe16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

// A 16-bit mono 44.1 kHz wave file holding a quiet 440 Hz tone, or silence.
QByteArray wavBytes(double seconds, int amplitude = 2000)
{
    const auto frames = quint32(std::lround(seconds * 44100));
    QByteArray out("RIFF");
    appendLe32(out, 36 + frames * 2);
    out.append("WAVEfmt ");
    appendLe32(out, 16);
    appendLe16(out, 1);         // PCM
    appendLe16(out, 1);         // mono
    appendLe32(out, 44100);     // frames per second
    appendLe32(out, 44100 * 2); // bytes per second
    appendLe16(out, 2);         // bytes per frame
    appendLe16(out, 16);        // bits per sample
    out.append("data");
    appendLe32(out, frames * 2);
    for (quint32 i = 0; i < frames; ++i)
        appendLe16(out, quint16(qint16(amplitude * std::sin(2 * std::numbers::pi * 440 * i / 44100.0))));
    return out;
}

// Whatever the code under test writes to stderr while this object lives.
class StderrCapture
{
public:
    StderrCapture()
    {
#ifdef Q_OS_UNIX
        if (!m_file.open())
            return;
        std::fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        dup2(m_file.handle(), STDERR_FILENO);
#endif
    }
    ~StderrCapture() { restore(); }
    Q_DISABLE_COPY_MOVE(StderrCapture)

    QByteArray text()
    {
        restore();
        return readAll(m_file.fileName());
    }

private:
    void restore()
    {
#ifdef Q_OS_UNIX
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        close(m_saved);
        m_saved = -1;
#endif
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace

class TestSoundCuePlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void committedCueFormat_data();
    void committedCueFormat();
    void committedCuePlaysToTheEnd_data();
    void committedCuePlaysToTheEnd();
    void unplayableFile_data();
    void unplayableFile();
    void sameCueAgainRestartsFromTheBeginning();
    void quickRepeatsAllStart();
    void differentCuesSoundTogether();
    void cueFinishesWhileCallerSleeps();
    void replacedFileIsReadAgain_data();
    void replacedFileIsReadAgain();
    void replacedFileIsHeardWithItsNewLength();
    void pathWithBlankAndUmlaut();
    void systemAudioStaysQuiet();
    void noAudioDevice();

private:
    bool withoutDevice() const { return qEnvironmentVariableIsSet("ZEICHENFANG_TEST_NO_AUDIO_DEVICE"); }

    QTemporaryDir m_dir;
};

void TestSoundCuePlayer::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestSoundCuePlayer::committedCueFormat_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<double>("minSeconds"); // sound plus trailing silence
    QTest::addColumn<double>("maxSeconds");
    QTest::newRow("hit") << QStringLiteral("kontrollton.wav") << 0.3 << 0.45;
    QTest::newRow("miss") << QStringLiteral("fehlerton.wav") << 0.4 << 0.55;
    QTest::newRow("win") << QStringLiteral("gewonnen.wav") << 0.9 << 1.1;
}

void TestSoundCuePlayer::committedCueFormat()
{
    QFETCH(QString, name);
    QFETCH(double, minSeconds);
    QFETCH(double, maxSeconds);

    const QByteArray bytes = readAll(cuePath(name));
    QVERIFY2(bytes.size() > 44, qPrintable(cuePath(name)));
    QCOMPARE(bytes.left(4), QByteArray("RIFF"));
    QCOMPARE(bytes.mid(8, 8), QByteArray("WAVEfmt "));
    const auto *raw = reinterpret_cast<const uchar *>(bytes.constData());
    QCOMPARE(qFromLittleEndian<quint16>(raw + 20), quint16(1)); // PCM
    QCOMPARE(qFromLittleEndian<quint16>(raw + 22), quint16(1)); // mono
    QCOMPARE(qFromLittleEndian<quint32>(raw + 24), quint32(44100));
    QCOMPARE(qFromLittleEndian<quint16>(raw + 34), quint16(16));
    QCOMPARE(bytes.mid(36, 4), QByteArray("data"));
    const quint32 dataBytes = qFromLittleEndian<quint32>(raw + 40);
    QCOMPARE(qsizetype(dataBytes), bytes.size() - 44);

    const double seconds = dataBytes / 2 / 44100.0;
    QVERIFY2(seconds >= minSeconds && seconds <= maxSeconds, qPrintable(QString::number(seconds)));

    const auto sample = [&](quint32 frame) { return qFromLittleEndian<qint16>(raw + 44 + 2 * frame); };
    const quint32 frames = dataBytes / 2;
    // Starts from silence, so it does not click in...
    QVERIFY(std::abs(sample(0)) < 100);
    // ...and ends in 0.2 s of silence, so no backend cuts off the sound itself.
    for (quint32 f = frames - 8820; f < frames; ++f)
        QCOMPARE(sample(f), qint16(0));
    // Something is audible before that.
    qint16 peak = 0;
    for (quint32 f = 0; f < frames - 8820; ++f)
        peak = std::max<qint16>(peak, qint16(std::abs(sample(f))));
    QVERIFY(peak > 8000);
}

void TestSoundCuePlayer::committedCuePlaysToTheEnd_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("hit") << QStringLiteral("kontrollton.wav");
    QTest::newRow("miss") << QStringLiteral("fehlerton.wav");
    QTest::newRow("win") << QStringLiteral("gewonnen.wav");
}

void TestSoundCuePlayer::committedCuePlaysToTheEnd()
{
    QFETCH(QString, name);
    SoundCuePlayer player;
    QVERIFY(!player.isPlaying(cuePath(name)));
    QVERIFY(player.play(cuePath(name)));
    QVERIFY(player.isPlaying(cuePath(name)));
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(cuePath(name)), 5000);
}

void TestSoundCuePlayer::unplayableFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("starts");

    const QByteArray cue = readAll(cuePath(QStringLiteral("kontrollton.wav")));
    const auto file = [this](const char *name, const QByteArray &bytes) {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        if (!writeFile(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    };
    QByteArray noise(4096, '\0');
    QRandomGenerator random(20240611);
    for (char &byte : noise)
        byte = char(random.bounded(256));

    QTest::newRow("missing") << m_dir.filePath(QStringLiteral("fehlt.wav")) << false;
    QTest::newRow("empty path") << QString() << false;
    QTest::newRow("empty file") << file("leer.wav", {}) << false;
    QTest::newRow("random bytes") << file("rauschen.wav", noise) << false;
    QTest::newRow("text") << file("text.wav", "Dies ist kein Klang.\n") << false;
    QTest::newRow("truncated header") << file("kopf.wav", cue.left(20)) << false;
    QTest::newRow("header without samples") << file("stumm.wav", wavBytes(0)) << false;
    QTest::newRow("directory") << m_dir.path() << false;
    // A cue cut short in its samples still plays what is there.
    QTest::newRow("truncated samples") << file("kurz.wav", cue.left(cue.size() / 2)) << true;

    const QString locked = file("gesperrt.wav", cue);
    QFile::setPermissions(locked, {});
    if (QFile probe(locked); !probe.open(QIODevice::ReadOnly)) // root reads everything
        QTest::newRow("unreadable") << locked << false;
}

void TestSoundCuePlayer::unplayableFile()
{
    QFETCH(QString, path);
    QFETCH(bool, starts);

    SoundCuePlayer player;
    StderrCapture stderrOutput;
    QCOMPARE(player.play(path), starts);
    QCOMPARE(player.isPlaying(path), starts);
    // Said twice, in case the first failure left something half done.
    QCOMPARE(player.play(path), starts);
    QCOMPARE(stderrOutput.text(), QByteArray());
    // The player goes on working.
    QVERIFY(player.play(cuePath(QStringLiteral("gewonnen.wav"))));
}

void TestSoundCuePlayer::sameCueAgainRestartsFromTheBeginning()
{
    const QString path = m_dir.filePath(QStringLiteral("zwei-sekunden.wav"));
    QVERIFY(writeFile(path, wavBytes(2.0)));
    SoundCuePlayer player;
    QVERIFY(player.play(path));
    std::this_thread::sleep_for(1200ms);
    QVERIFY(player.isPlaying(path));
    QVERIFY(player.play(path));
    std::this_thread::sleep_for(1200ms);
    // 2.4 s after the first start: only a restarted cue is still sounding.
    QVERIFY(player.isPlaying(path));
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(path), 5000);
}

void TestSoundCuePlayer::quickRepeatsAllStart()
{
    const QString hit = cuePath(QStringLiteral("kontrollton.wav"));
    SoundCuePlayer player;
    for (int i = 0; i < 20; ++i)
        QVERIFY2(player.play(hit), qPrintable(QString::number(i)));
    QVERIFY(player.isPlaying(hit));
}

void TestSoundCuePlayer::differentCuesSoundTogether()
{
    const QString hit = cuePath(QStringLiteral("kontrollton.wav"));
    const QString miss = cuePath(QStringLiteral("fehlerton.wav"));
    const QString win = cuePath(QStringLiteral("gewonnen.wav"));
    SoundCuePlayer player;
    QVERIFY(player.play(win));
    QVERIFY(player.play(hit));
    QVERIFY(player.play(miss));
    QVERIFY(player.isPlaying(win));
    QVERIFY(player.isPlaying(hit));
    QVERIFY(player.isPlaying(miss));
    // Restarting one cue leaves the others alone.
    QVERIFY(player.play(hit));
    QVERIFY(player.isPlaying(win));
    QVERIFY(player.isPlaying(miss));
    // The short hit ends first while the win plays on.
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(hit), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(!player.isPlaying(win), 5000);
}

void TestSoundCuePlayer::cueFinishesWhileCallerSleeps()
{
    const QString hit = cuePath(QStringLiteral("kontrollton.wav"));
    SoundCuePlayer player;
    QVERIFY(player.play(hit));
    QVERIFY(player.isPlaying(hit));
    // No event loop runs here: the mixer has to play the 0.35 s cue by itself.
    std::this_thread::sleep_for(1500ms);
    QVERIFY(!player.isPlaying(hit));
}

void TestSoundCuePlayer::replacedFileIsReadAgain_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("startsBefore");
    QTest::addColumn<bool>("startsAfter");

    const QByteArray good = readAll(cuePath(QStringLiteral("fehlerton.wav")));
    const QByteArray broken = good.left(30);
    QTest::newRow("good, then broken") << good << broken << true << false;
    QTest::newRow("broken, then good") << broken << good << false << true;
    QTest::newRow("good, then removed") << good << QByteArray() << true << false;
}

void TestSoundCuePlayer::replacedFileIsReadAgain()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(bool, startsBefore);
    QFETCH(bool, startsAfter);

    const QString path = m_dir.filePath(QStringLiteral("wechsel.wav"));
    QVERIFY(writeFile(path, before));
    SoundCuePlayer player;
    QCOMPARE(player.play(path), startsBefore);
    if (after.isEmpty())
        QVERIFY(QFile::remove(path));
    else
        QVERIFY(writeFile(path, after));
    QCOMPARE(player.play(path), startsAfter);
    // A failed replay also silences what the old file was still playing.
    QCOMPARE(player.isPlaying(path), startsAfter);
}

void TestSoundCuePlayer::replacedFileIsHeardWithItsNewLength()
{
    const QString path = m_dir.filePath(QStringLiteral("laenge.wav"));
    QVERIFY(writeFile(path, wavBytes(0.1)));
    SoundCuePlayer player;
    QVERIFY(player.play(path));
    QVERIFY(writeFile(path, wavBytes(3.0)));
    QVERIFY(player.play(path));
    std::this_thread::sleep_for(1000ms);
    QVERIFY(player.isPlaying(path)); // the 0.1 s sound would long be over
}

void TestSoundCuePlayer::pathWithBlankAndUmlaut()
{
    const QString folder = m_dir.filePath(QStringLiteral("Mein Spiel/Übung"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/gewonnen.wav");
    QVERIFY(QFile::copy(cuePath(QStringLiteral("gewonnen.wav")), path));
    SoundCuePlayer player;
    QVERIFY(player.play(path));
    QVERIFY(player.isPlaying(path));
}

void TestSoundCuePlayer::systemAudioStaysQuiet()
{
    // Whatever this machine offers - a sound server, a bare sound card or nothing at
    // all - trying it must not write to the terminal. The cue is silent, as it may be
    // heard on a developer's machine; whether it starts depends on the machine.
    const QString path = m_dir.filePath(QStringLiteral("still.wav"));
    QVERIFY(writeFile(path, wavBytes(0.2, 0)));
    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    qunsetenv("SDL_AUDIODRIVER");
    {
        SoundCuePlayer player;
        StderrCapture stderrOutput;
        const bool started = player.play(path);
        QCOMPARE(stderrOutput.text(), QByteArray());
        QCOMPARE(player.isPlaying(path), started);
    }
    qputenv("SDL_AUDIODRIVER", driver);
}

void TestSoundCuePlayer::noAudioDevice()
{
    if (!withoutDevice())
        QSKIP("run with ZEICHENFANG_TEST_NO_AUDIO_DEVICE=1 and no usable SDL_AUDIODRIVER");
    const QString win = cuePath(QStringLiteral("gewonnen.wav"));
    const QByteArray driver = qgetenv("SDL_AUDIODRIVER");
    {
        SoundCuePlayer player(300ms);
        StderrCapture stderrOutput;
        QVERIFY(!player.play(win));
        QVERIFY(!player.play(cuePath(QStringLiteral("kontrollton.wav"))));
        QVERIFY(!player.isPlaying(win));
        QCOMPARE(stderrOutput.text(), QByteArray());

        // A device that appears later is used, after a short wait rather than at
        // every keystroke.
        qputenv("SDL_AUDIODRIVER", "dummy");
        QVERIFY(!player.play(win));
        std::this_thread::sleep_for(400ms);
        QVERIFY(player.play(win));
        QVERIFY(player.isPlaying(win));
    }
    qputenv("SDL_AUDIODRIVER", driver);
    SoundCuePlayer again;
    QVERIFY(!again.play(win));
}

QTEST_GUILESS_MAIN(TestSoundCuePlayer)
#include "tst_soundcueplayer.moc"
