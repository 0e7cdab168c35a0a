#pragma once
// The cheapest stand-ins for ScriptHookV's five functions and the Windows
// calls the module makes, over a tiny world of fixed fields: no allocation,
// no recording, no argument checks. What a pass costs against them is the
// module's own cost. The simulated game (sim/) is the faithful stand-in;
// this one only answers.

#include "platform/platform.h"

#include <cstdint>

namespace bare {

struct World {
    std::uint32_t tick = 100000;
    std::int32_t playerPed = 1;
    std::int32_t vehicle = 2;
    bool inVehicle = false;
    float speed = 30.0f;      // m/s, what GET_ENTITY_SPEED answers
    bool keyDown[256] = {};   // by virtual-key code
    bool padConnected = true; // as pad 0
    std::uint16_t padButtons = 0;
    std::int32_t profileMenuKey = 0x10; // KEY_PC_MENU in the INI: Shift, as released
    // The folder GetModuleFileName puts the module in; null, as in the frame
    // benchmark, leaves the module without a file name, so its log writes
    // nothing. The log benchmark names a real folder: the file functions
    // then open, write and close real files there.
    const char* moduleFolder = nullptr;
    std::int32_t profileVolume = 0; // SFX_volume in the INI: none, full level
    bool paused = false;            // the game's pause menu is up
    std::int32_t sfxLevel = 10;     // the game's sound-effects level
    // The WAVE resources 106, 107 and 108; where null, each is a two-frame
    // image. The sound benchmark gives them the real recordings.
    const unsigned char* waves[3] = {};
    std::uint32_t waveSizes[3] = {};
    bool usingKeyboard = true; // the player's last input was a key
};

extern World world;

// Calls since start, for the figures per pass.
extern std::uint64_t nativeCalls;
extern std::uint64_t platformCalls;

} // namespace bare
