#pragma once
// The small world the simulated game keeps: the player, vehicles, time scale,
// screen effects, particles, the notification feed and each frame's draw
// list. It answers the natives the module calls and nothing more; it is not a
// physics engine.

#include "sim/types.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sim {

// Bikes are driven like cars; the game tells them apart by model alone.
enum class VehicleClass { Car, Plane, Boat, Heli, Bike };

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

struct Vehicle {
    std::int32_t handle = 0;
    VehicleClass vehicleClass = VehicleClass::Car;
    std::uint32_t model = 0;
    float speed = 0.0f;    // m/s along the heading
    float throttle = 0.0f; // 0..1, applied only while the player drives it
    float brake = 0.0f;    // 0..1, likewise
    float enginePowerMultiplier = 1.0f;
    bool driveable = true;
    bool onAllWheels = true;
    bool radioEnabled = true;
    int exhaustBones = 2; // bones "exhaust", "exhaust_2", ... that the model has
    float heading = 90.0f;
    float pitch = 0.0f;
    float roll = 0.0f;
    bool handbrake = false; // pulled in this frame, by the player
    Vec3 position;
    std::uint32_t collidedUntilTick = 0; // HAS_ENTITY_COLLIDED_WITH_ANYTHING while before this
    bool collidedRecently = false;
    int groundSettles = 0;
};

// A scripted impact: at the tick, the vehicle's speed drops to `speedAfter`
// and it reports a collision for a short while.
struct Collision {
    std::int32_t vehicle = 0;
    std::uint32_t atTick = 0;
    float speedAfter = 0.0f;
    bool done = false;
};

struct ScreenEffect {
    bool active = false;
    std::uint32_t startTick = 0;
    std::uint32_t lengthMs = 0;
    int starts = 0;
    int stops = 0;
};

struct CameraShake {
    std::uint64_t frame = 0;
    std::string name;
    float amplitude = 0.0f;
};

struct TimeScaleChange {
    std::uint64_t frame = 0;
    std::uint32_t tick = 0;
    float scale = 1.0f;
};

struct FrontendSound {
    std::uint64_t frame = 0;
    std::int32_t soundId = 0;
    std::string name;
    std::string soundSet;
};

// The game's controls the simulated game acts on by itself, by their index in
// the game's control list, and the highest index of that list.
inline constexpr int kInputPhone = 27;             // D-pad up: the phone comes out
inline constexpr int kInputVehHandbrake = 76;      // RB or Space: the handbrake
inline constexpr int kInputFlyRollLeftRight = 107; // the left stick's x: a plane rolls
inline constexpr int kInputFlyPitchUpDown = 110;   // the left stick's y: a plane pitches
inline constexpr int kInputFlyPitchUpOnly = 111;   // keypad 8: a plane's nose goes up
inline constexpr int kInputFlyPitchDownOnly = 112; // keypad 5: and down
inline constexpr int kInputCellphoneCancel = 177;  // B: the phone goes away
inline constexpr int kLastControl = 360;
// How fast the keypad, or the stick held fully over, pitches or rolls a
// plane, degrees per frame.
inline constexpr float kPitchPerFrame = 1.0f;

struct World {
    // Player.
    std::int32_t playerPed = 0x101;
    // The game's language as GET_CURRENT_LANGUAGE answers it: 0 English (US)
    // to 12 Chinese (simplified); any other number is a game the module does
    // not know.
    std::int32_t language = 0;
    std::int32_t playerVehicle = 0; // vehicle the player uses, 0 on foot

    // The game's states besides driving. `paused` is the pause menu: the
    // world stands still. The others leave the world moving, as the game's
    // scenes do; dead and arrested both end the player's play.
    std::int32_t playerId = 0;
    bool paused = false;
    bool playerSwitch = false;
    bool cutscene = false;
    bool fadedOut = false;
    bool dead = false;
    bool arrested = false;
    bool controlOff = false;
    bool Busy() const {
        return playerSwitch || cutscene || fadedOut || dead || arrested || controlOff;
    }
    // The player has hidden the game's HUD; the game goes on as before.
    bool hudHidden = false;

    // The player's sound-effects level in the game's pause menu
    // (GET_PROFILE_SETTING 300, 0 to 10; a test may set any answer).
    std::int32_t sfxLevel = 10;

    // The game's screen: its size in pixels, at which the pictures are
    // drawn; what GET_ASPECT_RATIO answers, its width over its height (three
    // screens of a row count as one); and the player's safe zone from the
    // display settings, GET_SAFE_ZONE_SIZE, 1.0 at its largest. A test may
    // set any answer.
    int screenWidth = 1920;
    int screenHeight = 1080;
    float aspectRatio = 16.0f / 9.0f;
    float safeZone = 1.0f;
    void SetScreen(int width, int height) {
        screenWidth = width;
        screenHeight = height;
        aspectRatio = static_cast<float>(width) / static_cast<float>(height);
    }

    // Vehicles by handle.
    std::map<std::int32_t, Vehicle> vehicles;
    std::int32_t nextVehicleHandle = 0x2001;
    std::vector<Collision> collisions;
    std::uint32_t collisionReportMs = 500;

    // Time, effects, particles.
    float timeScale = 1.0f;
    std::vector<TimeScaleChange> timeScaleChanges;
    std::map<std::string, ScreenEffect> screenEffects;
    std::map<std::string, std::uint32_t> effectLengthMs; // natural lengths; default below
    std::uint32_t defaultEffectLengthMs = 1000;
    std::vector<CameraShake> cameraShakes;
    std::set<std::string> ptfxLoaded;
    std::map<std::string, std::uint64_t> ptfxRequestedFrame;
    std::uint64_t ptfxLoadFrames = 2; // frames between request and loaded
    std::string ptfxNextCallAsset;
    std::vector<ParticleStart> particleStarts;
    // While not empty, the n-th one-shot start of a frame answers element n
    // (the last element past the end) instead of whether its asset is loaded.
    std::vector<std::int32_t> particleStartAnswers;
    // Looped effects that other scripts keep running, by handle; the world
    // starts none of its own. DOES_PARTICLE_FX_LOOPED_EXIST answers from it.
    std::set<std::int32_t> loopedParticleFx;

    // Notification feed and frontend sounds.
    std::vector<FeedItem> feed;
    std::int32_t nextFeedHandle = 1;
    std::vector<FrontendSound> frontendSounds;

    // The controls scripts disabled in this frame; the game acts on the
    // others. The phone is out from D-pad up until B puts it away.
    std::set<int> disabledControls;
    bool allControlsDisabled = false; // DISABLE_ALL_CONTROL_ACTIONS this frame
    bool phoneOut = false;

    // Text being composed, and the draw list of each frame.
    TextStyle pendingStyle;
    std::string textEntry; // label given to _SET_TEXT_ENTRY / _SET_NOTIFICATION_TEXT_ENTRY
    bool notificationEntry = false;
    std::vector<std::string> textComponents;
    std::map<std::uint64_t, std::vector<DrawItem>> drawLists;

    // --- Scenario helpers -------------------------------------------------
    std::int32_t AddVehicle(VehicleClass vehicleClass = VehicleClass::Car, int exhaustBones = 2);
    Vehicle* Find(std::int32_t handle);
    Vehicle& Get(std::int32_t handle); // faults (and returns a scratch vehicle) when unknown
    void EnterVehicle(std::int32_t handle) { playerVehicle = handle; }
    void LeaveVehicle() { playerVehicle = 0; }
    void ScheduleCollision(std::int32_t vehicle, std::uint32_t atTick, float speedAfter);
    bool EffectActive(const std::string& name) const;
    bool ControlEnabled(int control) const {
        return !allControlsDisabled && disabledControls.count(control) == 0;
    }
    const std::vector<DrawItem>& DrawList(std::uint64_t frame) const;
    std::vector<const FeedItem*> VisibleFeed() const;

    // --- Per-frame world update (called by the game loop) -----------------
    void BeginFrame(std::uint64_t frame, std::uint32_t tick);
    void Advance(std::uint32_t tick, float seconds); // seconds of game time
};

// Model hashes the world uses for each vehicle class.
std::uint32_t ModelOf(VehicleClass vehicleClass);

} // namespace sim
