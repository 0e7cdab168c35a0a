// The script's execution context inside the Windows game host: a real fibre,
// as ScriptHookV runs every script. The game side is the host program's main
// thread, turned into a fibre the first time a script starts. Abandoning a
// script deletes its fibre where it waits, without unwinding it, which is
// what ScriptHookV does when the game reloads its scripts.

#include "sim/game.h"

#include <windows.h>
// winbase.h still defines the 16-bit Yield() as a macro; the script
// context's Yield is ours.
#undef Yield

namespace sim {

namespace {

// One game thread per process; it becomes a fibre once and stays one.
void* gameFiber = nullptr;

// The stack ScriptHookV gives a script is generous; the module needs little.
constexpr SIZE_T kScriptStackBytes = 1024 * 1024;

// GCC 12 takes the thread-block read inside GetCurrentFiber for an
// out-of-bounds array access.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
void* CurrentFiber() { return GetCurrentFiber(); }
#pragma GCC diagnostic pop

class FiberContext final : public ScriptContext {
public:
    ~FiberContext() override { Stop(); }

    void Start(void (*entry)()) override {
        Stop();
        if (gameFiber == nullptr) {
            gameFiber = ConvertThreadToFiber(nullptr);
            if (gameFiber == nullptr) {
                Fault("ConvertThreadToFiber failed: " + std::to_string(GetLastError()));
                return;
            }
        }
        entry_ = entry;
        scriptFiber_ = CreateFiber(kScriptStackBytes, &FiberContext::Run, this);
        if (scriptFiber_ == nullptr) {
            Fault("CreateFiber failed: " + std::to_string(GetLastError()));
            return;
        }
        SwitchToFiber(scriptFiber_);
    }

    void Resume() override {
        if (scriptFiber_ != nullptr) {
            SwitchToFiber(scriptFiber_);
        }
    }

    void Yield() override { SwitchToFiber(gameFiber); }

    void Stop() override {
        if (scriptFiber_ == nullptr) {
            return;
        }
        if (OnScript()) {
            // Deleting the running fibre would end the game's thread.
            Fault("the script was stopped from its own fibre");
            return;
        }
        DeleteFiber(scriptFiber_);
        scriptFiber_ = nullptr;
    }

    bool OnScript() const override {
        return scriptFiber_ != nullptr && CurrentFiber() == scriptFiber_;
    }

private:
    static void CALLBACK Run(void* parameter) {
        auto* self = static_cast<FiberContext*>(parameter);
        self->entry_();
        // A fibre routine must never return: that would end the thread.
        Fault("the script entry returned; it must loop forever");
        for (;;) {
            SwitchToFiber(gameFiber);
        }
    }

    void (*entry_)() = nullptr;
    void* scriptFiber_ = nullptr;
};

} // namespace

std::unique_ptr<ScriptContext> MakeDefaultScriptContext() {
    return std::make_unique<FiberContext>();
}

} // namespace sim
