// The script's execution context on the host: a thread that runs only while
// the game thread waits, and the other way round, so that the module sees one
// context of execution as it does on ScriptHookV's fibre. Abandoning a script
// unwinds its thread from inside scriptWait.

#include "sim/game.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace sim {

namespace {

struct ScriptAbandoned {};

thread_local bool onScriptThread = false;

class ThreadContext final : public ScriptContext {
public:
    ~ThreadContext() override { Stop(); }

    void Start(void (*entry)()) override {
        Stop();
        stopping_ = false;
        finished_ = false;
        thread_ = std::thread([this, entry] {
            onScriptThread = true;
            WaitForTurn(Turn::Script);
            try {
                entry();
                Fault("the script entry returned; it must loop forever");
            } catch (const ScriptAbandoned&) {
            }
            std::lock_guard lock(mutex_);
            finished_ = true;
            turn_ = Turn::Game;
            changed_.notify_all();
        });
        HandOver();
    }

    void Resume() override {
        if (thread_.joinable() && !finished_) {
            HandOver();
        }
    }

    void Yield() override {
        {
            std::unique_lock lock(mutex_);
            turn_ = Turn::Game;
            changed_.notify_all();
            changed_.wait(lock, [this] { return turn_ == Turn::Script; });
        }
        if (stopping_) {
            throw ScriptAbandoned{};
        }
    }

    void Stop() override {
        if (!thread_.joinable()) {
            return;
        }
        if (!finished_) {
            stopping_ = true;
            HandOver();
        }
        thread_.join();
    }

    bool OnScript() const override { return onScriptThread; }

private:
    enum class Turn { Game, Script };

    void WaitForTurn(Turn turn) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this, turn] { return turn_ == turn; });
    }

    // Game side: let the script run until it yields or ends.
    void HandOver() {
        std::unique_lock lock(mutex_);
        turn_ = Turn::Script;
        changed_.notify_all();
        changed_.wait(lock, [this] { return turn_ == Turn::Game; });
    }

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    Turn turn_ = Turn::Game;
    bool stopping_ = false;
    bool finished_ = false;
};

} // namespace

std::unique_ptr<ScriptContext> MakeDefaultScriptContext() {
    return std::make_unique<ThreadContext>();
}

} // namespace sim
