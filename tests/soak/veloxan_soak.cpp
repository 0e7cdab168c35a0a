// veloxan-soak: long random play in the simulated game. A seeded generator
// presses keys and pad buttons, uses the menu, enters and leaves vehicles of
// every class, crashes and wrecks them and restarts the script at random
// moments, now and then with a speed reading that is NaN, infinite or
// negative, from shortly before the 2^32 tick wrap on. After every frame the
// module's state, what it sent, the settings, the world and the INI file are
// checked; the first broken rule ends the run with the seed and frame that
// replay it. The settings the player alone sets (the pad menu, the menu's
// own keys, the sounds' volume) come and go with the starting file and with
// the restarts; the game's screen and safe zone change in its pauses, and the
// player sets keys on the menu's Keys and Pad pages.

#include "menu/key_page.h"
#include "menu/menu_controller.h"
#include "menu/menu_controls.h"
#include "menu/menu_item.h"
#include "menu/pad_menu.h"
#include "script/script_main.h"
#include "settings/settings.h"
#include "sim/game.h"
#include "sim/ini_file.h"
#include "sim/sound_resources.h"
#include "turbo/turbo.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The keypad's menu keys, then a laptop's (8, K, U, O, I, J) for a file that
// names them.
constexpr int kMenuKeys[] = {0x60, 0x62, 0x64, 0x65, 0x66, 0x68,
                             0x38, 0x4B, 0x55, 0x4F, 0x49, 0x4A};
constexpr std::uint16_t kDpadUp = 0x0001;
constexpr std::uint16_t kDpadDown = 0x0002;
constexpr std::uint16_t kDpadLeft = 0x0004;
constexpr std::uint16_t kDpadRight = 0x0008;
constexpr std::uint16_t kButtonRB = 0x0200;
constexpr std::uint16_t kButtonA = 0x1000;
constexpr std::uint16_t kButtonB = 0x2000;
constexpr std::size_t kMostVehicles = 12;
// Every class the simulated world has; the module treats a bike as a car.
constexpr sim::VehicleClass kClasses[] = {sim::VehicleClass::Car, sim::VehicleClass::Plane,
                                          sim::VehicleClass::Boat, sim::VehicleClass::Heli,
                                          sim::VehicleClass::Bike};

class Soak {
public:
    Soak(std::uint64_t seed, std::string folder) : random_(seed), folder_(std::move(folder)) {}

    void Boot(std::uint32_t startTick) {
        sim::Options options;
        options.startTick = startTick;
        options.fileRoot = folder_;
        sim::Reset(options);
        WriteStartingIni();
        sim::Game& g = sim::game();
        g.onCall = [this](const sim::CallRecord& call) { NoteSave(call); };
        if (Chance(2)) {
            g.input.ConnectPad(0);
        }
        DllMain(static_cast<HINSTANCE>(sim::ModuleHandle()), DLL_PROCESS_ATTACH, nullptr);
        sim::StartScript();
        for (int i = 0; i < 4; ++i) {
            AddVehicle();
        }
    }

    // One frame of play; an empty text when every rule held after it.
    std::string Frame() {
        const TurboState before = turboState;
        slideBefore_ = slideOffset;
        Play();
        saved_ = false;
        sim::Step();
        std::string broken = Check();
        if (broken.empty()) {
            broken = KeyRules();
        }
        Count(before);
        Tidy();
        return broken;
    }

    // What the play reached, so that a run shows it covered the boost.
    void PrintCounts() const {
        std::printf("  %llu launches (car %llu, plane %llu, boat %llu, heli %llu, bike %llu), "
                    "%llu cancels, %llu slow motions, %llu restarts, %llu menu frames, "
                    "%llu saves, %llu frames with an unusable speed, %llu sounds from copies, %llu "
                    "pauses (each with a new screen), %llu busy spans\n"
                    "  %llu key waits (%llu paused, %llu busy), %llu keys set, %llu refused\n",
                    counts_.launches, counts_.byClass[0], counts_.byClass[1], counts_.byClass[2],
                    counts_.byClass[3], counts_.byClass[4], counts_.cancels, counts_.slowMotions,
                    counts_.restarts, counts_.menuFrames, counts_.saves, counts_.unusableSpeeds,
                    counts_.copyPlays, counts_.pauses, counts_.busySpans, counts_.keyWaits,
                    counts_.pausedWaits, counts_.busyWaits, counts_.keysSet, counts_.refusals);
    }

private:
    bool Chance(std::uint32_t oneIn) { return random_() % oneIn == 0; }
    std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(random_() % n); }

    void WriteStartingIni() {
        std::ofstream out(folder_ + "/Veloxan.ini", std::ios::binary | std::ios::trunc);
        // Now and then without the keyboard's chord: the pad's, or none.
        out << "[Veloxan]\r\nKEY_PC=84\r\n" << (Chance(8) ? "" : "KEY_PC_MENU=16\r\n");
        if (Chance(3)) {
            out << "KEY_GAMEPAD=4096\r\nKEY_GAMEPAD_2=2\r\n";
        }
        for (const char* key : {"duration", "sensitivity", "power", "boost", "slowmo"}) {
            // Now and then out of range, to be repaired by the load.
            out << key << '=' << Below(110) << "\r\n";
        }
        out << "SFX_type=" << Below(3) << "\r\nNew_Install=" << Below(2) << "\r\n";
        if (Chance(2)) {
            // RB; LB; a mask that shares D-pad down with the trigger; too big.
            const std::uint32_t masks[] = {512, 256, 514, 70000};
            out << "KEY_GAMEPAD_MENU=" << masks[Below(4)] << "\r\n";
        }
        if (Chance(3)) {
            out << "KEY_MENU_UP=56\r\nKEY_MENU_DOWN=75\r\nKEY_MENU_LEFT=85\r\n"
                   "KEY_MENU_RIGHT=79\r\nKEY_MENU_SELECT=73\r\nKEY_MENU_BACK=74\r\n";
        }
        if (Chance(2)) {
            out << "SFX_volume=" << Below(120) << "\r\n";
        }
    }

    std::int32_t AddVehicle() {
        sim::World& w = sim::game().world;
        const std::int32_t handle =
            w.AddVehicle(kClasses[Below(std::size(kClasses))], static_cast<int>(Below(8)));
        w.Get(handle).speed = static_cast<float>(Below(40));
        return handle;
    }

    std::int32_t AnyVehicle() {
        const auto& vehicles = sim::game().world.vehicles;
        if (vehicles.empty()) {
            return AddVehicle();
        }
        auto it = vehicles.begin();
        std::advance(it, static_cast<long>(Below(static_cast<std::uint32_t>(vehicles.size()))));
        return it->first;
    }

    void Hold(int vk, std::uint64_t frames) {
        sim::Game& g = sim::game();
        g.input.HoldKeyFrames(vk, g.frame + 1, frames);
    }

    void Play() {
        sim::Game& g = sim::game();
        sim::World& w = g.world;
        visit_ = visit_ == Visit::None && Chance(6000) ? Visit::Keys : visit_;
        if (visit_ != Visit::None) {
            VisitKeysPage();
        }
        // The keys in effect, which the Keys page may change; only the
        // trigger while the player sets keys, and not while a row waits.
        const bool settingKeys = visit_ != Visit::None;
        if (Chance(40) && !(settingKeys && keyWaitOn)) {
            const std::uint64_t frames = 1 + Below(4);
            Hold(Settings.KEY_PC, frames);
            if (Settings.KEY_PC_2 != 0) {
                Hold(Settings.KEY_PC_2, frames);
            }
        }
        if (!settingKeys && Chance(500)) {
            Hold(Settings.KEY_PC, 2);
            Hold(Settings.KEY_PC_MENU, 2);
        }
        if (!settingKeys && Chance(12)) {
            Hold(Chance(4) ? Settings.*kKeySettingFields[3 + Below(6)].field // up to back
                           : kMenuKeys[Below(std::size(kMenuKeys))],
                 1 + Below(20));
        }
        if (!settingKeys && Chance(60)) {
            const auto trigger =
                static_cast<std::uint16_t>(Settings.KEY_GAMEPAD | Settings.KEY_GAMEPAD_2);
            const std::uint16_t buttons[] = {
                kDpadDown, kButtonA,  kDpadDown | kButtonA,  kDpadUp, kDpadLeft, kDpadRight,
                kButtonB,  kButtonRB, kButtonRB | kDpadDown, trigger};
            g.input.HoldButtonsFrames(0, buttons[Below(std::size(buttons))], g.frame + 1,
                                      1 + Below(5));
        }
        if (Chance(900)) {
            g.input.ConnectPad(0, Chance(2));
        }
        if (Chance(250)) {
            if (w.playerVehicle != 0 && Chance(2)) {
                w.LeaveVehicle();
            } else {
                const bool newOne = w.vehicles.size() < kMostVehicles && Chance(5);
                w.EnterVehicle(newOne ? AddVehicle() : AnyVehicle());
            }
        }
        if (sim::Vehicle* v = w.Find(w.playerVehicle)) {
            if (Chance(30)) {
                v->throttle = static_cast<float>(Below(11)) / 10.0f;
            }
            if (Chance(300)) {
                w.ScheduleCollision(v->handle, g.tick + Below(200), static_cast<float>(Below(30)));
            }
            if (Chance(3000)) {
                v->driveable = false;
            }
            v->onAllWheels = !Chance(10);
        }
        if (Chance(4000)) {
            const std::int32_t gone = AnyVehicle();
            if (gone == w.playerVehicle) {
                w.LeaveVehicle();
            }
            w.vehicles.erase(gone);
        }
        if (w.vehicles.size() < kMostVehicles && Chance(2000)) {
            AddVehicle();
        }
        if (Chance(6000)) {
            if (Chance(2)) {
                // The player changed the volume before the game reloaded.
                sim::ini::WriteString(folder_ + "/Veloxan.ini", "Veloxan", "SFX_volume",
                                      std::to_string(Below(120)));
            }
            sim::RestartScript();
            ++counts_.restarts;
        }
        // The game pauses now and then, and is busy now and then, by one of
        // its states or several; each lasts a few frames to a few seconds.
        // More often while a key row waits.
        if (w.paused ? Chance(80) : Chance(1500) || (keyWaitOn && Chance(2000))) {
            w.paused = !w.paused;
            counts_.pauses += w.paused ? 1 : 0;
            counts_.pausedWaits += w.paused && keyWaitOn ? 1 : 0;
            if (w.paused) {
                InThePauseMenu(w);
            }
        }
        bool* busy[] = {&w.playerSwitch, &w.cutscene, &w.fadedOut,
                        &w.dead,         &w.arrested, &w.controlOff};
        if (w.Busy() ? Chance(100) : Chance(2500) || (keyWaitOn && Chance(3000))) {
            const bool start = !w.Busy();
            for (bool* state : busy) {
                // One state starts, now and then with a second; all end together.
                *state = start && (state == busy[Below(std::size(busy))] || Chance(12));
            }
            counts_.busySpans += start ? 1 : 0;
            counts_.busyWaits += start && keyWaitOn ? 1 : 0;
        }
        // Now and then the game answers a speed that is no speed, for a frame.
        g.speedAnswer.reset();
        if (Chance(150)) {
            const float unusable[] = {std::numeric_limits<float>::quiet_NaN(),
                                      std::numeric_limits<float>::infinity(), -3.0f};
            g.speedAnswer = unusable[Below(std::size(unusable))];
            ++counts_.unusableSpeeds;
        }
    }

    // The screen changed in the pause menu (three screens from 3.7 on; now
    // and then answers no sane game gives), and now and then a module key or
    // pad buttons held as it closes, or for good, as a mode key may read.
    void InThePauseMenu(sim::World& w) {
        constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
        const float badShapes[] = {kNaN, std::numeric_limits<float>::infinity(), 0, -1, 100};
        const float badZones[] = {kNaN, 0.5f, 1.5f};
        w.aspectRatio = 1.0f + static_cast<float>(Below(5001)) / 1000.0f;
        w.safeZone = std::min(1.0f, 0.8f + static_cast<float>(Below(201)) / 1000.0f);
        w.aspectRatio = Chance(15) ? badShapes[Below(std::size(badShapes))] : w.aspectRatio;
        w.safeZone = Chance(15) ? badZones[Below(std::size(badZones))] : w.safeZone;
        if (Chance(2)) {
            const std::uint64_t frames = Chance(10) ? 2000 : 20 + Below(200);
            if (Chance(2)) {
                Hold(Settings.*kKeySettingFields[Below(kKeyboardSettings)].field, frames);
            } else {
                HoldPad(1u << Below(16), frames);
            }
        }
    }

    void HoldPad(std::uint32_t buttons, std::uint64_t frames) {
        sim::Game& g = sim::game();
        g.input.HoldButtonsFrames(0, static_cast<std::uint16_t>(buttons), g.frame + 1, frames);
    }

    // A tap every 14 frames: into the menu, to a row of the Keys or Pad page,
    // its select (now and then the pad's A, or held up to 25 s), an answer at
    // a random moment or none; then another row, or out of the menu.
    void VisitKeysPage() {
        sim::Game& g = sim::game();
        if (keyWaitOn) {
            answerFrame_ = answerFrame_ != 0 ? answerFrame_ : g.frame + Below(800);
            if (g.frame != answerFrame_) {
                return;
            }
            // A key of the whole range, pad buttons (each bit, now and then
            // two), Backspace, Esc or the pad's Back; mostly what the row takes.
            const std::uint64_t frames = 1 + Below(6);
            const std::uint32_t answer = Below(10);
            if (answer < 7 && target_ >= kPadRow) {
                HoldPad(1u << Below(16) | (Chance(4) ? 1u << Below(16) : 0u), frames);
            } else if (answer < 7) {
                Hold(static_cast<int>(8 + Below(247)), frames);
            } else if (answer < 9) {
                Hold(answer == 7 ? 0x08 : 0x1B, frames); // Backspace, Esc
            } else {
                HoldPad(0x0020, frames); // Back
            }
            return;
        }
        if (answerFrame_ != 0) {
            answerFrame_ = 0;
            target_ = -1;
            visit_ = Chance(2) ? Visit::Keys : Visit::Out;
        }
        if (g.frame < nextTap_) {
            return;
        }
        nextTap_ = g.frame + 14;
        if (!rootPage.isOpen) {
            // In by the keyboard's chord or the pad's; out, or no way in: over.
            if (visit_ == Visit::Keys && Settings.KEY_PC_MENU != 0) {
                Hold(Settings.KEY_PC, 1);
                Hold(Settings.KEY_PC_MENU, 1);
            } else if (visit_ == Visit::Keys && PadMenuOn()) {
                HoldPad(Settings.KEY_GAMEPAD_MENU | Settings.KEY_GAMEPAD, 1);
            } else {
                visit_ = Visit::None;
            }
            return;
        }
        if (visit_ == Visit::Keys && target_ < 0) {
            target_ = static_cast<int>(Below(kKeyboardSettings + 3)); // from kPadRow on the Pad's
        }
        const int depth = currentPage == &rootPage ? 0 : currentPage->parent == &rootPage ? 1 : 2;
        if (visit_ == Visit::Out || (depth == 2 && target_ < kPadRow)) {
            Hold(Settings.KEY_MENU_BACK, 1);
            return;
        }
        const int slot = depth == 1 ? std::min(target_, kPadRow) : target_ - kPadRow;
        const MenuItem* row = RowAt(*currentPage, currentPage->selectedIndex);
        const bool page = row != nullptr && row->kind == MenuItemKind::Submenu;
        if (depth == 0 ? !page : currentPage->selectedIndex != slot) {
            Hold(Settings.KEY_MENU_DOWN, 1);
        } else if (const std::uint64_t held = !page && Chance(4) ? 1 + Below(1600) : 1;
                   PadMenuOn() && Chance(3)) {
            HoldPad(kButtonA, held);
        } else {
            Hold(Settings.KEY_MENU_SELECT, held);
        }
    }

    // The first key setting on which two records differ, or null.
    static const KeySettingField* Differs(const SettingsRecord& a, const SettingsRecord& b) {
        for (const KeySettingField& f : kKeySettingFields) {
            if (a.*f.field != b.*f.field) {
                return &f;
            }
        }
        return nullptr;
    }

    // Once the keyboard has a chord to the menu it keeps one; no two keyboard
    // settings share a key (Shift, Ctrl and Alt one with their sides); the
    // file's keys, read back whenever either may have changed, are those in
    // effect; no control of the game stays disabled ten seconds with the menu
    // closed, nor all twenty (a row's wait, then ten for its key's release).
    std::string KeyRules() {
        const sim::Game& g = sim::game();
        const bool chord = Settings.KEY_PC != 0 && Settings.KEY_PC_MENU != 0;
        if (chordHeld_ && !chord) {
            return "the keyboard has no chord to the menu";
        }
        chordHeld_ = chord;
        const SettingsRecord live = Settings;
        const auto generic = [](std::int32_t k) {
            return k >= 0xA0 && k <= 0xA5 ? 0x10 + (k - 0xA0) / 2 : k;
        };
        for (std::size_t a = 0; a < kKeyboardSettings; ++a) {
            for (std::size_t b = a + 1; b < kKeyboardSettings; ++b) {
                const std::int32_t x = live.*kKeySettingFields[a].field;
                const std::int32_t y = live.*kKeySettingFields[b].field;
                if (x != 0 && y != 0 && (x == y || generic(x) == y || x == generic(y))) {
                    return std::string(kKeySettingFields[a].key) + " and " +
                           kKeySettingFields[b].key + " share the key " + std::to_string(x);
                }
            }
        }
        if (g.Count("WritePrivateProfileStringA") != 0 || Differs(live, checked_) != nullptr) {
            LoadSettings();
            const SettingsRecord file = Settings;
            Settings = live;
            if (const KeySettingField* f = Differs(file, live)) {
                return std::string("the file's ") + f->key + " reads back " +
                       std::to_string(file.*f->field) + ", the module holds " +
                       std::to_string(live.*f->field);
            }
            checked_ = live;
        }
        const sim::World& w = g.world;
        const bool someOff = w.allControlsDisabled || !w.disabledControls.empty();
        closedSince_ = someOff && !rootPage.isOpen ? closedSince_.value_or(g.tick)
                                                   : std::optional<std::uint32_t>{};
        allSince_ =
            w.allControlsDisabled ? allSince_.value_or(g.tick) : std::optional<std::uint32_t>{};
        if (closedSince_ && g.tick - *closedSince_ > 10000u) {
            return "the game's controls disabled for ten seconds with the menu closed";
        }
        if (allSince_ && g.tick - *allSince_ > 20000u) {
            return "every control of the game disabled for twenty seconds";
        }
        return {};
    }

    void NoteSave(const sim::CallRecord& call) {
        // The save's first write; the record comes before the file changes.
        if (call.name == "WritePrivateProfileStringA" && call.args.size() > 1 &&
            call.S(1) == "duration") {
            atLastSave_ = Settings;
            saved_ = true;
        }
    }

    static std::string FractionsInRange(const SettingsRecord& s) {
        const float fractions[] = {s.duration, s.sensitivity, s.power, s.boost, s.slowmo};
        for (float f : fractions) {
            if (!(f > 0.0f && f <= 1.0f)) {
                return "a fraction setting left (0, 1]: " + std::to_string(f);
            }
        }
        if (s.SFX_type > 1 || s.New_Install > 1 || s.display_notifications > 1) {
            return "SFX_type, New_Install or display_notifications is neither 0 nor 1";
        }
        if (s.SFX_volume < 1 || s.SFX_volume > 100) {
            return "SFX_volume " + std::to_string(s.SFX_volume) + " outside 1 to 100";
        }
        if (s.KEY_GAMEPAD_MENU < 0 || s.KEY_GAMEPAD_MENU > 0xFFFF ||
            (s.KEY_GAMEPAD_MENU & (s.KEY_GAMEPAD | s.KEY_GAMEPAD_2)) != 0) {
            return "KEY_GAMEPAD_MENU " + std::to_string(s.KEY_GAMEPAD_MENU) +
                   " is no mask of its own";
        }
        const std::int32_t menuKeys[] = {s.KEY_MENU_UP,    s.KEY_MENU_DOWN,   s.KEY_MENU_LEFT,
                                         s.KEY_MENU_RIGHT, s.KEY_MENU_SELECT, s.KEY_MENU_BACK};
        for (std::int32_t key : menuKeys) {
            if (key < 1 || key > 254) {
                return "a menu key " + std::to_string(key) + " outside 1 to 254";
            }
        }
        return {};
    }

    // Every recording plays from the module's copy: a memory image as long
    // as one of the resources, with its header, and for the 16-bit ones the
    // first samples at the level the file sets now; or, after a pause, the
    // rest of a copy from inside it.
    static std::string SoundFromCopy(const sim::SoundPlay& play) {
        constexpr std::uint32_t kSndMemory = 0x0004;
        if ((play.flags & kSndMemory) == 0 || play.wave == nullptr) {
            return "a recording played from the resources at SFX_volume " +
                   std::to_string(Settings.SFX_volume);
        }
        if (play.insideCopyAt != 0) {
            return play.id != 0 ? std::string() : "a resumed recording from no copy";
        }
        constexpr std::size_t kHeaderBytes = 44;
        for (std::uint32_t id : {106u, 107u, 108u}) {
            const sim::sounds::WaveResource* wave = sim::sounds::Find(id);
            if (wave == nullptr || wave->bytes.size() != play.waveBytes ||
                std::memcmp(wave->bytes.data(), play.wave, kHeaderBytes) != 0) {
                continue;
            }
            if (id == 107u) {
                return {}; // the blow-off's samples are floats
            }
            const double gain = Settings.SFX_volume * Settings.SFX_volume / 10000.0;
            const std::uint8_t* original = wave->bytes.data();
            const std::size_t data = Find(wave->bytes, "data") + 8;
            for (std::size_t at = data; at < data + 256 && at + 2 <= play.waveBytes; at += 2) {
                const auto sample = [](const std::uint8_t* p) {
                    return static_cast<std::int16_t>(p[0] | p[1] << 8);
                };
                const double exact = sample(original + at) * gain;
                const double expected =
                    exact < 0 ? -std::floor(-exact + 0.5) : std::floor(exact + 0.5);
                if (sample(play.wave + at) != expected) {
                    return "sound " + std::to_string(id) + " plays a copy that is not at " +
                           std::to_string(Settings.SFX_volume) + "%";
                }
            }
            return {};
        }
        return "a sound played from memory that is no copy of a recording";
    }

    static std::size_t Find(const std::vector<std::uint8_t>& bytes, const char* tag) {
        const auto* begin = reinterpret_cast<const char*>(bytes.data());
        const std::string_view all(begin, bytes.size());
        const std::size_t at = all.find(tag, 12);
        return at == std::string_view::npos ? bytes.size() : at;
    }

    // The file read back through the module's own load: each fraction the
    // percentage memory held (at most one percent lower, as the save drops
    // the fraction of a percent), the sound profile, no first-run notice.
    std::string FileHoldsLastSave() {
        const SettingsRecord live = Settings;
        LoadSettings();
        const SettingsRecord file = Settings;
        Settings = live;
        const float held[] = {atLastSave_.duration, atLastSave_.sensitivity, atLastSave_.power,
                              atLastSave_.boost, atLastSave_.slowmo};
        const float read[] = {file.duration, file.sensitivity, file.power, file.boost, file.slowmo};
        for (std::size_t i = 0; i < std::size(held); ++i) {
            if (!(read[i] <= held[i] + 1e-6f && read[i] > held[i] - 0.01f)) {
                return "the INI file holds " + std::to_string(read[i]) + " where memory held " +
                       std::to_string(held[i]) + " at the save";
            }
        }
        if (file.SFX_type != atLastSave_.SFX_type || file.New_Install != 0) {
            return "the INI file's SFX_type or New_Install differs from the save";
        }
        return {};
    }

    static bool SelectionsNameRows(const MenuItem& page) {
        bool anyRow = false;
        for (const MenuItem* row : page.children) {
            anyRow = anyRow || row != nullptr;
            if (row != nullptr && !SelectionsNameRows(*row)) {
                return false;
            }
        }
        return !anyRow || RowAt(page, page.selectedIndex) != nullptr;
    }

    std::string Check() {
        const sim::Game& g = sim::game();
        if (!g.faults.empty()) {
            return "simulated game fault: " + g.faults.front();
        }
        for (const sim::CallRecord& call : g.calls) {
            for (const sim::Value& arg : call.args) {
                if (arg.kind == 'f' && !std::isfinite(arg.f)) {
                    return call.name + " was sent " + std::to_string(arg.f);
                }
            }
        }
        const auto state = static_cast<std::int32_t>(turboState);
        if (state < 0 || state > 3) {
            return "turbo state " + std::to_string(state) + " is none of the four";
        }
        if (std::string range = FractionsInRange(Settings); !range.empty()) {
            return range;
        }
        for (const sim::SoundPlay& play : g.sounds) {
            if (play.frame == g.frame) {
                if (std::string copy = SoundFromCopy(play); !copy.empty()) {
                    return copy;
                }
            }
        }
        const sim::World& w = g.world;
        if (std::string rule = GameStateRules(g); !rule.empty()) {
            return rule;
        }
        if (w.timeScale != 1.0f) {
            // Slow motion is due only in the shutdown's 1500 ms after a crash.
            const sim::TimeScaleChange& last = w.timeScaleChanges.back();
            const bool due = turboState == TurboState::Recharging &&
                             w.timeScale == 1.0f - Settings.slowmo &&
                             g.tick - last.tick < 1500u + g.options.msPerFrame;
            if (!due) {
                return "time scale " + std::to_string(w.timeScale) + " with no slow motion due";
            }
        }
        const bool boosting = turboState == TurboState::Boosting;
        const bool radioMayBeOff = boosting || turboState == TurboState::SpoolUp;
        int radiosOff = 0;
        for (const auto& [handle, v] : w.vehicles) {
            if (v.enginePowerMultiplier != 1.0f && !(boosting && handle == currentVehicle)) {
                return "engine power " + std::to_string(v.enginePowerMultiplier) + " on vehicle " +
                       std::to_string(handle) + ", which is not boosting";
            }
            radiosOff += v.radioEnabled ? 0 : 1;
        }
        if (radiosOff > (radioMayBeOff ? 1 : 0)) {
            return std::to_string(radiosOff) + " radios off in turbo state " +
                   std::to_string(state);
        }
        if (!SelectionsNameRows(rootPage)) {
            return "a menu page's selection names no row";
        }
        if (std::string outside = DrawnOutsideTheArea(g); !outside.empty()) {
            return outside;
        }
        // The game's controls on the menu's inputs: only controls of the
        // table in a pass with the menu open (which of them depends on the
        // hand, tested on its own), none once it is off screen. A frame the
        // script spends waiting inside the boost's shutdown has no pass.
        const bool passRan = std::any_of(g.calls.begin(), g.calls.end(), [&g](const auto& call) {
            return call.frame == g.frame && call.name == "GetForegroundWindow";
        });
        const std::size_t disabled = w.disabledControls.size();
        const bool strayControl =
            std::any_of(w.disabledControls.begin(), w.disabledControls.end(), [](int control) {
                return std::none_of(
                    std::begin(kSharedControls), std::end(kSharedControls),
                    [control](const SharedControl& c) { return c.index == control; });
            });
        if ((passRan && rootPage.isOpen && strayControl) || (!MenuOnScreen() && disabled != 0)) {
            return std::to_string(disabled) + " of the game's controls disabled with the menu " +
                   (rootPage.isOpen ? "open" : "off screen");
        }
        if (saved_) {
            return FileHoldsLastSave();
        }
        return {};
    }

    // Every rectangle drawn lies in the safe zone of the screen last asked
    // about, made sane (16:9 for a shape outside 1.0 to 8.0, 1.0 for a zone
    // outside 0.8 to 1.0), on the middle one of three; not as the menu slides.
    std::string DrawnOutsideTheArea(const sim::Game& g) {
        if (!g.CallsInFrame("GET_ASPECT_RATIO", g.frame).empty()) {
            askedAspect_ = g.world.aspectRatio;
        }
        if (!g.CallsInFrame("GET_SAFE_ZONE_SIZE", g.frame).empty()) {
            askedSafeZone_ = g.world.safeZone;
        }
        if (slideOffset != 0.0f &&
            (slideBefore_ < kMenuHiddenOffset || slideOffset < kMenuHiddenOffset)) {
            return {};
        }
        const float aspect =
            askedAspect_ >= 1.0f && askedAspect_ <= 8.0f ? askedAspect_ : 16.0f / 9.0f;
        const float safeZone =
            askedSafeZone_ >= 0.8f && askedSafeZone_ <= 1.0f ? askedSafeZone_ : 1.0f;
        const double width = aspect >= 3.7f ? 1.0 / 3.0 : 1.0;
        const double margin = (1.0 - safeZone) / 2.0;
        const double left = (1.0 - width) / 2.0 + margin * width - 1e-5;
        const double right = left + safeZone * width + 2e-5;
        for (const sim::DrawItem& item : g.world.DrawList(g.frame)) {
            const sim::DrawnRect& r = item.rect;
            if (item.kind == sim::DrawItem::Rect &&
                (r.x - r.width / 2 < left || r.x + r.width / 2 > right ||
                 r.y - r.height / 2 < margin - 1e-5 || r.y + r.height / 2 > 1.0 - margin + 1e-5)) {
                return "a rectangle at x " + std::to_string(r.x) + ", y " + std::to_string(r.y) +
                       " outside the area drawn in, on screen " + std::to_string(askedAspect_) +
                       " at safe zone " + std::to_string(askedSafeZone_);
            }
        }
        return {};
    }

    // A pass that finds the game paused asks that alone: no other native, no
    // key or pad (but the first may stop the module's sound). A pass that
    // finds it busy leaves every vehicle at normal power and pushes none; a
    // boost that the game paused and then took over ends at the pause's end.
    // Calls before the pass's first query belong to a wait inside the last
    // pass (the shutdown's), which is ScriptHookV's and goes on regardless.
    static std::string GameStateRules(const sim::Game& g) {
        bool passStarted = false;
        for (const sim::CallRecord& call : g.calls) {
            if (call.frame != g.frame) {
                continue;
            }
            if (call.name == "IS_PAUSE_MENU_ACTIVE") {
                passStarted = true;
                continue;
            }
            if (!passStarted) {
                continue;
            }
            if (g.world.paused &&
                (call.hash != 0 || call.name == "GetAsyncKeyState" ||
                 call.name == "XInputGetState" || (call.name == "PlaySoundA" && call.I(1) != 0))) {
                return call.name + " in a paused pass";
            }
            if (g.world.Busy() && call.name == "SET_VEHICLE_FORWARD_SPEED") {
                return "a vehicle pushed in a busy pass";
            }
        }
        if (passStarted && g.world.Busy() && !g.world.paused) {
            for (const auto& [handle, v] : g.world.vehicles) {
                if (v.enginePowerMultiplier != 1.0f) {
                    return "engine power " + std::to_string(v.enginePowerMultiplier) +
                           " on vehicle " + std::to_string(handle) + " after a busy pass";
                }
            }
        }
        return {};
    }

    void Count(TurboState before) {
        const sim::Game& g = sim::game();
        if (before != TurboState::Boosting && turboState == TurboState::Boosting) {
            ++counts_.launches;
            if (const sim::Vehicle* v = sim::game().world.Find(currentVehicle)) {
                ++counts_.byClass[static_cast<int>(v->vehicleClass)];
            }
        }
        for (const sim::CallRecord& call : g.calls) {
            counts_.cancels += call.name == "_START_SCREEN_EFFECT" && call.S(0) == "RampageOut";
        }
        const bool slowed = g.world.timeScale != 1.0f;
        counts_.slowMotions += slowed && !slowedBefore_ ? 1 : 0;
        slowedBefore_ = slowed;
        counts_.menuFrames += rootPage.isOpen ? 1 : 0;
        counts_.saves += saved_ ? 1 : 0;
        for (const sim::SoundPlay& play : g.sounds) {
            counts_.copyPlays += play.frame == g.frame && (play.flags & 0x0004) != 0 ? 1 : 0;
        }
        counts_.keyWaits += keyWaitOn && !waitedBefore_ ? 1 : 0;
        waitedBefore_ = keyWaitOn;
        for (const sim::CallRecord* call : g.Calls("WritePrivateProfileStringA")) {
            for (const KeySettingField& f : kKeySettingFields) {
                counts_.keysSet += call->args.size() > 1 && call->S(1) == f.key ? 1 : 0;
            }
        }
        for (const sim::FrontendSound& sound : g.world.frontendSounds) {
            counts_.refusals += sound.name == "ERROR" ? 1 : 0;
        }
    }

    // The game keeps a record of everything; a long run keeps only what the
    // next frame's play and checks look at.
    void Tidy() {
        sim::Game& g = sim::game();
        sim::World& w = g.world;
        g.calls.clear();
        g.script.waits.clear();
        if (g.sounds.size() > 1) {
            g.sounds.erase(g.sounds.begin(), g.sounds.end() - 1);
        }
        if (w.timeScaleChanges.size() > 1) {
            w.timeScaleChanges.erase(w.timeScaleChanges.begin(), w.timeScaleChanges.end() - 1);
        }
        w.drawLists.clear();
        w.particleStarts.clear();
        w.cameraShakes.clear();
        w.frontendSounds.clear();
        std::erase_if(w.feed, [](const sim::FeedItem& item) { return item.removed; });
        std::erase_if(w.collisions, [](const sim::Collision& c) { return c.done; });
        const std::uint64_t frame = g.frame;
        std::erase_if(g.input.keyHolds,
                      [frame](const sim::Input::KeyHold& h) { return h.first + h.count < frame; });
        std::erase_if(g.input.buttonHolds, [frame](const sim::Input::ButtonHold& h) {
            return h.firstFrame + h.frameCount < frame;
        });
    }

    struct Counts {
        unsigned long long launches = 0;
        unsigned long long byClass[std::size(kClasses)] = {};
        unsigned long long cancels = 0;
        unsigned long long slowMotions = 0;
        unsigned long long restarts = 0;
        unsigned long long menuFrames = 0;
        unsigned long long saves = 0;
        unsigned long long unusableSpeeds = 0;
        unsigned long long copyPlays = 0;
        unsigned long long pauses = 0;
        unsigned long long busySpans = 0;
        unsigned long long keyWaits = 0;
        unsigned long long pausedWaits = 0;
        unsigned long long busyWaits = 0;
        unsigned long long keysSet = 0;
        unsigned long long refusals = 0;
    };

    // The keyboard's nine settings lead KeySetting; the Pad page's row follows.
    static constexpr std::uint32_t kKeyboardSettings = 9;
    static constexpr int kPadRow = 9;
    enum class Visit : std::uint8_t { None, Keys, Out };

    std::mt19937_64 random_;
    Counts counts_;
    std::string folder_;
    SettingsRecord atLastSave_{};
    bool saved_ = false;
    bool slowedBefore_ = false;
    // The slide before the frame; the screen the module last asked about.
    float slideBefore_ = kMenuHiddenOffset;
    float askedAspect_ = 16.0f / 9.0f;
    float askedSafeZone_ = 1.0f;
    // The visit to the Keys page: the row picked (the Pad page's from
    // kPadRow on), the next tap, the frame the wait is answered.
    Visit visit_ = Visit::None;
    int target_ = -1;
    std::uint64_t nextTap_ = 0;
    std::uint64_t answerFrame_ = 0;
    bool waitedBefore_ = false;
    bool chordHeld_ = false;
    SettingsRecord checked_{};
    std::optional<std::uint32_t> closedSince_;
    std::optional<std::uint32_t> allSince_;
};

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"veloxan-soak: random play in the simulated game, every frame checked"};
    std::uint64_t seed = 1;
    std::uint64_t frames = 100000;
    std::uint32_t startTick = 0xFFFFFFFFu - 60000u; // a minute before the wrap
    app.add_option("--seed", seed, "seed of the random play; a failure prints it");
    app.add_option("--frames", frames, "frames to play");
    app.add_option("--start-tick", startTick, "GetTickCount at the first frame");
    CLI11_PARSE(app, argc, argv);

    char pattern[] = "/tmp/veloxan-soak-XXXXXX";
    const char* made = mkdtemp(pattern);
    if (made == nullptr) {
        std::fprintf(stderr, "veloxan-soak: no temporary folder\n");
        return 2;
    }
    const auto began = std::chrono::steady_clock::now();
    Soak soak(seed, made);
    soak.Boot(startTick);
    int result = 0;
    std::uint64_t frame = 0;
    while (frame < frames) {
        ++frame;
        const std::string broken = soak.Frame();
        if (!broken.empty()) {
            std::fprintf(stderr,
                         "veloxan-soak: seed %llu, frame %llu: %s\n"
                         "replay: veloxan-soak --seed %llu --frames %llu --start-tick %u\n",
                         static_cast<unsigned long long>(seed),
                         static_cast<unsigned long long>(frame), broken.c_str(),
                         static_cast<unsigned long long>(seed),
                         static_cast<unsigned long long>(frame), startTick);
            result = 1;
            break;
        }
    }
    sim::StopScript();
    std::error_code ignored;
    std::filesystem::remove_all(made, ignored);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    std::printf("veloxan-soak: seed %llu, %llu frames (%.1f game hours, tick %u to %u) in %.1f s: "
                "%s\n",
                static_cast<unsigned long long>(seed), static_cast<unsigned long long>(frame),
                static_cast<double>(frame) * 16.0 / 3.6e6, startTick,
                static_cast<std::uint32_t>(startTick + frame * 16u), seconds,
                result == 0 ? "every rule held" : "FAILED");
    soak.PrintCounts();
    return result;
}
