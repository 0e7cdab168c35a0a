#include "sim/app/session.h"

#include "menu/menu_controller.h"
#include "menu/menu_item.h"
#include "screen/placement.h"
#include "script/script_main.h"
#include "settings/settings.h"
#include "turbo/boost_tuning.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace simapp {

namespace {

// Feed messages stay in a picture this long after they were posted.
constexpr double kFeedSeconds = 5.0;

const char* SoundName(std::int32_t id) {
    switch (id) {
    case 106:
        return "spool-up and boost, profile 0";
    case 107:
        return "blow-off";
    case 108:
        return "spool-up and boost, profile 1";
    default:
        return "unknown";
    }
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", value);
    return text;
}

} // namespace

PictureContent FrameContent(const sim::Game& game, std::uint64_t frame) {
    PictureContent content;
    content.items = game.world.DrawList(frame);
    content.gameState = GameStateLabel(GameStateOf(game.world));
    content.safeZone = game.world.safeZone;
    for (const sim::FeedItem& item : game.world.feed) {
        if (item.postedFrame > frame || (item.removed && item.removedFrame <= frame)) {
            continue;
        }
        const double age =
            static_cast<double>(frame - item.postedFrame) * game.options.msPerFrame / 1000.0;
        if (age <= kFeedSeconds) {
            content.feed.push_back({item.text, age});
        }
    }
    return content;
}

double Session::Seconds() const {
    return static_cast<double>(g().tick - g().options.startTick) / 1000.0;
}

double Session::NextFrameTime() const {
    return static_cast<double>(g().tick + g().options.msPerFrame - g().options.startTick) / 1000.0;
}

void Session::Begin(const std::string& intro) {
    namespace fs = std::filesystem;
    result_.gameDir = options_.outDir + "/game";
    fs::create_directories(result_.gameDir);
    fs::copy_file(options_.iniPath, result_.gameDir + "/Veloxan.ini",
                  fs::copy_options::overwrite_existing);

    sim::Options simOptions;
    simOptions.fileRoot = result_.gameDir;
    simOptions.msPerFrame = static_cast<std::uint32_t>(std::max(1, 1000 / options_.fps));
    sim::Reset(simOptions);
    sim::Game& game = g();
    game.world.language = options_.language;
    game.input.keyboard = options_.keyboard;
    game.world.SetScreen(options_.screenWidth, options_.screenHeight);
    lastStatusTick_ = game.tick;
    game.onCall = [this](const sim::CallRecord& c) { OnCall(c); };
    game.onFault = [this](const std::string& fault) {
        result_.faults.push_back(fault);
        Say("FAULT: " + fault);
    };
    game.onFrameEnd = nullptr;

    Say(intro + ", game folder " + result_.gameDir);
    DllMain(static_cast<HINSTANCE>(sim::ModuleHandle()), DLL_PROCESS_ATTACH, nullptr);
    sim::StartScript();
}

void Session::Step() {
    sim::Step();
    AfterFrame();
}

RunResult Session::End() {
    sim::StopScript();
    g().onCall = nullptr;
    g().onFault = nullptr;
    return result_;
}

void Session::Say(const std::string& what) {
    const sim::Vehicle* v = PlayerVehicle();
    char head[96];
    std::snprintf(head, sizeof head, "%7.3f s  frame %5llu  %-10s  %6.1f km/h  ", Seconds(),
                  static_cast<unsigned long long>(g().frame), StateName(turboState),
                  v != nullptr ? static_cast<double>(v->speed) * 3.6 : 0.0);
    result_.timeline.push_back(head + what);
    if (!options_.quiet) {
        std::printf("%s\n", result_.timeline.back().c_str());
    }
}

// Which recorded calls make a line of the timeline, and how they read. The
// per-frame ones (engine power, flames, the recharge bar) are summed up by
// the status lines instead.
void Session::OnCall(const sim::CallRecord& c) {
    std::string line;
    if (c.name == "_ADD_TEXT_COMPONENT_STRING" && g().world.notificationEntry) {
        line = "notification: \"" + c.S(0) + "\"";
        AddEvent(EventKind::Message, c.S(0));
    } else if (c.name == "GetPrivateProfileIntA") {
        line = "INI read " + c.S(1);
    } else if (c.name == "WritePrivateProfileStringA") {
        line = "INI write " + c.S(1) + "=" + c.S(2);
    } else if (c.name == "PlaySoundA" && c.I(0) == 0 && (c.I(1) & SND_MEMORY) != 0) {
        line = "sound from the module's copy at SFX_volume starts";
        AddEvent(EventKind::Sound, "copy");
    } else if (c.name == "PlaySoundA" && c.I(0) == 0 && c.I(1) == 0) {
        line = "sound stops";
        AddEvent(EventKind::Sound, "stop");
    } else if (c.name == "PlaySoundA") {
        line = "sound " + std::to_string(c.I(0)) + " (" + SoundName(c.I(0)) + ") starts";
        AddEvent(EventKind::Sound, std::to_string(c.I(0)));
    } else if (c.name == "scriptRegister") {
        line = "module registered its script";
    } else if (c.name == "SET_TIME_SCALE") {
        line = "time scale " + Number(c.F(0));
    } else if (c.name == "_START_SCREEN_EFFECT") {
        line = "screen effect " + c.S(0) + " starts";
    } else if (c.name == "_STOP_SCREEN_EFFECT") {
        line = "screen effect " + c.S(0) + " stops";
    } else if (c.name == "SHAKE_GAMEPLAY_CAM") {
        line = "camera shake " + c.S(0) + ", amplitude " + Number(c.F(1));
    } else if (c.name == "SET_VEHICLE_FORWARD_SPEED" && turboState != TurboState::Boosting) {
        line = "forward speed set to " + Number(c.F(1) * 3.6) + " km/h";
    } else if (c.name == "SET_VEHICLE_ON_GROUND_PROPERLY") {
        line = "vehicle settled on its wheels";
    } else if (c.name == "SET_VEHICLE_RADIO_ENABLED") {
        line = std::string("radio ") + (c.I(1) != 0 ? "on" : "off");
    } else if (c.name == "_SET_VEHICLE_ENGINE_POWER_MULTIPLIER" && c.F(1) == 1.0f) {
        line = "engine power back to normal";
    } else {
        return;
    }
    Say(line);
}

void Session::Execute(const ScenarioLine& line) {
    sim::Game& game = g();
    Say("scenario line " + std::to_string(line.line) + ": " + line.text);
    const std::uint32_t nextTick = game.tick + game.options.msPerFrame;
    const std::uint64_t frames = std::max<std::uint64_t>(
        1, (line.ms + game.options.msPerFrame - 1) / game.options.msPerFrame);
    const bool turboKey = line.key == Settings.KEY_PC;
    // With the pad menu on, the pad trigger with a menu button is the menu's
    // chord, and the D-pad is the menu's own while it is on screen.
    const std::uint16_t padButtons = game.input.pads.at(static_cast<std::size_t>(line.pad)).buttons;
    const auto padHeld = static_cast<std::uint16_t>(line.buttons | padButtons);
    const bool padChord = (line.action == Action::PadPress || line.action == Action::PadHold) &&
                          PadMenuOn() && (padHeld & Settings.KEY_GAMEPAD_MENU) != 0;
    const bool turboButtons = Settings.KEY_GAMEPAD != 0 &&
                              (line.buttons & Settings.KEY_GAMEPAD) != 0 &&
                              (padChord || !(PadMenuOn() && MenuOnScreen()));
    switch (line.action) {
    case Action::Hold:
        game.input.SetKey(line.key, true);
        break;
    case Action::Release:
        game.input.SetKey(line.key, false);
        break;
    case Action::Tap:
        game.input.HoldKeyTicks(line.key, nextTick, line.ms);
        break;
    case Action::PadConnect:
        game.input.ConnectPad(line.pad, true);
        break;
    case Action::PadDisconnect:
        game.input.ConnectPad(line.pad, false);
        break;
    case Action::PadPress:
        game.input.HoldButtonsFrames(line.pad, line.buttons, game.frame + 1, frames);
        break;
    case Action::PadHold:
        game.input.SetButtons(line.pad, padHeld);
        break;
    case Action::PadStick:
        game.input.SetStick(line.pad, line.value, line.value2);
        break;
    case Action::PadRelease:
        // Without buttons named, every button comes up.
        game.input.SetButtons(line.pad, static_cast<std::uint16_t>(
                                            padButtons & (line.buttons != 0 ? ~line.buttons : 0)));
        break;
    case Action::Enter: {
        const int bones = line.vehicleClass == sim::VehicleClass::Bike ? 1 : 2;
        lastVehicle_ = game.world.AddVehicle(line.vehicleClass, bones);
        game.world.Get(lastVehicle_).speed = line.value / 3.6f;
        game.world.EnterVehicle(lastVehicle_);
        break;
    }
    case Action::Leave:
        game.world.LeaveVehicle();
        break;
    case Action::Throttle:
        if (sim::Vehicle* v = ActedOn()) {
            v->throttle = line.value;
        }
        break;
    case Action::Brake:
        if (sim::Vehicle* v = ActedOn()) {
            v->brake = line.value;
        }
        break;
    case Action::Collide:
        if (sim::Vehicle* v = ActedOn()) {
            game.world.ScheduleCollision(v->handle, nextTick,
                                         std::max(0.0f, v->speed - line.value / 3.6f));
        }
        break;
    case Action::Wreck:
        if (sim::Vehicle* v = ActedOn()) {
            v->driveable = false;
        }
        break;
    case Action::Restart:
        sim::RestartScript();
        restartFrame_ = game.frame + 1;
        break;
    case Action::Focus:
        game.input.foreground = line.on;
        break;
    case Action::Pause:
        game.world.paused = line.on;
        break;
    case Action::Busy:
        game.world.*kBusyStateNames[static_cast<std::size_t>(line.busy)].flag = line.on;
        break;
    case Action::Hud:
        game.world.hudHidden = line.on;
        break;
    case Action::GameSfx:
        game.world.sfxLevel = line.level;
        break;
    case Action::Language:
        game.world.language = line.number;
        break;
    case Action::Keyboard:
        game.input.keyboard = line.keyboard;
        break;
    case Action::Screen:
        game.world.SetScreen(line.width, line.height);
        break;
    case Action::SafeZone:
        game.world.safeZone = line.value;
        break;
    case Action::Picture:
        pendingPictures_.push_back(line.name);
        break;
    case Action::End:
        break;
    }
    if (((line.action == Action::Tap || line.action == Action::Hold) && turboKey) ||
        ((line.action == Action::PadPress || line.action == Action::PadHold) && turboButtons)) {
        const bool chord =
            Settings.KEY_PC_MENU != 0 &&
            game.input.keys.at(static_cast<std::size_t>(Settings.KEY_PC_MENU) & 0xFF);
        // The press belongs to the frame about to run, the first to see it.
        result_.events.push_back(
            {game.frame + 1, static_cast<double>(nextTick - game.options.startTick) / 1000.0,
             EventKind::Press,
             padChord ? "with the pad menu button" : (chord ? "with the menu key" : "")});
    }
    if ((line.action == Action::Collide || line.action == Action::Wreck) && ActedOn() == nullptr) {
        Say("no vehicle to " + std::string(line.action == Action::Collide ? "collide" : "wreck"));
    }
}

// Why the boost that just ended ended, told from the world as it stands.
std::string Session::EndCause() {
    if (restartFrame_ == g().frame) {
        return "script restarted";
    }
    // The module steps aside when the game takes the player over.
    const GameState game = GameStateOf(g().world);
    if (game.busy != 0) {
        return "the game took over (" + GameStateWords({false, game.busy}) + ")";
    }
    const sim::Vehicle* v = PlayerVehicle();
    const float elapsed = static_cast<float>(g().tick - launchTick_);
    if (v != nullptr && !v->driveable) {
        return "vehicle wrecked";
    }
    if (v != nullptr && v->collidedRecently) {
        return "crash";
    }
    if (v == nullptr || v->speed == 0.0f) {
        return "vehicle stopped";
    }
    if (elapsed > BoostTimeLimitMs()) {
        return "time up";
    }
    if (Settings.SFX_type == 1 && elapsed > static_cast<float>(kLumenBoostLimitMs)) {
        return "Lumen sound ran out";
    }
    return "cut short by the key";
}

// One line every half second while the boost runs or recharges: what the
// per-frame calls add up to.
void Session::Status() {
    const sim::Game& game = sim::game();
    if (turboState == TurboState::Boosting) {
        const sim::CallRecord* power = game.Last("_SET_VEHICLE_ENGINE_POWER_MULTIPLIER");
        std::size_t flames = 0;
        for (const sim::ParticleStart& p : game.world.particleStarts) {
            flames += p.frame == game.frame ? 1 : 0;
        }
        Say("engine power x" + Number(power != nullptr ? power->F(1) : 0.0) + ", " +
            std::to_string(flames) + " exhaust flames this frame");
    } else if (turboState == TurboState::Recharging) {
        for (const sim::DrawItem& item : game.world.DrawList(game.frame)) {
            // The bar is the one rectangle 0.007 high: its place and width
            // follow the player's screen, its height does not.
            if (item.kind == sim::DrawItem::Rect && item.rect.height == 0.007f) {
                Say("recharge bar " + Number(item.rect.width / PlaceWidth(0.15f) * 100.0f) +
                    "% (red " + std::to_string(item.rect.red) + ", green " +
                    std::to_string(item.rect.green) + ")");
            }
        }
    }
}

// What the game did with the controls the menu shares: which it left to the
// module, whether the phone came out and whether the keypad pitched a plane.
void Session::GameControls() {
    const sim::World& w = g().world;
    if (w.disabledControls.size() != controlsOff_) {
        controlsOff_ = w.disabledControls.size();
        Say(controlsOff_ == 0 ? std::string("the game acts on all its controls again")
                              : "the module disables " + std::to_string(controlsOff_) +
                                    " of the game's controls, frame by frame");
    }
    if (w.allControlsDisabled != allControlsOff_) {
        allControlsOff_ = w.allControlsDisabled;
        Say(allControlsOff_ ? "the module disables every control of the game, frame by frame"
                            : "the module no longer disables every control");
    }
    if (w.phoneOut != phoneOut_) {
        phoneOut_ = w.phoneOut;
        Say(phoneOut_ ? "the game takes the phone out" : "the game puts the phone away");
    }
    const sim::Vehicle* v = PlayerVehicle();
    const float pitch = v != nullptr ? v->pitch : pitch_;
    const bool pitching = pitch != pitch_;
    if (pitching && !pitching_) {
        Say(std::string("the keypad pitches the plane ") + (pitch > pitch_ ? "up" : "down"));
    } else if (!pitching && pitching_) {
        Say("the plane's pitch holds at " + Number(pitch) + " degrees");
    }
    pitch_ = pitch;
    pitching_ = pitching;
}

void Session::TakePicture(const std::string& what) {
    Picture picture(g().world.screenWidth, g().world.screenHeight);
    Draw(picture, FrameContent(g(), g().frame));
    char name[160];
    std::snprintf(name, sizeof name, "%07.3fs-%s.png", Seconds(), what.c_str());
    const std::string path = options_.outDir + "/" + name;
    if (picture.SavePng(path)) {
        result_.pictures.push_back(name);
        result_.pictureFrames.push_back(g().frame);
        Say(std::string("picture ") + name);
    } else {
        Say("picture " + path + " could not be written");
    }
}

bool Session::MenuFullyOpen() const {
    return rootPage.isOpen && currentPage != nullptr && slideOffset == 0.0f;
}

// The moments a player or modder wants to see, each taken the first time it
// comes.
void Session::DefaultPictures() {
    sim::Game& game = g();
    auto once = [&](const char* what, bool now) {
        if (now && !taken_[what]) {
            taken_[what] = true;
            TakePicture(what);
        }
    };
    bool notice = false;
    for (const sim::DrawItem& item : game.world.DrawList(game.frame)) {
        notice = notice || (item.kind == sim::DrawItem::Text &&
                            item.text.text.find("to enter SETUP") != std::string::npos);
    }
    once("first-run-notice", notice);
    const MenuItem* row =
        currentPage != nullptr ? RowAt(*currentPage, currentPage->selectedIndex) : nullptr;
    once("menu-open-slider-row", MenuFullyOpen() && row != nullptr &&
                                     row->kind == MenuItemKind::Slider &&
                                     currentPage->selectedIndex > 0);
    // Half way: the frame whose offset first reaches half the hidden offset.
    once("menu-mid-slide", currentPage != nullptr && slideOffset > 0.0f &&
                               slideOffset <= 0.5f * kMenuHiddenOffset + 0.001f);
    once("menu-sound-row",
         MenuFullyOpen() && row != nullptr && row->kind == MenuItemKind::Selector);
    once("recharge-bar-half", turboState == TurboState::Recharging && rechargeProgress >= 5000.0f);
    const GameState state = GameStateOf(game.world);
    once("game-paused", state.paused);
    once("game-busy", state.busy != 0);
    once("feed-after-boost", feedPictureAt_ >= 0.0 && Seconds() >= feedPictureAt_);
}

void Session::AfterFrame() {
    sim::Game& game = g();
    const GameState state = GameStateOf(game.world);
    if (!(state == shownGame_)) {
        Say("game " + GameStateWords(shownGame_) + " -> " + GameStateWords(state));
        AddEvent(EventKind::Game, GameStateWords(state));
        shownGame_ = state;
    }
    if (turboState != shown_) {
        Say(std::string("state ") + StateName(shown_) + " -> " + StateName(turboState));
        if (turboState == TurboState::Boosting) {
            launchTick_ = game.tick;
            AddEvent(EventKind::Launch);
        }
        if (shown_ == TurboState::Boosting) {
            const std::string cause = EndCause();
            Say("boost ended: " + cause);
            AddEvent(EventKind::End, cause);
            if (feedPictureAt_ < 0.0) {
                feedPictureAt_ = Seconds() + 1.0;
            }
        }
        shown_ = turboState;
    }
    const sim::Vehicle* v = PlayerVehicle();
    const bool collided = v != nullptr && v->collidedRecently;
    if (collided && !collided_) {
        AddEvent(EventKind::Collision);
    }
    collided_ = collided;
    GameControls();
    if (game.tick - lastStatusTick_ >= 500u) {
        Status();
        lastStatusTick_ = game.tick;
    }
    FrameSample s;
    s.frame = game.frame;
    s.time = Seconds();
    s.state = turboState;
    s.speedKmh = v != nullptr ? v->speed * 3.6f : 0.0f;
    s.enginePower = v != nullptr ? v->enginePowerMultiplier : 1.0f;
    s.timeScale = game.world.timeScale;
    s.menuOpen = rootPage.isOpen;
    s.game = state;
    for (; callsSeen_ < game.calls.size(); ++callsSeen_) {
        s.nativeCalls += game.calls[callsSeen_].hash != 0 ? 1u : 0u;
    }
    result_.frames.push_back(s);

    DefaultPictures();
    for (const std::string& name : pendingPictures_) {
        TakePicture(name);
    }
    pendingPictures_.clear();
}

} // namespace simapp
