#include "game/game_state.h"

#include "game/log.h"
#include "game/natives.h"
#include "platform/platform.h"

using namespace native;

namespace {

// Milliseconds the game has spent paused since the module loaded, modulo
// 2^32, and the tick at which the running pause began.
std::uint32_t pausedMs = 0;
std::uint32_t pauseStartTick = 0;
bool paused = false;

// The busy queries' answer for this pass, once asked.
bool busyAsked = false;
const char* busyReason = nullptr;

// The HUD query's answer for this pass, once asked.
bool hudAsked = false;
bool hudHidden = false;

const char* AskBusy() {
    if (IS_PLAYER_SWITCH_IN_PROGRESS()) {
        return "player switch";
    }
    if (IS_CUTSCENE_PLAYING()) {
        return "cutscene";
    }
    if (IS_SCREEN_FADED_OUT()) {
        return "faded out";
    }
    const std::int32_t player = PLAYER_ID();
    if (!IS_PLAYER_PLAYING(player)) {
        return "death or arrest";
    }
    if (!IS_PLAYER_CONTROL_ON(player)) {
        return "no control";
    }
    return nullptr;
}

} // namespace

std::uint32_t ModuleTick() { return GetTickCount() - pausedMs; }

namespace {

// The pause's edges, a few times a session: built for size.
[[gnu::cold]] PauseStep PauseEdge(bool nowPaused) {
    paused = nowPaused;
    if (paused) {
        pauseStartTick = GetTickCount();
        Log("game paused");
        return PauseStep::Began;
    }
    const std::uint32_t length = GetTickCount() - pauseStartTick;
    pausedMs += length;
    LogBegin("game resumed after ");
    LogNumber(length);
    LogText(" ms");
    LogEnd();
    return PauseStep::Ended;
}

} // namespace

PauseStep StepPause() {
    busyAsked = false;
    busyReason = nullptr;
    hudAsked = false;
    const bool nowPaused = IS_PAUSE_MENU_ACTIVE();
    if (nowPaused == paused) {
        return paused ? PauseStep::Held : PauseStep::Running;
    }
    return PauseEdge(nowPaused);
}

const char* GameBusyReason() {
    if (!busyAsked) {
        busyAsked = true;
        busyReason = AskBusy();
    }
    return busyReason;
}

bool HudHidden() {
    if (!hudAsked) {
        hudAsked = true;
        hudHidden = IS_HUD_HIDDEN();
    }
    return hudHidden;
}

void ResetGameState() {
    paused = false;
    busyAsked = false;
    busyReason = nullptr;
    hudAsked = false;
}
