// A sound module whose sound server does not answer: making the player waits
// until the program that loaded it ends, and then goes on during its exit.
#include <QString>

#include <condition_variable>
#include <thread>

namespace {
std::mutex mutex;
std::condition_variable changed;
bool ending = false;
int player;
struct AnswerAtTheEnd
{
    ~AnswerAtTheEnd()
    {
        { const std::lock_guard lock(mutex); ending = true; }
        changed.notify_all();
        std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the sound thread runs on meanwhile
    }
} answerAtTheEnd;
} // namespace

extern "C" {
Q_DECL_EXPORT void *zeichenfang_sound_create()
{
    std::unique_lock lock(mutex);
    changed.wait(lock, [] { return ending; });
    return &player;
}
Q_DECL_EXPORT void zeichenfang_sound_play(void *, const QString &) {}
Q_DECL_EXPORT bool zeichenfang_sound_rest(void *) { return true; }
Q_DECL_EXPORT void zeichenfang_sound_destroy(void *) {}
}
