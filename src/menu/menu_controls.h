#pragma once
// The game's controls that the open menu may share with the player's hand.
// While the menu is open or sliding in, each pass asks the game which hand
// the player used last and disables only the controls bound by default to
// what that hand drives the menu with: on the keyboard the six menu keys in
// effect, whichever keys they are; on a pad the D-pad, A and B, and the
// KEY_GAMEPAD_MENU buttons. So a pad player still flies a plane with the
// stick in the pad's menu, and RB does not pull the handbrake.
//
// Taken from the game's public control list (docs.fivem.net, game-references,
// controls): each control's index, its default keyboard key and its default
// pad button. An axis whose listed key is one of its halves' keys (MOVE_LR,
// FLY_PITCH_UD...) is bound to both halves' keys, and holds both here. Mouse
// inputs, triggers and sticks are no key nor button of a menu, and a control
// bound to nothing else is left out. So are the controls that act only in a
// screen of their own or for the scripts that ask (the frontend's but its
// pause, the weapon and radio wheels' insides, the replay editor's, the
// creator's, the cursor's, the scripts' own, the axes' halves for scripts)
// and those of vehicles and modes that only the online game has.

#include "platform/platform.h"

#include <cstddef>
#include <cstdint>
#include <iterator>

struct SharedControl {
    std::uint16_t index;  // the control's number, as DISABLE_CONTROL_ACTION takes it
    std::uint16_t button; // its default pad button's XInput bit; 0 for none
    std::uint8_t key;     // its default keyboard key's virtual-key code; 0 for none
    std::uint8_t key2;    // an axis's other key; 0 for none
};

namespace shared_control {

inline constexpr std::uint16_t kUp = XINPUT_GAMEPAD_DPAD_UP, kDown = XINPUT_GAMEPAD_DPAD_DOWN,
                               kLeft = XINPUT_GAMEPAD_DPAD_LEFT, kRight = XINPUT_GAMEPAD_DPAD_RIGHT,
                               kStart = XINPUT_GAMEPAD_START, kBack = XINPUT_GAMEPAD_BACK,
                               kLS = XINPUT_GAMEPAD_LEFT_THUMB, kRS = XINPUT_GAMEPAD_RIGHT_THUMB,
                               kLB = XINPUT_GAMEPAD_LEFT_SHOULDER,
                               kRB = XINPUT_GAMEPAD_RIGHT_SHOULDER, kA = XINPUT_GAMEPAD_A,
                               kB = XINPUT_GAMEPAD_B, kX = XINPUT_GAMEPAD_X, kY = XINPUT_GAMEPAD_Y;

// The keys the list names that are not a letter or a digit.
inline constexpr std::uint8_t kBackspace = 0x08, kTab = 0x09, kEnter = 0x0D, kCapsLock = 0x14,
                              kEsc = 0x1B, kSpace = 0x20, kArrowLeft = 0x25, kArrowUp = 0x26,
                              kArrowRight = 0x27, kArrowDown = 0x28, kInsert = 0x2D, kDelete = 0x2E,
                              kNum4 = 0x64, kNum5 = 0x65, kNum6 = 0x66, kNum7 = 0x67, kNum8 = 0x68,
                              kNum9 = 0x69, kNumPlus = 0x6B, kNumMinus = 0x6D, kF1 = 0x70,
                              kF2 = 0x71, kF3 = 0x72, kF5 = 0x74, kF6 = 0x75, kF7 = 0x76,
                              kF8 = 0x77, kF9 = 0x78, kF10 = 0x79, kLeftShift = 0xA0,
                              kLeftCtrl = 0xA2, kLeftAlt = 0xA4, kEquals = 0xBB, kComma = 0xBC,
                              kMinus = 0xBD, kPeriod = 0xBE, kBackquote = 0xC0, kLeftBracket = 0xDB,
                              kRightBracket = 0xDD;

} // namespace shared_control

// By index, each control once.
// clang-format off
inline constexpr SharedControl kSharedControls[] = {
    {0, shared_control::kBack, 'V', 0},        // NEXT_CAMERA
    {7, shared_control::kRS, 0, 0},            // CINEMATIC_SLOWMO
    {19, shared_control::kDown, shared_control::kLeftAlt, 0}, // CHARACTER_WHEEL
    {20, shared_control::kDown, 'Z', 0},       // MULTIPLAYER_INFO
    {21, shared_control::kA, shared_control::kLeftShift, 0}, // SPRINT
    {22, shared_control::kX, shared_control::kSpace, 0},     // JUMP
    {23, shared_control::kY, 'F', 0},          // ENTER
    {26, shared_control::kRS, 'C', 0},         // LOOK_BEHIND
    {27, shared_control::kUp, shared_control::kArrowUp, 0},  // PHONE
    {28, shared_control::kLS, 0, 0},           // SPECIAL_ABILITY
    {29, shared_control::kRS, 'B', 0},         // SPECIAL_ABILITY_SECONDARY
    {30, 0, 'A', 'D'},                         // MOVE_LR
    {31, 0, 'W', 'S'},                         // MOVE_UD
    {32, 0, 'W', 0},                           // MOVE_UP_ONLY
    {33, 0, 'S', 0},                           // MOVE_DOWN_ONLY
    {34, 0, 'A', 0},                           // MOVE_LEFT_ONLY
    {35, 0, 'D', 0},                           // MOVE_RIGHT_ONLY
    {36, shared_control::kLS, shared_control::kLeftCtrl, 0}, // DUCK
    {37, shared_control::kLB, shared_control::kTab, 0},      // SELECT_WEAPON
    {38, shared_control::kLB, 'E', 0},         // PICKUP
    {39, 0, shared_control::kRightBracket, shared_control::kLeftBracket}, // SNIPER_ZOOM
    {40, 0, shared_control::kRightBracket, 0}, // SNIPER_ZOOM_IN_ONLY
    {41, 0, shared_control::kLeftBracket, 0},  // SNIPER_ZOOM_OUT_ONLY
    {42, shared_control::kUp, shared_control::kRightBracket, 0},  // SNIPER_ZOOM_IN_SECONDARY
    {43, shared_control::kDown, shared_control::kLeftBracket, 0}, // SNIPER_ZOOM_OUT_SECONDARY
    {44, shared_control::kRB, 'Q', 0},         // COVER
    {45, shared_control::kB, 'R', 0},          // RELOAD
    {46, shared_control::kRight, 'E', 0},      // TALK
    {47, shared_control::kLeft, 'G', 0},       // DETONATE
    {48, shared_control::kDown, 'Z', 0},       // HUD_SPECIAL
    {50, shared_control::kRS, 0, 0},           // ACCURATE_AIM
    {51, shared_control::kRight, 'E', 0},      // CONTEXT
    {52, shared_control::kLeft, 'Q', 0},       // CONTEXT_SECONDARY
    {53, shared_control::kY, 0, 0},            // WEAPON_SPECIAL
    {54, shared_control::kRight, 'E', 0},      // WEAPON_SPECIAL_TWO
    {55, shared_control::kRB, shared_control::kSpace, 0},    // DIVE
    {56, shared_control::kY, shared_control::kF9, 0},        // DROP_WEAPON
    {57, shared_control::kB, shared_control::kF10, 0},       // DROP_AMMO
    {58, shared_control::kLeft, 'G', 0},       // THROW_GRENADE
    {59, 0, 'A', 'D'},                         // VEH_MOVE_LR
    {60, 0, shared_control::kLeftShift, shared_control::kLeftCtrl}, // VEH_MOVE_UD
    {61, 0, shared_control::kLeftShift, 0},    // VEH_MOVE_UP_ONLY
    {62, 0, shared_control::kLeftCtrl, 0},     // VEH_MOVE_DOWN_ONLY
    {63, 0, 'A', 0},                           // VEH_MOVE_LEFT_ONLY
    {64, 0, 'D', 0},                           // VEH_MOVE_RIGHT_ONLY
    {68, shared_control::kLB, 0, 0},           // VEH_AIM
    {69, shared_control::kRB, 0, 0},           // VEH_ATTACK
    {70, shared_control::kA, 0, 0},            // VEH_ATTACK2
    {71, 0, 'W', 0},                           // VEH_ACCELERATE
    {72, 0, 'S', 0},                           // VEH_BRAKE
    {73, shared_control::kA, 'X', 0},          // VEH_DUCK
    {74, shared_control::kRight, 'H', 0},      // VEH_HEADLIGHT
    {75, shared_control::kY, 'F', 0},          // VEH_EXIT
    {76, shared_control::kRB, shared_control::kSpace, 0},    // VEH_HANDBRAKE
    {77, 0, 'W', 0},                           // VEH_HOTWIRE_LEFT
    {78, 0, 'S', 0},                           // VEH_HOTWIRE_RIGHT
    {79, shared_control::kRS, 'C', 0},         // VEH_LOOK_BEHIND
    {80, shared_control::kB, 'R', 0},          // VEH_CIN_CAM
    {81, 0, shared_control::kPeriod, 0},       // VEH_NEXT_RADIO
    {82, 0, shared_control::kComma, 0},        // VEH_PREV_RADIO
    {83, 0, shared_control::kEquals, 0},       // VEH_NEXT_RADIO_TRACK
    {84, 0, shared_control::kMinus, 0},        // VEH_PREV_RADIO_TRACK
    {85, shared_control::kLeft, 'Q', 0},       // VEH_RADIO_WHEEL
    {86, shared_control::kLS, 'E', 0},         // VEH_HORN
    {87, 0, 'W', 0},                           // VEH_FLY_THROTTLE_UP
    {88, 0, 'S', 0},                           // VEH_FLY_THROTTLE_DOWN
    {89, shared_control::kLB, 'A', 0},         // VEH_FLY_YAW_LEFT
    {90, shared_control::kRB, 'D', 0},         // VEH_FLY_YAW_RIGHT
    {93, shared_control::kRS, 0, 0},           // VEH_SPECIAL_ABILITY_FRANKLIN
    {96, 0, shared_control::kNumMinus, 0},     // VEH_CINEMATIC_UP_ONLY
    {97, 0, shared_control::kNumPlus, 0},      // VEH_CINEMATIC_DOWN_ONLY
    {99, shared_control::kX, 0, 0},            // VEH_SELECT_NEXT_WEAPON
    {100, 0, shared_control::kLeftBracket, 0}, // VEH_SELECT_PREV_WEAPON
    {101, shared_control::kRight, 'H', 0},     // VEH_ROOF
    {102, shared_control::kRB, shared_control::kSpace, 0},   // VEH_JUMP
    {103, shared_control::kRight, 'E', 0},     // VEH_GRAPPLING_HOOK
    {104, shared_control::kRight, 'H', 0},     // VEH_SHUFFLE
    {107, 0, shared_control::kNum4, shared_control::kNum6}, // VEH_FLY_ROLL_LR
    {108, 0, shared_control::kNum4, 0},        // VEH_FLY_ROLL_LEFT_ONLY
    {109, 0, shared_control::kNum6, 0},        // VEH_FLY_ROLL_RIGHT_ONLY
    {110, 0, shared_control::kNum8, shared_control::kNum5}, // VEH_FLY_PITCH_UD
    {111, 0, shared_control::kNum8, 0},        // VEH_FLY_PITCH_UP_ONLY
    {112, 0, shared_control::kNum5, 0},        // VEH_FLY_PITCH_DOWN_ONLY
    {113, shared_control::kLS, 'G', 0},        // VEH_FLY_UNDERCARRIAGE
    {114, shared_control::kA, 0, 0},           // VEH_FLY_ATTACK
    {115, shared_control::kLeft, 0, 0},        // VEH_FLY_SELECT_NEXT_WEAPON
    {116, 0, shared_control::kLeftBracket, 0}, // VEH_FLY_SELECT_PREV_WEAPON
    {117, shared_control::kLB, shared_control::kNum7, 0},    // VEH_FLY_SELECT_TARGET_LEFT
    {118, shared_control::kRB, shared_control::kNum9, 0},    // VEH_FLY_SELECT_TARGET_RIGHT
    {119, shared_control::kRight, 'E', 0},     // VEH_FLY_VERTICAL_FLIGHT_MODE
    {120, shared_control::kA, 'X', 0},         // VEH_FLY_DUCK
    {121, shared_control::kRS, shared_control::kInsert, 0},  // VEH_FLY_ATTACK_CAMERA
    {123, 0, shared_control::kNum4, shared_control::kNum6}, // VEH_SUB_TURN_LR
    {124, 0, shared_control::kNum4, 0},        // VEH_SUB_TURN_LEFT_ONLY
    {125, 0, shared_control::kNum6, 0},        // VEH_SUB_TURN_RIGHT_ONLY
    {126, 0, shared_control::kNum8, shared_control::kNum5}, // VEH_SUB_PITCH_UD
    {127, 0, shared_control::kNum8, 0},        // VEH_SUB_PITCH_UP_ONLY
    {128, 0, shared_control::kNum5, 0},        // VEH_SUB_PITCH_DOWN_ONLY
    {129, 0, 'W', 0},                          // VEH_SUB_THROTTLE_UP
    {130, 0, 'S', 0},                          // VEH_SUB_THROTTLE_DOWN
    {131, shared_control::kX, shared_control::kLeftShift, 0}, // VEH_SUB_ASCEND
    {132, shared_control::kA, shared_control::kLeftCtrl, 0},  // VEH_SUB_DESCEND
    {133, shared_control::kLB, 'A', 0},        // VEH_SUB_TURN_HARD_LEFT
    {134, shared_control::kRB, 'D', 0},        // VEH_SUB_TURN_HARD_RIGHT
    {136, shared_control::kA, 'W', 0},         // VEH_PUSHBIKE_PEDAL
    {137, shared_control::kA, shared_control::kCapsLock, 0}, // VEH_PUSHBIKE_SPRINT
    {138, 0, 'Q', 0},                          // VEH_PUSHBIKE_FRONT_BRAKE
    {139, 0, 'S', 0},                          // VEH_PUSHBIKE_REAR_BRAKE
    {140, shared_control::kB, 'R', 0},         // MELEE_ATTACK_LIGHT
    {141, shared_control::kA, 'Q', 0},         // MELEE_ATTACK_HEAVY
    {143, shared_control::kX, shared_control::kSpace, 0},    // MELEE_BLOCK
    {144, shared_control::kY, 'F', 0},         // PARACHUTE_DEPLOY
    {145, shared_control::kY, 'F', 0},         // PARACHUTE_DETACH
    {146, 0, 'A', 'D'},                        // PARACHUTE_TURN_LR
    {147, 0, 'A', 0},                          // PARACHUTE_TURN_LEFT_ONLY
    {148, 0, 'D', 0},                          // PARACHUTE_TURN_RIGHT_ONLY
    {149, 0, 'W', 'S'},                        // PARACHUTE_PITCH_UD
    {150, 0, 'W', 0},                          // PARACHUTE_PITCH_UP_ONLY
    {151, 0, 'S', 0},                          // PARACHUTE_PITCH_DOWN_ONLY
    {152, shared_control::kLB, 'Q', 0},        // PARACHUTE_BRAKE_LEFT
    {153, shared_control::kRB, 'E', 0},        // PARACHUTE_BRAKE_RIGHT
    {154, shared_control::kA, 'X', 0},         // PARACHUTE_SMOKE
    {155, 0, shared_control::kLeftShift, 0},   // PARACHUTE_PRECISION_LANDING
    {157, 0, '1', 0},                          // SELECT_WEAPON_UNARMED
    {158, 0, '2', 0},                          // SELECT_WEAPON_MELEE
    {159, 0, '6', 0},                          // SELECT_WEAPON_HANDGUN
    {160, 0, '3', 0},                          // SELECT_WEAPON_SHOTGUN
    {161, 0, '7', 0},                          // SELECT_WEAPON_SMG
    {162, 0, '8', 0},                          // SELECT_WEAPON_AUTO_RIFLE
    {163, 0, '9', 0},                          // SELECT_WEAPON_SNIPER
    {164, 0, '4', 0},                          // SELECT_WEAPON_HEAVY
    {165, 0, '5', 0},                          // SELECT_WEAPON_SPECIAL
    {166, 0, shared_control::kF5, 0},          // SELECT_CHARACTER_MICHAEL
    {167, 0, shared_control::kF6, 0},          // SELECT_CHARACTER_FRANKLIN
    {168, 0, shared_control::kF7, 0},          // SELECT_CHARACTER_TREVOR
    {169, 0, shared_control::kF8, 0},          // SELECT_CHARACTER_MULTIPLAYER
    {170, shared_control::kB, shared_control::kF3, 0},       // SAVE_REPLAY_CLIP
    {171, 0, shared_control::kCapsLock, 0},    // SPECIAL_ABILITY_PC
    {172, shared_control::kUp, shared_control::kArrowUp, 0},       // CELLPHONE_UP
    {173, shared_control::kDown, shared_control::kArrowDown, 0},   // CELLPHONE_DOWN
    {174, shared_control::kLeft, shared_control::kArrowLeft, 0},   // CELLPHONE_LEFT
    {175, shared_control::kRight, shared_control::kArrowRight, 0}, // CELLPHONE_RIGHT
    {176, shared_control::kA, shared_control::kEnter, 0},          // CELLPHONE_SELECT
    {177, shared_control::kB, shared_control::kBackspace, shared_control::kEsc}, // CELLPHONE_CANCEL
    {178, shared_control::kY, shared_control::kDelete, 0},   // CELLPHONE_OPTION
    {179, shared_control::kX, shared_control::kSpace, 0},    // CELLPHONE_EXTRA_OPTION
    {182, 0, 'L', 0},                          // CELLPHONE_CAMERA_FOCUS_LOCK
    {183, shared_control::kRB, 'G', 0},        // CELLPHONE_CAMERA_GRID
    {184, shared_control::kRS, 'E', 0},        // CELLPHONE_CAMERA_SELFIE
    {185, shared_control::kLB, 'F', 0},        // CELLPHONE_CAMERA_DOF
    {186, shared_control::kLS, 'X', 0},        // CELLPHONE_CAMERA_EXPRESSION
    {199, shared_control::kStart, 'P', 0},     // FRONTEND_PAUSE
    {200, 0, shared_control::kEsc, 0},         // FRONTEND_PAUSE_ALTERNATE
    {243, 0, shared_control::kBackquote, 0},   // ENTER_CHEAT_CODE
    {258, shared_control::kA, 0, 0},           // RAPPEL_JUMP
    {259, shared_control::kX, 0, 0},           // RAPPEL_LONG_JUMP
    {261, shared_control::kLeft, 0, 0},        // PREV_WEAPON
    {262, shared_control::kRight, 0, 0},       // NEXT_WEAPON
    {263, shared_control::kB, 'R', 0},         // MELEE_ATTACK1
    {264, shared_control::kA, 'Q', 0},         // MELEE_ATTACK2
    {288, shared_control::kA, shared_control::kF1, 0},       // REPLAY_START_STOP_RECORDING
    {289, shared_control::kX, shared_control::kF2, 0},       // ..._SECONDARY
};
// clang-format on

inline constexpr std::size_t kSharedControlCount = std::size(kSharedControls);
