#pragma once
// Every game native the module calls, declared once by its public name,
// hash and signature. Handles and whole numbers are 32-bit, flags are bool,
// texts are NUL-terminated strings that must outlive the call.
// The public names keep the game's spelling, leading underscores included.

#include "game/native_call.h"

namespace native {

// The leading underscores are the names the game's modders know these by.
// NOLINTBEGIN(bugprone-reserved-identifier)

// Player and vehicle.
inline constexpr Native<0xD80958FC74E988A6, Ped()> PLAYER_PED_ID{};
inline constexpr Native<0x6094AD011A2EA87D, Vehicle(Ped)> GET_VEHICLE_PED_IS_USING{};
inline constexpr Native<0xA3EE4A07279BB9DB, bool(Ped, Vehicle, bool)> IS_PED_IN_VEHICLE{};
inline constexpr Native<0x4C241E39B23DF959, bool(Vehicle, bool)> IS_VEHICLE_DRIVEABLE{};
inline constexpr Native<0x3B988190C0AA6C0B, void(Vehicle, bool)> SET_VEHICLE_RADIO_ENABLED{};
inline constexpr Native<0xD5037BA82E12416F, float(Entity)> GET_ENTITY_SPEED{};
inline constexpr Native<0xAB54A438726D25D5, void(Vehicle, float)> SET_VEHICLE_FORWARD_SPEED{};
inline constexpr Native<0x93A3996368C94158, void(Vehicle, float)>
    _SET_VEHICLE_ENGINE_POWER_MULTIPLIER{};
inline constexpr Native<0x9F47B058362C84B5, Hash(Entity)> GET_ENTITY_MODEL{};
inline constexpr Native<0xA0948AB42D7BA0DE, bool(Hash)> IS_THIS_MODEL_A_PLANE{};
inline constexpr Native<0x45A9187928F4B9E3, bool(Hash)> IS_THIS_MODEL_A_BOAT{};
inline constexpr Native<0xDCE4334788AF94EA, bool(Hash)> IS_THIS_MODEL_A_HELI{};
inline constexpr Native<0xB104CD1BABF302E2, bool(Vehicle)> IS_VEHICLE_ON_ALL_WHEELS{};
// The game answers a flag here; the module does not read it.
inline constexpr Native<0x49733E92263139D1, void(Vehicle)> SET_VEHICLE_ON_GROUND_PROPERLY{};
inline constexpr Native<0x8BAD02F0368D9E14, bool(Entity)> HAS_ENTITY_COLLIDED_WITH_ANYTHING{};
inline constexpr Native<0xE83D4F9BA2A38914, float(Entity)> GET_ENTITY_HEADING{};
inline constexpr Native<0xD45DC2893621E1FE, float(Entity)> GET_ENTITY_PITCH{};
inline constexpr Native<0xFB71170B7E76ACBA, std::int32_t(Entity, const char*)>
    _GET_ENTITY_BONE_INDEX{};
inline constexpr Native<0x44A8FCB8ED227738, Vector3(Entity, std::int32_t)>
    GET_WORLD_POSITION_OF_ENTITY_BONE{};

// The game's own states: its pause menu, and whatever takes the player's
// vehicle out of the player's hands (a character switch, a cutscene, a fade,
// death or arrest, a scripted scene).
inline constexpr Native<0xB0034A223497FFCB, bool()> IS_PAUSE_MENU_ACTIVE{};
inline constexpr Native<0xD9D2CFFF49FAB35F, bool()> IS_PLAYER_SWITCH_IN_PROGRESS{};
inline constexpr Native<0xD3C2E180A40F031E, bool()> IS_CUTSCENE_PLAYING{};
inline constexpr Native<0xB16FCE9DDC7BA182, bool()> IS_SCREEN_FADED_OUT{};
inline constexpr Native<0x4F8644AF03D0E0D6, std::int32_t()> PLAYER_ID{};
inline constexpr Native<0x5E9564D8246B909A, bool(std::int32_t)> IS_PLAYER_PLAYING{};
inline constexpr Native<0x49C32D60007AFA47, bool(std::int32_t)> IS_PLAYER_CONTROL_ON{};

// The language the player set in the game's settings, 0 to 12.
inline constexpr Native<0x2BDD44CC428A7EAE, std::int32_t()> GET_CURRENT_LANGUAGE{};

// World time, screen effects and camera.
inline constexpr Native<0x1D408577D440E81E, void(float)> SET_TIME_SCALE{};
inline constexpr Native<0x36AD3E690DA5ACEB, bool(const char*)> _GET_SCREEN_EFFECT_IS_ACTIVE{};
inline constexpr Native<0x2206BF9A37B7F724, void(const char*, std::int32_t, bool)>
    _START_SCREEN_EFFECT{};
inline constexpr Native<0x068E835A1D0DC0E3, void(const char*)> _STOP_SCREEN_EFFECT{};
inline constexpr Native<0xFD55E49555E017CF, void(const char*, float)> SHAKE_GAMEPLAY_CAM{};

// Particle effects.
inline constexpr Native<0x8702416E512EC454, bool(const char*)> HAS_NAMED_PTFX_ASSET_LOADED{};
inline constexpr Native<0xB80D8756B4668AB6, void(const char*)> REQUEST_NAMED_PTFX_ASSET{};
inline constexpr Native<0x6C38AF3693A69A91, void(const char*)> _SET_PTFX_ASSET_NEXT_CALL{};
inline constexpr Native<0x74AFEF0D2E1E409B, bool(std::int32_t)> DOES_PARTICLE_FX_LOOPED_EXIST{};
inline constexpr Native<0x25129531F77B9ED3, std::int32_t(const char*, float, float, float, float,
                                                         float, float, float, bool, bool, bool)>
    START_PARTICLE_FX_NON_LOOPED_AT_COORD{};

// Drawing. The player may hide the game's HUD (for pictures, or a film).
inline constexpr Native<0xA86478C6958735C5, bool()> IS_HUD_HIDDEN{};
// The screen the game draws on: its width over its height (false: as the
// game renders it, all three screens of a row of three), and the player's
// safe zone, 1.0 at its largest.
inline constexpr Native<0xF1307EF624A80D87, float(bool)> GET_ASPECT_RATIO{};
inline constexpr Native<0xBAF107B6BB2C97F0, float()> GET_SAFE_ZONE_SIZE{};
inline constexpr Native<0x3A618A217E5154F0, void(float, float, float, float, std::int32_t,
                                                 std::int32_t, std::int32_t, std::int32_t)>
    DRAW_RECT{};
inline constexpr Native<0x66E0276CC5F6B9DA, void(std::int32_t)> SET_TEXT_FONT{};
inline constexpr Native<0x07C837F9A01C34C9, void(float, float)> SET_TEXT_SCALE{};
inline constexpr Native<0x465C84BC39F1C351,
                        void(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t)>
    SET_TEXT_DROPSHADOW{};
inline constexpr Native<0xBE6B23FFA53FB442,
                        void(std::int32_t, std::int32_t, std::int32_t, std::int32_t)>
    SET_TEXT_COLOUR{};
inline constexpr Native<0x63145D9C883A1A70, void(float, float)> SET_TEXT_WRAP{};
inline constexpr Native<0xC02F4DBFB51D988B, void(bool)> SET_TEXT_CENTRE{};
inline constexpr Native<0x2513DFB0FB8400FE, void()> SET_TEXT_OUTLINE{};
inline constexpr Native<0x441603240D202FA6,
                        void(std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t)>
    SET_TEXT_EDGE{};
inline constexpr Native<0x25FBB336DF1804CB, void(const char*)> _SET_TEXT_ENTRY{};
inline constexpr Native<0x6C188BE134E074AA, void(const char*)> _ADD_TEXT_COMPONENT_STRING{};
inline constexpr Native<0xCD015E5BB0D96A57, void(float, float)> _DRAW_TEXT{};

// Notification feed.
inline constexpr Native<0x202709F4C58A0424, void(const char*)> _SET_NOTIFICATION_TEXT_ENTRY{};
inline constexpr Native<0x2ED7843F8F801023, std::int32_t(bool, bool)> _DRAW_NOTIFICATION{};
inline constexpr Native<0xBE4390CB40B3E627, void(std::int32_t)> _REMOVE_NOTIFICATION{};

// Controls: type 0 is the player's. Disabling holds for the frame it is
// called in.
inline constexpr Native<0xFE99B66D079CF6BC, void(std::int32_t, std::int32_t, bool)>
    DISABLE_CONTROL_ACTION{};
// Every control of the type, for the frame: while the menu waits for a key,
// the key pressed does nothing in the game, and Esc opens no pause menu.
inline constexpr Native<0x5F4B6931816E599B, void(std::int32_t)> DISABLE_ALL_CONTROL_ACTIONS{};
// True while the player's last input was the keyboard or the mouse, false
// after a pad's. The argument is unused; scripts pass the frontend's type, 2.
inline constexpr Native<0xA571D46727E2B718, bool(std::int32_t)> IS_USING_KEYBOARD_AND_MOUSE{};

// Frontend sound.
inline constexpr Native<0x67C540AA08E4A6F5, void(std::int32_t, const char*, const char*, bool)>
    PLAY_SOUND_FRONTEND{};

// The player's profile: setting 300 is the sound-effects level of the game's
// audio settings, 0 to 10.
inline constexpr Native<0xC488FF2356EA7791, std::int32_t(std::int32_t)> GET_PROFILE_SETTING{};

// NOLINTEND(bugprone-reserved-identifier)

} // namespace native
