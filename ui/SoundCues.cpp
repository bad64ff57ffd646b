#include "SoundCues.h"

#include "SoundModule.h"

#include <QCoreApplication>
#include <QLibrary>

#include <condition_variable>
#include <deque>
#include <mutex>

struct SoundCues::Shared
{
    QString modulePath;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::pair<QString, Clock::time_point>> asked;
    bool quit = false;
    bool finished = false;
};

namespace {
struct Module
{
    SoundModule::Create create = nullptr;
    SoundModule::Play play = nullptr;
    SoundModule::Rest rest = nullptr;
    SoundModule::Destroy destroy = nullptr;
};

// The module's entry points, or none. The module stays loaded (the sound libraries
// keep threads of their own), and nothing of Qt's outlives this call: a sound thread
// left behind at the program's end touches nothing its static destruction takes away.
Module load(const QString &path)
{
    QLibrary library(path);
    Module module{reinterpret_cast<SoundModule::Create>(library.resolve(SoundModule::CreateName)),
                  reinterpret_cast<SoundModule::Play>(library.resolve(SoundModule::PlayName)),
                  reinterpret_cast<SoundModule::Rest>(library.resolve(SoundModule::RestName)),
                  reinterpret_cast<SoundModule::Destroy>(library.resolve(SoundModule::DestroyName))};
    return module.create && module.play && module.rest && module.destroy ? module : Module{};
}
} // namespace

SoundCues::SoundCues(QString modulePath)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->modulePath = std::move(modulePath);
}

SoundCues::~SoundCues()
{
    if (!m_thread.joinable())
        return;
    std::unique_lock lock(m_shared->mutex);
    m_shared->quit = true;
    m_shared->changed.notify_all();
    // A sound server that never answers must not keep the game from ending: the
    // thread then goes on alone, and the shared state lives as long as it does.
    const bool finished = m_shared->changed.wait_for(lock, std::chrono::seconds(1), [this] { return m_shared->finished; });
    lock.unlock();
    finished ? m_thread.join() : m_thread.detach();
}

QString SoundCues::besideTheProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/zeichenfang-sound");
}

void SoundCues::start()
{
    if (!m_thread.joinable())
        m_thread = std::thread(&SoundCues::run, m_shared);
}

void SoundCues::play(const QString &path)
{
    const std::lock_guard lock(m_shared->mutex);
    m_shared->asked.emplace_back(path, Clock::now());
    m_shared->changed.notify_all();
}

void SoundCues::run(std::shared_ptr<Shared> shared)
{
    const Module module = load(shared->modulePath);
    void *player = module.create ? module.create() : nullptr; // without it the game is silent

    std::unique_lock lock(shared->mutex);
    bool resting = true;
    const auto woken = [&] { return shared->quit || !shared->asked.empty(); };
    while (true) {
        if (resting) {
            shared->changed.wait(lock, woken);
        } else if (!shared->changed.wait_for(lock, RestAfter, woken)) {
            lock.unlock();
            resting = module.rest(player); // still sounding: try again later
            lock.lock();
            continue;
        }
        if (shared->quit)
            break;
        const auto [path, asked] = shared->asked.front();
        shared->asked.pop_front();
        lock.unlock();
        if (player && Clock::now() - asked <= MaxDelay)
            module.play(player, path);
        resting = !player;
        lock.lock();
    }
    lock.unlock();
    if (player)
        module.destroy(player);
    lock.lock();
    shared->finished = true;
    shared->changed.notify_all();
}
