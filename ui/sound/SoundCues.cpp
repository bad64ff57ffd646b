#include "SoundCues.h"

#include "SoundModule.h"
#include "System.h"

#include <QDeadlineTimer>
#include <QScopeGuard>

#include <condition_variable>
#include <deque>

namespace {

// Runs `call` with `lock` let go, and takes the lock again: what the sound thread
// does without the lock may wait (on a sound server) or use Qt.
template <typename Call>
auto unlocked(std::unique_lock<std::mutex> &lock, Call &&call)
{
    lock.unlock();
    const auto relock = qScopeGuard([&] { lock.lock(); });
    return call();
}

} // namespace

// What the window's thread and the sound thread share, under `mutex`. Everything
// of Qt in it goes with the window's thread: the sound thread uses Qt only while
// `usingQt` says so, and ~SoundCues waits for that before it lets the thread go.
// It never makes a Qt object, which would make it a thread of Qt's own (System.h).
struct SoundCues::Shared
{
    struct Cue
    {
        QString path;
        QDeadlineTimer startBy; // MaxDelay after it was asked for
    };

    std::mutex mutex;
    std::condition_variable changed;
    QString modulePath; // the thread takes it when it starts
    std::deque<Cue> waiting;
    bool usingQt = false;
    bool quit = false;
    bool finished = false;

    // Cues that can no longer start in time; they are never heard, so they go.
    void dropStale()
    {
        while (!waiting.empty() && waiting.front().startBy.hasExpired())
            waiting.pop_front();
    }

    // Runs `call`, which uses Qt, with the lock let go: ~SoundCues waits for its end.
    template <typename Call>
    auto withQt(std::unique_lock<std::mutex> &lock, Call &&call)
    {
        usingQt = true;
        const auto leftQt = qScopeGuard([&] {
            usingQt = false;
            changed.notify_all();
        });
        return unlocked(lock, call);
    }
};

struct SoundCues::Module
{
    SoundModule::Create create = nullptr;
    SoundModule::Open open = nullptr;
    SoundModule::Play play = nullptr;
    SoundModule::Rest closeIfIdle = nullptr;
    SoundModule::Destroy destroy = nullptr;
};

// The module's entry points, or none. The module is never unloaded: a sound thread
// that a hung sound server keeps past the program's end still runs its code.
SoundCues::Module SoundCues::load(Shared &shared, std::unique_lock<std::mutex> &lock)
{
    const Module module = shared.withQt(lock, [path = std::exchange(shared.modulePath, QString())] {
        void *library = System::loadLibraryForGood(path);
        const auto entry = [&](const char *name) { return library ? System::libraryEntry(library, name) : nullptr; };
        return Module{reinterpret_cast<SoundModule::Create>(entry(SoundModule::CreateName)),
                      reinterpret_cast<SoundModule::Open>(entry(SoundModule::OpenName)),
                      reinterpret_cast<SoundModule::Play>(entry(SoundModule::PlayName)),
                      reinterpret_cast<SoundModule::Rest>(entry(SoundModule::RestName)),
                      reinterpret_cast<SoundModule::Destroy>(entry(SoundModule::DestroyName))};
    });
    return module.create && module.open && module.play && module.closeIfIdle && module.destroy ? module : Module{};
}

SoundCues::SoundCues()
    : SoundCues(System::soundModulePath())
{
}

SoundCues::SoundCues(QString modulePath, std::chrono::milliseconds quitWait)
    : m_shared(std::make_shared<Shared>())
    , m_quitWait(quitWait)
{
    m_shared->modulePath = std::move(modulePath);
}

SoundCues::~SoundCues()
{
    bool finished = !m_thread.joinable();
    {
        std::unique_lock lock(m_shared->mutex);
        m_shared->quit = true;
        m_shared->changed.notify_all();
        // A sound server that never answers must not keep the game from ending: the
        // thread then goes on alone, with the shared state, once it has left Qt (a
        // cue file read from disk) for good.
        if (!finished) {
            finished = m_shared->changed.wait_for(lock, m_quitWait, [this] { return m_shared->finished; });
            m_shared->changed.wait(lock, [this] { return !m_shared->usingQt; });
        }
        m_shared->waiting.clear();
        m_shared->modulePath.clear();
    }
    if (m_thread.joinable())
        finished ? m_thread.join() : m_thread.detach();
}

void SoundCues::start()
{
    if (!m_thread.joinable())
        m_thread = std::thread(&SoundCues::run, m_shared);
}

void SoundCues::play(const QString &path)
{
    const QDeadlineTimer startBy(MaxDelay); // counted from the key, not from when the lock is free
    const std::lock_guard lock(m_shared->mutex);
    m_shared->dropStale(); // before the thread runs, or while it waits for the device
    // A copy of its own: Qt counts the owners of a shared text inside a library that
    // ThreadSanitizer cannot see into, so the thread gets nothing the window still shares.
    m_shared->waiting.push_back({QString(path.constData(), path.size()), startBy});
    m_shared->changed.notify_all();
}

// Plays the first waiting cue; called and returning with the lock held.
void SoundCues::playNext(Shared &shared, std::unique_lock<std::mutex> &lock, const Module &module, void *player)
{
    const QString path = std::move(shared.waiting.front().path);
    shared.waiting.pop_front();
    shared.withQt(lock, [&] { module.play(player, path); }); // reads the file: the window's thread never waits for that
}

void SoundCues::run(std::shared_ptr<Shared> shared)
{
    std::unique_lock lock(shared->mutex);
    const Module module = shared->quit ? Module{} : load(*shared, lock);
    void *player = module.create ? module.create() : nullptr; // without it the game is silent

    bool open = false;
    const auto woken = [&] { return shared->quit || !shared->waiting.empty(); };
    while (true) {
        if (!open) {
            shared->changed.wait(lock, woken);
        } else if (!shared->changed.wait_for(lock, CloseIdleAfter, woken)) {
            open = !unlocked(lock, [&] { return module.closeIfIdle(player); }); // still sounding: try again later
            continue;
        }
        if (shared->quit)
            break;
        if (player) {
            open = unlocked(lock, [&] { return module.open(player); }); // a sound server may keep it waiting
            if (shared->quit)
                break;
        }
        shared->dropStale();
        if (shared->waiting.empty())
            continue;
        if (open)
            playNext(*shared, lock, module, player);
        else
            shared->waiting.pop_front(); // no device: this cue stays unheard
    }
    if (player)
        unlocked(lock, [&] { module.destroy(player); });
    shared->finished = true;
    shared->changed.notify_all();
}
