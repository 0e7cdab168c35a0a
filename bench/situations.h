#pragma once
// The situations a frame of the module can be in, reached over the bare
// stand-ins the way a player reaches them: keys, a car, the clock. The
// benchmark, the callgrind runs and the allocation test share them.

#include <cstdint>

namespace bare {

enum class Situation : std::int32_t {
    IdleOnFoot,
    IdleInCar,
    FirstRunNotice,
    MenuStill,
    MenuStillPadMenu,
    MenuSliding,
    SpoolUp,
    BoostingWithFlames,
    Recharging,
    // The pause menu up in the middle of a boost: the module holds still.
    Paused,
    // The Keys page's "Boost" row waiting for a key: every key is scanned.
    KeyWait,
};

inline constexpr Situation kSituations[] = {
    Situation::IdleOnFoot,       Situation::IdleInCar,
    Situation::FirstRunNotice,   Situation::MenuStill,
    Situation::MenuStillPadMenu, Situation::MenuSliding,
    Situation::SpoolUp,          Situation::BoostingWithFlames,
    Situation::Recharging,       Situation::Paused,
    Situation::KeyWait,
};

// A name without blanks, for benchmark names and command lines.
const char* SituationName(Situation situation);
// False when no situation has that name.
bool SituationFromName(const char* name, Situation& situation);

// What ScriptMain does before its loop: settings, pad, the menu's rows.
void StartModule();

// From wherever the module is to the steady state of the situation, through
// the passes a player's keys would drive. The clock stands still afterwards.
void EnterSituation(Situation situation);

// Before every pass: the one or two stores that keep a situation that moves
// on by itself (the slide, the recharge count) where it is.
void HoldSituation(Situation situation);

} // namespace bare
