#include "sim/native_table.h"

#include "sim/game.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <string>

namespace sim {

float NativeArgs::F(std::size_t k) const {
    return std::bit_cast<float>(static_cast<std::uint32_t>(raw[k]));
}
void NativeResult::Float(float v) { slots[0] = std::bit_cast<std::uint32_t>(v); }
void NativeResult::Vector(Vec3 v) {
    slots[0] = std::bit_cast<std::uint32_t>(v.x);
    slots[1] = std::bit_cast<std::uint32_t>(v.y);
    slots[2] = std::bit_cast<std::uint32_t>(v.z);
}

namespace {

// Bone indices the simulated models use for their exhausts: "exhaust" is 20,
// "exhaust_N" is 20 + N - 1, when the model has that many exhaust bones.
constexpr std::int32_t kExhaustBoneBase = 20;

std::int32_t BoneIndex(const Vehicle& v, const std::string& name) {
    if (name == "exhaust") {
        return v.exhaustBones >= 1 ? kExhaustBoneBase : -1;
    }
    if (name.rfind("exhaust_", 0) == 0) {
        int n = std::atoi(name.c_str() + 8);
        if (n >= 2 && n <= v.exhaustBones) {
            return kExhaustBoneBase + n - 1;
        }
    }
    return -1;
}

Vec3 BonePosition(const Vehicle& v, std::int32_t bone) {
    if (bone < kExhaustBoneBase || bone >= kExhaustBoneBase + v.exhaustBones) {
        return v.position; // the game answers the entity's origin for a bone it lacks
    }
    // Exhausts sit 2.2 m behind the origin, spread 0.3 m apart across the back.
    const float rad = v.heading * 3.14159265f / 180.0f;
    const float back = -2.2f;
    const float side = 0.3f * static_cast<float>(bone - kExhaustBoneBase) - 0.15f;
    return {v.position.x - std::sin(rad) * back + std::cos(rad) * side,
            v.position.y + std::cos(rad) * back + std::sin(rad) * side, v.position.z + 0.4f};
}

void BeginText(Game& g, const char* label, bool notification) {
    g.world.textEntry = label;
    g.world.notificationEntry = notification;
    g.world.textComponents.clear();
}

std::string TakeText(Game& g, bool notification, const char* what) {
    World& w = g.world;
    if (w.textEntry != "STRING" || w.notificationEntry != notification) {
        Fault(std::string(what) + " without a matching text entry \"STRING\"");
    }
    std::string text;
    for (const auto& part : w.textComponents) {
        text += part;
    }
    w.textEntry.clear();
    w.textComponents.clear();
    return text;
}

const std::vector<NativeEntry> kNatives = {
    // Player and vehicle.
    {0xD80958FC74E988A6, "PLAYER_PED_ID", "", "i",
     [](Game& g, const NativeArgs&, NativeResult& r) { r.Int(g.world.playerPed); }},
    {0x6094AD011A2EA87D, "GET_VEHICLE_PED_IS_USING", "i", "i",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         r.Int(a.I(0) == g.world.playerPed ? g.world.playerVehicle : 0);
     }},
    // The game's states.
    {0xB0034A223497FFCB, "IS_PAUSE_MENU_ACTIVE", "", "b",
     [](Game& g, const NativeArgs&, NativeResult& r) { r.Flag(g.world.paused); }},
    {0xD9D2CFFF49FAB35F, "IS_PLAYER_SWITCH_IN_PROGRESS", "", "b",
     [](Game& g, const NativeArgs&, NativeResult& r) { r.Flag(g.world.playerSwitch); }},
    {0xD3C2E180A40F031E, "IS_CUTSCENE_PLAYING", "", "b",
     [](Game& g, const NativeArgs&, NativeResult& r) { r.Flag(g.world.cutscene); }},
    {0xB16FCE9DDC7BA182, "IS_SCREEN_FADED_OUT", "", "b",
     [](Game& g, const NativeArgs&, NativeResult& r) { r.Flag(g.world.fadedOut); }},
    // The player's profile: 300 is the sound-effects level; the simulated
    // game keeps no other setting.
    {0xC488FF2356EA7791, "GET_PROFILE_SETTING", "i", "i",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         if (a.I(0) != 300) {
             Fault("GET_PROFILE_SETTING: a setting the simulated game does not keep");
         }
         r.Int(g.world.sfxLevel);
     }},
    {0x2BDD44CC428A7EAE, "GET_CURRENT_LANGUAGE", "", "i",
     [](Game& g, const NativeArgs&, NativeResult& r) { r.Int(g.world.language); }},
    {0x4F8644AF03D0E0D6, "PLAYER_ID", "", "i",
     [](Game& g, const NativeArgs&, NativeResult& r) { r.Int(g.world.playerId); }},
    {0x5E9564D8246B909A, "IS_PLAYER_PLAYING", "i", "b",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         if (a.I(0) != g.world.playerId) {
             Fault("IS_PLAYER_PLAYING: not the player's index");
         }
         r.Flag(!g.world.dead && !g.world.arrested);
     }},
    {0x49C32D60007AFA47, "IS_PLAYER_CONTROL_ON", "i", "b",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         if (a.I(0) != g.world.playerId) {
             Fault("IS_PLAYER_CONTROL_ON: not the player's index");
         }
         r.Flag(!g.world.controlOff);
     }},
    {0xA3EE4A07279BB9DB, "IS_PED_IN_VEHICLE", "iib", "b",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         r.Flag(a.I(0) == g.world.playerPed && a.I(1) != 0 && a.I(1) == g.world.playerVehicle);
     }},
    {0x4C241E39B23DF959, "IS_VEHICLE_DRIVEABLE", "ib", "b",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         const Vehicle* v = g.world.Find(a.I(0));
         r.Flag(v != nullptr && v->driveable);
     }},
    {0x3B988190C0AA6C0B, "SET_VEHICLE_RADIO_ENABLED", "ib", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         if (Vehicle* v = g.world.Find(a.I(0))) {
             v->radioEnabled = a.B(1);
         }
     }},
    {0xD5037BA82E12416F, "GET_ENTITY_SPEED", "i", "f",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         const Vehicle* v = g.world.Find(a.I(0));
         r.Float(g.speedAnswer ? *g.speedAnswer : v != nullptr ? std::fabs(v->speed) : 0.0f);
     }},
    {0xAB54A438726D25D5, "SET_VEHICLE_FORWARD_SPEED", "if", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         if (Vehicle* v = g.world.Find(a.I(0))) {
             v->speed = a.F(1);
         }
     }},
    {0x93A3996368C94158, "_SET_VEHICLE_ENGINE_POWER_MULTIPLIER", "if", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         if (Vehicle* v = g.world.Find(a.I(0))) {
             v->enginePowerMultiplier = a.F(1);
         }
     }},
    {0x9F47B058362C84B5, "GET_ENTITY_MODEL", "i", "i",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         const Vehicle* v = g.world.Find(a.I(0));
         r.Int(static_cast<std::int32_t>(v != nullptr ? v->model : 0u));
     }},
    {0xA0948AB42D7BA0DE, "IS_THIS_MODEL_A_PLANE", "i", "b",
     [](Game&, const NativeArgs& a, NativeResult& r) {
         r.Flag(static_cast<std::uint32_t>(a.I(0)) == ModelOf(VehicleClass::Plane));
     }},
    {0x45A9187928F4B9E3, "IS_THIS_MODEL_A_BOAT", "i", "b",
     [](Game&, const NativeArgs& a, NativeResult& r) {
         r.Flag(static_cast<std::uint32_t>(a.I(0)) == ModelOf(VehicleClass::Boat));
     }},
    {0xDCE4334788AF94EA, "IS_THIS_MODEL_A_HELI", "i", "b",
     [](Game&, const NativeArgs& a, NativeResult& r) {
         r.Flag(static_cast<std::uint32_t>(a.I(0)) == ModelOf(VehicleClass::Heli));
     }},
    {0xB104CD1BABF302E2, "IS_VEHICLE_ON_ALL_WHEELS", "i", "b",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         const Vehicle* v = g.world.Find(a.I(0));
         r.Flag(v != nullptr && v->onAllWheels);
     }},
    {0x49733E92263139D1, "SET_VEHICLE_ON_GROUND_PROPERLY", "i", "b",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         Vehicle* v = g.world.Find(a.I(0));
         if (v != nullptr) {
             ++v->groundSettles;
             v->onAllWheels = true;
         }
         r.Flag(v != nullptr);
     }},
    {0x8BAD02F0368D9E14, "HAS_ENTITY_COLLIDED_WITH_ANYTHING", "i", "b",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         const Vehicle* v = g.world.Find(a.I(0));
         r.Flag(v != nullptr && v->collidedRecently);
     }},
    {0xE83D4F9BA2A38914, "GET_ENTITY_HEADING", "i", "f",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         const Vehicle* v = g.world.Find(a.I(0));
         r.Float(v != nullptr ? v->heading : 0.0f);
     }},
    {0xD45DC2893621E1FE, "GET_ENTITY_PITCH", "i", "f",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         const Vehicle* v = g.world.Find(a.I(0));
         r.Float(v != nullptr ? v->pitch : 0.0f);
     }},
    {0xFB71170B7E76ACBA, "_GET_ENTITY_BONE_INDEX", "is", "i",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         const Vehicle* v = g.world.Find(a.I(0));
         r.Int(v != nullptr ? BoneIndex(*v, a.S(1)) : -1);
     }},
    {0x44A8FCB8ED227738, "GET_WORLD_POSITION_OF_ENTITY_BONE", "ii", "fff",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         const Vehicle* v = g.world.Find(a.I(0));
         r.Vector(v != nullptr ? BonePosition(*v, a.I(1)) : Vec3{});
     }},

    // World time, screen effects and camera.
    {0x1D408577D440E81E, "SET_TIME_SCALE", "f", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         g.world.timeScale = a.F(0);
         g.world.timeScaleChanges.push_back({g.frame, g.tick, a.F(0)});
     }},
    {0x36AD3E690DA5ACEB, "_GET_SCREEN_EFFECT_IS_ACTIVE", "s", "b",
     [](Game& g, const NativeArgs& a, NativeResult& r) { r.Flag(g.world.EffectActive(a.S(0))); }},
    {0x2206BF9A37B7F724, "_START_SCREEN_EFFECT", "sib", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         ScreenEffect& e = g.world.screenEffects[a.S(0)];
         e.active = true;
         e.startTick = g.tick;
         auto length = g.world.effectLengthMs.find(a.S(0));
         e.lengthMs = a.I(1) > 0                               ? static_cast<std::uint32_t>(a.I(1))
                      : length != g.world.effectLengthMs.end() ? length->second
                                                               : g.world.defaultEffectLengthMs;
         ++e.starts;
     }},
    {0x068E835A1D0DC0E3, "_STOP_SCREEN_EFFECT", "s", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         ScreenEffect& e = g.world.screenEffects[a.S(0)];
         e.active = false;
         ++e.stops;
     }},
    {0xFD55E49555E017CF, "SHAKE_GAMEPLAY_CAM", "sf", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         g.world.cameraShakes.push_back({g.frame, a.S(0), a.F(1)});
     }},

    // Particle effects.
    {0x8702416E512EC454, "HAS_NAMED_PTFX_ASSET_LOADED", "s", "b",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         r.Flag(g.world.ptfxLoaded.count(a.S(0)) != 0);
     }},
    {0xB80D8756B4668AB6, "REQUEST_NAMED_PTFX_ASSET", "s", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         g.world.ptfxRequestedFrame.try_emplace(a.S(0), g.frame);
     }},
    {0x6C38AF3693A69A91, "_SET_PTFX_ASSET_NEXT_CALL", "s", "",
     [](Game& g, const NativeArgs& a, NativeResult&) { g.world.ptfxNextCallAsset = a.S(0); }},
    {0x74AFEF0D2E1E409B, "DOES_PARTICLE_FX_LOOPED_EXIST", "i", "b",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         r.Flag(g.world.loopedParticleFx.count(a.I(0)) != 0);
     }},
    {0x25129531F77B9ED3, "START_PARTICLE_FX_NON_LOOPED_AT_COORD", "sfffffffbbb", "b",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         World& w = g.world;
         ParticleStart p;
         p.frame = g.frame;
         p.asset = w.ptfxNextCallAsset;
         p.effect = a.S(0);
         p.x = a.F(1);
         p.y = a.F(2);
         p.z = a.F(3);
         p.rotX = a.F(4);
         p.rotY = a.F(5);
         p.rotZ = a.F(6);
         p.scale = a.F(7);
         // A one-shot start answers success only when its asset is in memory.
         p.result = (!p.asset.empty() && w.ptfxLoaded.count(p.asset) != 0) ? 1 : 0;
         if (!w.particleStartAnswers.empty()) {
             std::size_t earlier = 0;
             for (auto it = w.particleStarts.rbegin();
                  it != w.particleStarts.rend() && it->frame == g.frame; ++it) {
                 ++earlier;
             }
             p.result =
                 w.particleStartAnswers[std::min(earlier, w.particleStartAnswers.size() - 1)];
         }
         w.ptfxNextCallAsset.clear();
         w.particleStarts.push_back(p);
         r.Int(p.result);
     }},

    // Drawing.
    {0xA86478C6958735C5, "IS_HUD_HIDDEN", "", "b",
     [](Game& g, const NativeArgs&, NativeResult& r) { r.Flag(g.world.hudHidden); }},
    // True asks for the physical screen's shape, which the simulated game
    // does not keep apart from the one it renders.
    {0xF1307EF624A80D87, "GET_ASPECT_RATIO", "b", "f",
     [](Game& g, const NativeArgs& a, NativeResult& r) {
         if (a.B(0)) {
             Fault("GET_ASPECT_RATIO(true): the physical screen's, not the one the game draws on");
         }
         r.Float(g.world.aspectRatio);
     }},
    {0xBAF107B6BB2C97F0, "GET_SAFE_ZONE_SIZE", "", "f",
     [](Game& g, const NativeArgs&, NativeResult& r) { r.Float(g.world.safeZone); }},
    {0x3A618A217E5154F0, "DRAW_RECT", "ffffiiii", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         DrawItem item;
         item.kind = DrawItem::Rect;
         item.rect = {a.F(0), a.F(1), a.F(2), a.F(3), a.I(4), a.I(5), a.I(6), a.I(7)};
         g.world.drawLists[g.frame].push_back(item);
     }},
    {0x66E0276CC5F6B9DA, "SET_TEXT_FONT", "i", "",
     [](Game& g, const NativeArgs& a, NativeResult&) { g.world.pendingStyle.font = a.I(0); }},
    {0x07C837F9A01C34C9, "SET_TEXT_SCALE", "ff", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         g.world.pendingStyle.scaleX = a.F(0);
         g.world.pendingStyle.scaleY = a.F(1);
     }},
    {0x465C84BC39F1C351, "SET_TEXT_DROPSHADOW", "iiiii", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         for (std::size_t k = 0; k < 5; ++k) {
             g.world.pendingStyle.dropShadow[k] = a.I(k);
         }
         g.world.pendingStyle.dropShadowSet = true;
     }},
    {0xBE6B23FFA53FB442, "SET_TEXT_COLOUR", "iiii", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         for (std::size_t k = 0; k < 4; ++k) {
             g.world.pendingStyle.colour[k] = a.I(k);
         }
     }},
    {0x63145D9C883A1A70, "SET_TEXT_WRAP", "ff", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         g.world.pendingStyle.wrapStart = a.F(0);
         g.world.pendingStyle.wrapEnd = a.F(1);
     }},
    {0xC02F4DBFB51D988B, "SET_TEXT_CENTRE", "b", "",
     [](Game& g, const NativeArgs& a, NativeResult&) { g.world.pendingStyle.centre = a.B(0); }},
    {0x2513DFB0FB8400FE, "SET_TEXT_OUTLINE", "", "",
     [](Game& g, const NativeArgs&, NativeResult&) { g.world.pendingStyle.outline = true; }},
    {0x441603240D202FA6, "SET_TEXT_EDGE", "iiiii", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         for (std::size_t k = 0; k < 5; ++k) {
             g.world.pendingStyle.edge[k] = a.I(k);
         }
         g.world.pendingStyle.edgeSet = true;
     }},
    {0x25FBB336DF1804CB, "_SET_TEXT_ENTRY", "s", "",
     [](Game& g, const NativeArgs& a, NativeResult&) { BeginText(g, a.S(0), false); }},
    {0x6C188BE134E074AA, "_ADD_TEXT_COMPONENT_STRING", "s", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         if (g.world.textEntry.empty()) {
             Fault("_ADD_TEXT_COMPONENT_STRING outside a text entry");
         }
         g.world.textComponents.emplace_back(a.S(0));
     }},
    {0xCD015E5BB0D96A57, "_DRAW_TEXT", "ff", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         DrawItem item;
         item.kind = DrawItem::Text;
         item.text.x = a.F(0);
         item.text.y = a.F(1);
         item.text.text = TakeText(g, false, "_DRAW_TEXT");
         item.text.style = g.world.pendingStyle;
         g.world.pendingStyle = TextStyle{};
         g.world.drawLists[g.frame].push_back(item);
     }},

    // Notification feed.
    {0x202709F4C58A0424, "_SET_NOTIFICATION_TEXT_ENTRY", "s", "",
     [](Game& g, const NativeArgs& a, NativeResult&) { BeginText(g, a.S(0), true); }},
    {0x2ED7843F8F801023, "_DRAW_NOTIFICATION", "bb", "i",
     [](Game& g, const NativeArgs&, NativeResult& r) {
         FeedItem item;
         item.handle = g.world.nextFeedHandle++;
         item.text = TakeText(g, true, "_DRAW_NOTIFICATION");
         item.style = g.world.pendingStyle;
         item.postedFrame = g.frame;
         g.world.pendingStyle = TextStyle{};
         g.world.feed.push_back(item);
         r.Int(item.handle);
     }},
    {0xBE4390CB40B3E627, "_REMOVE_NOTIFICATION", "i", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         for (FeedItem& item : g.world.feed) {
             if (item.handle == a.I(0) && !item.removed) {
                 item.removed = true;
                 item.removedFrame = g.frame;
             }
         }
     }},

    // Controls.
    {0xFE99B66D079CF6BC, "DISABLE_CONTROL_ACTION", "iib", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         if (a.I(0) != 0 || a.I(1) < 0 || a.I(1) > kLastControl) {
             Fault("DISABLE_CONTROL_ACTION of control type " + std::to_string(a.I(0)) +
                   ", control " + std::to_string(a.I(1)) + ": not the player's");
             return;
         }
         g.world.disabledControls.insert(a.I(1));
     }},
    {0x5F4B6931816E599B, "DISABLE_ALL_CONTROL_ACTIONS", "i", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         if (a.I(0) != 0) {
             Fault("DISABLE_ALL_CONTROL_ACTIONS of control type " + std::to_string(a.I(0)) +
                   ": not the player's");
             return;
         }
         g.world.allControlsDisabled = true;
     }},
    {0xA571D46727E2B718, "IS_USING_KEYBOARD_AND_MOUSE", "i", "b",
     [](Game& g, const NativeArgs&, NativeResult& r) { r.Flag(g.input.usingKeyboard); }},

    // Frontend sound.
    {0x67C540AA08E4A6F5, "PLAY_SOUND_FRONTEND", "issb", "",
     [](Game& g, const NativeArgs& a, NativeResult&) {
         g.world.frontendSounds.push_back({g.frame, a.I(0), a.S(1), a.S(2)});
     }},
};

} // namespace

std::span<const NativeEntry> AllNatives() { return kNatives; }

const NativeEntry* FindNative(std::uint64_t hash) {
    for (const NativeEntry& entry : kNatives) {
        if (entry.hash == hash) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace sim
