#pragma once
// The game's controls that its default bindings put on the menu's inputs: the
// keypad's 8, 2, 4, 6, 5 and 0, and the pad's D-pad, A and B. While the menu
// is open or sliding in, each pass disables every one of them, so that moving
// up in the menu does not take the phone out and the keypad does not fly a
// plane. Taken from the game's public control list (the control's index, its
// name there and its default binding; docs.fivem.net, game-references,
// controls). Left out are the controls that act only in a screen of their own
// or for the scripts that ask: the frontend's, the weapon and radio wheels'
// insides, the replay editor's, the creator's, the cursor's, the scripts' own,
// and those of vehicles and modes that only the online game has. Nothing on
// the list is bound by default to keypad 2 or keypad 0.

#include <array>
#include <cstddef>
#include <cstdint>

struct MenuControl {
    std::uint16_t index; // the control's number, as DISABLE_CONTROL_ACTION takes it
    const char* name;
    const char* input; // the menu input it shares
};

// By index, each control once.
inline constexpr MenuControl kMenuControls[] = {
    {19, "INPUT_CHARACTER_WHEEL", "D-pad down"},
    {21, "INPUT_SPRINT", "A"},
    {27, "INPUT_PHONE", "D-pad up"},
    {42, "INPUT_SNIPER_ZOOM_IN_SECONDARY", "D-pad up"},
    {43, "INPUT_SNIPER_ZOOM_OUT_SECONDARY", "D-pad down"},
    {45, "INPUT_RELOAD", "B"},
    {46, "INPUT_TALK", "D-pad right"},
    {47, "INPUT_DETONATE", "D-pad left"},
    {48, "INPUT_HUD_SPECIAL", "D-pad down"},
    {51, "INPUT_CONTEXT", "D-pad right"},
    {52, "INPUT_CONTEXT_SECONDARY", "D-pad left"},
    {54, "INPUT_WEAPON_SPECIAL_TWO", "D-pad right"},
    {57, "INPUT_DROP_AMMO", "B"},
    {58, "INPUT_THROW_GRENADE", "D-pad left"},
    {70, "INPUT_VEH_ATTACK2", "A"},
    {73, "INPUT_VEH_DUCK", "A"},
    {74, "INPUT_VEH_HEADLIGHT", "D-pad right"},
    {80, "INPUT_VEH_CIN_CAM", "B"},
    {85, "INPUT_VEH_RADIO_WHEEL", "D-pad left"},
    {101, "INPUT_VEH_ROOF", "D-pad right"},
    {104, "INPUT_VEH_SHUFFLE", "D-pad right"},
    {107, "INPUT_VEH_FLY_ROLL_LR", "Numpad 6"},
    {108, "INPUT_VEH_FLY_ROLL_LEFT_ONLY", "Numpad 4"},
    {109, "INPUT_VEH_FLY_ROLL_RIGHT_ONLY", "Numpad 6"},
    {110, "INPUT_VEH_FLY_PITCH_UD", "Numpad 5"},
    {111, "INPUT_VEH_FLY_PITCH_UP_ONLY", "Numpad 8"},
    {112, "INPUT_VEH_FLY_PITCH_DOWN_ONLY", "Numpad 5"},
    {114, "INPUT_VEH_FLY_ATTACK", "A"},
    {115, "INPUT_VEH_FLY_SELECT_NEXT_WEAPON", "D-pad left"},
    {119, "INPUT_VEH_FLY_VERTICAL_FLIGHT_MODE", "D-pad right"},
    {120, "INPUT_VEH_FLY_DUCK", "A"},
    {123, "INPUT_VEH_SUB_TURN_LR", "Numpad 6"},
    {124, "INPUT_VEH_SUB_TURN_LEFT_ONLY", "Numpad 4"},
    {125, "INPUT_VEH_SUB_TURN_RIGHT_ONLY", "Numpad 6"},
    {126, "INPUT_VEH_SUB_PITCH_UD", "Numpad 5"},
    {127, "INPUT_VEH_SUB_PITCH_UP_ONLY", "Numpad 8"},
    {128, "INPUT_VEH_SUB_PITCH_DOWN_ONLY", "Numpad 5"},
    {132, "INPUT_VEH_SUB_DESCEND", "A"},
    {136, "INPUT_VEH_PUSHBIKE_PEDAL", "A"},
    {137, "INPUT_VEH_PUSHBIKE_SPRINT", "A"},
    {140, "INPUT_MELEE_ATTACK_LIGHT", "B"},
    {141, "INPUT_MELEE_ATTACK_HEAVY", "A"},
    {154, "INPUT_PARACHUTE_SMOKE", "A"},
    {172, "INPUT_CELLPHONE_UP", "D-pad up"},
    {173, "INPUT_CELLPHONE_DOWN", "D-pad down"},
    {174, "INPUT_CELLPHONE_LEFT", "D-pad left"},
    {175, "INPUT_CELLPHONE_RIGHT", "D-pad right"},
    {176, "INPUT_CELLPHONE_SELECT", "A"},
    {177, "INPUT_CELLPHONE_CANCEL", "B"},
    {263, "INPUT_MELEE_ATTACK1", "B"},
    {264, "INPUT_MELEE_ATTACK2", "A"},
};

inline constexpr std::size_t kMenuControlCount = std::size(kMenuControls);

// What a pass walks: the indices alone, so the names and inputs stay out of
// the module.
inline constexpr auto kMenuControlIndices = [] {
    std::array<std::uint16_t, kMenuControlCount> indices{};
    for (std::size_t k = 0; k < kMenuControlCount; ++k) {
        indices[k] = kMenuControls[k].index;
    }
    return indices;
}();
