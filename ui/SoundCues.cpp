#include "SoundCues.h"

#include "SoundModule.h"

#include <QCoreApplication>

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
    const SoundModule::EntryPoints module = SoundModule::load(shared->modulePath);
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
