#include "SoundCues.h"

#include "SoundModule.h"
#include "System.h"

#include <QLibrary>

#include <condition_variable>
#include <deque>

// What the window's thread and the sound thread share, under `mutex`. Everything
// of Qt in it goes with the window's thread: the sound thread uses Qt only while
// `usingQt` says so, and ~SoundCues waits for that before it lets the thread go.
struct SoundCues::Shared
{
    struct Cue
    {
        QString path;
        Clock::time_point askedAt;
    };

    std::mutex mutex;
    std::condition_variable changed;
    QString modulePath; // the thread takes it when it starts
    std::deque<Cue> waiting;
    bool usingQt = false;
    bool quit = false;
    bool finished = false;

    // Cues that can no longer start in time; they are never heard, so they go.
    void dropStale(Clock::time_point now)
    {
        while (!waiting.empty() && now - waiting.front().askedAt > MaxDelay)
            waiting.pop_front();
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
    shared.usingQt = true;
    Module module = [&] {
        const QString path = std::exchange(shared.modulePath, QString());
        lock.unlock();
        QLibrary library(path);
        library.setLoadHints(QLibrary::PreventUnloadHint);
        const auto entry = [&](const char *name) { return library.resolve(name); };
        return Module{reinterpret_cast<SoundModule::Create>(entry(SoundModule::CreateName)),
                      reinterpret_cast<SoundModule::Open>(entry(SoundModule::OpenName)),
                      reinterpret_cast<SoundModule::Play>(entry(SoundModule::PlayName)),
                      reinterpret_cast<SoundModule::Rest>(entry(SoundModule::RestName)),
                      reinterpret_cast<SoundModule::Destroy>(entry(SoundModule::DestroyName))};
    }();
    lock.lock();
    shared.usingQt = false;
    shared.changed.notify_all();
    return module.create && module.open && module.play && module.closeIfIdle && module.destroy ? module : Module{};
}

SoundCues::SoundCues()
    : SoundCues(System::soundModulePath())
{
}

SoundCues::SoundCues(QString modulePath)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->modulePath = std::move(modulePath);
}

SoundCues::~SoundCues()
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->quit = true;
    m_shared->changed.notify_all();
    // A sound server that never answers must not keep the game from ending: the
    // thread then goes on alone, with the shared state, once it has left Qt (a
    // cue file read from disk) for good.
    bool finished = !m_thread.joinable();
    if (!finished) {
        finished = m_shared->changed.wait_for(lock, std::chrono::seconds(1), [this] { return m_shared->finished; });
        m_shared->changed.wait(lock, [this] { return !m_shared->usingQt; });
    }
    m_shared->waiting.clear();
    m_shared->modulePath.clear();
    lock.unlock();
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
    const Clock::time_point now = Clock::now();
    const std::lock_guard lock(m_shared->mutex);
    m_shared->dropStale(now); // before the thread runs, or while it waits for the device
    // A copy of its own: Qt counts the owners of a shared text inside a library that
    // ThreadSanitizer cannot see into, so the thread gets nothing the window still shares.
    m_shared->waiting.push_back({QString(path.constData(), path.size()), now});
    m_shared->changed.notify_all();
}

// Plays the first waiting cue; called and returning with the lock held.
void SoundCues::playNext(Shared &shared, std::unique_lock<std::mutex> &lock, const Module &module, void *player)
{
    shared.usingQt = true;
    {
        const QString path = std::move(shared.waiting.front().path);
        shared.waiting.pop_front();
        lock.unlock();
        module.play(player, path); // reads the file: the window's thread never waits for that
    }
    lock.lock();
    shared.usingQt = false;
    shared.changed.notify_all();
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
            lock.unlock();
            open = !module.closeIfIdle(player); // still sounding: try again later
            lock.lock();
            continue;
        }
        if (shared->quit)
            break;
        if (player) {
            lock.unlock();
            open = module.open(player); // a sound server may keep it waiting
            lock.lock();
            if (shared->quit)
                break;
        }
        shared->dropStale(Clock::now());
        if (shared->waiting.empty())
            continue;
        if (open)
            playNext(*shared, lock, module, player);
        else
            shared->waiting.pop_front(); // no device: this cue stays unheard
    }
    lock.unlock();
    if (player)
        module.destroy(player);
    lock.lock();
    shared->finished = true;
    shared->changed.notify_all();
}
