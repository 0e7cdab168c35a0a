#include "sim/world.h"

#include "sim/game.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

// A plain road car: 5 m/s^2 of drive at full throttle and normal power, air
// drag that caps it near 55 m/s, and rolling resistance that stops it when
// coasting. The power multiplier adds drive force the way the game's does:
// a little per unit above 1, so that the boost's 100-150 roughly quadruples it.
constexpr float kDriveAcceleration = 5.0f;
constexpr float kDragPerSpeedSquared = kDriveAcceleration / (55.0f * 55.0f);
constexpr float kRollingDeceleration = 0.3f;
constexpr float kPowerGainPerUnit = 0.02f;
// Full brakes stop a car from 100 km/h in about 3 s.
constexpr float kBrakeDeceleration = 8.0f;

float DriveAcceleration(const Vehicle& v) {
    const float power = 1.0f + std::max(0.0f, v.enginePowerMultiplier - 1.0f) * kPowerGainPerUnit;
    return v.throttle * kDriveAcceleration * power;
}

} // namespace

std::uint32_t ModelOf(VehicleClass vehicleClass) {
    switch (vehicleClass) {
    case VehicleClass::Plane:
        return 0x15F27762u;
    case VehicleClass::Boat:
        return 0x107F392Cu;
    case VehicleClass::Heli:
        return 0x2F03547Bu;
    case VehicleClass::Bike:
        return 0xCADD5D2Du;
    case VehicleClass::Car:
        break;
    }
    return 0xB779A091u;
}

std::int32_t World::AddVehicle(VehicleClass vehicleClass, int exhaustBoneCount) {
    Vehicle v;
    v.handle = nextVehicleHandle++;
    v.vehicleClass = vehicleClass;
    v.model = ModelOf(vehicleClass);
    v.exhaustBones = exhaustBoneCount;
    vehicles[v.handle] = v;
    return v.handle;
}

Vehicle* World::Find(std::int32_t handle) {
    auto it = vehicles.find(handle);
    return it == vehicles.end() ? nullptr : &it->second;
}

Vehicle& World::Get(std::int32_t handle) {
    if (Vehicle* v = Find(handle)) {
        return *v;
    }
    Fault("no vehicle with handle " + std::to_string(handle));
    static Vehicle scratch;
    scratch = Vehicle{};
    return scratch;
}

void World::ScheduleCollision(std::int32_t vehicle, std::uint32_t atTick, float speedAfter) {
    collisions.push_back({vehicle, atTick, speedAfter, false});
}

bool World::EffectActive(const std::string& name) const {
    auto it = screenEffects.find(name);
    return it != screenEffects.end() && it->second.active;
}

const std::vector<DrawItem>& World::DrawList(std::uint64_t frame) const {
    static const std::vector<DrawItem> empty;
    auto it = drawLists.find(frame);
    return it == drawLists.end() ? empty : it->second;
}

std::vector<const FeedItem*> World::VisibleFeed() const {
    std::vector<const FeedItem*> out;
    for (const FeedItem& item : feed) {
        if (!item.removed) {
            out.push_back(&item);
        }
    }
    return out;
}

void World::BeginFrame(std::uint64_t frame, std::uint32_t tick) {
    // Text styles and entries do not carry over from one frame to the next,
    // nor do disabled controls.
    disabledControls.clear();
    allControlsDisabled = false;
    pendingStyle = TextStyle{};
    textEntry.clear();
    textComponents.clear();

    for (auto& [name, asset] : ptfxRequestedFrame) {
        if (frame - asset >= ptfxLoadFrames) {
            ptfxLoaded.insert(name);
        }
    }
    for (auto& [name, effect] : screenEffects) {
        if (effect.active && effect.lengthMs > 0 &&
            static_cast<std::uint32_t>(tick - effect.startTick) >= effect.lengthMs) {
            effect.active = false;
        }
    }
}

void World::Advance(std::uint32_t tick, float seconds) {
    for (Collision& c : collisions) {
        if (c.done || static_cast<std::int32_t>(tick - c.atTick) < 0) {
            continue;
        }
        c.done = true;
        if (Vehicle* v = Find(c.vehicle)) {
            v->speed = c.speedAfter;
            v->collidedUntilTick = tick + collisionReportMs;
            v->collidedRecently = true;
        }
    }
    for (auto& [handle, v] : vehicles) {
        if (v.collidedRecently && static_cast<std::int32_t>(tick - v.collidedUntilTick) >= 0) {
            v.collidedRecently = false;
        }
        if (!v.driveable) {
            v.speed = std::max(0.0f, v.speed - 8.0f * seconds);
            continue;
        }
        const bool driven = handle == playerVehicle;
        const float drive = driven ? DriveAcceleration(v) : 0.0f;
        const float braking = driven ? v.brake * kBrakeDeceleration : 0.0f;
        const float resist = kDragPerSpeedSquared * v.speed * v.speed +
                             (v.speed > 0.0f ? kRollingDeceleration + braking : 0.0f);
        v.speed = std::max(0.0f, v.speed + (drive - resist) * seconds);
        const float rad = v.heading * 3.14159265f / 180.0f;
        v.position.x -= std::sin(rad) * v.speed * seconds;
        v.position.y += std::cos(rad) * v.speed * seconds;
    }
}

} // namespace sim
