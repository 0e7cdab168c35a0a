// veloxan-game: the real Veloxan.asi in the Windows loader (under wine), on
// the stand-in ScriptHookV.dll's fibre, in the simulated game. Each scenario
// plays one stretch of the game as a player would and checks what the game
// was told; each runs in a process of its own.
//
//   veloxan-game <scenario> <ScriptHookV.dll> <Veloxan.asi> <release Veloxan.ini>
//
// Exit status 0 when every check held, 1 when one failed, 2 on bad usage.

#include "bad_ini_scenarios.h"
#include "golden_scenario.h"
#include "pad_menu_scenario.h"
#include "recorded_imports.h"
#include "scenario_support.h"
#include "version.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <string>

namespace {

using namespace scenario;

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

bool Has(const std::vector<std::string>& list, const std::string& item) {
    return Contains(list, item);
}

std::string Join(const std::vector<std::uint64_t>& frames) {
    std::string out = "[";
    for (const std::uint64_t f : frames) {
        if (out.size() > 1) {
            out += ',';
        }
        out += std::to_string(f);
    }
    out += ']';
    return out;
}

// A held trigger key is accepted on its first frame and then again only when
// more than 200 ms have passed: the key is not even asked for in between.
void ExpectAcceptedEvery200Ms(const Session& s, int vk, std::uint64_t first, std::uint64_t frames,
                              const std::string& what) {
    std::vector<std::uint64_t> expected;
    for (std::uint64_t f = first; f < first + frames; f += kFramesPerKeyWait) {
        expected.push_back(f);
    }
    const std::vector<std::uint64_t> polled = s.FramesPolling(vk, first, first + frames - 1);
    Expect(polled == expected,
           what + ": polled in frames " + Join(polled) + ", expected " + Join(expected));
}

// --- scenarios -----------------------------------------------------------------

void StartupWithoutIni(const Paths& paths) {
    Session s(paths);
    Expect(!s.IniExists(), "the game folder holds no Veloxan.ini");
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    Expect(g.Count("scriptRegister") == 1 && g.calls.front().name == "scriptRegister" &&
               g.calls.front().frame == 0,
           "DllMain registers the script once, while the loader maps the module");
    Expect(g.script.starts == 1 && g.script.running, "ScriptHookV started the script once");
    Expect(Has(s.loaded.patched, "KERNEL32.dll!GetTickCount") &&
               Has(s.loaded.patched, "USER32.dll!GetAsyncKeyState") &&
               Has(s.loaded.patched, "XINPUT9_1_0.dll!XInputGetState"),
           "the module imports the clock, the keys and the pad from Windows and XInput");

    // No pad answers: the search asks the four user indices once, in frame 1.
    std::vector<std::int32_t> padIndices;
    for (const sim::CallRecord* c : g.Calls("XInputGetState")) {
        padIndices.push_back(c->frame == 1 ? c->I(0) : -1);
    }
    Expect(padIndices == std::vector<std::int32_t>{0, 1, 2, 3},
           "pads 0 to 3 are tried in order, at start only");

    s.Run(20);
    Expect(s.FramesPolling(kKeyT, 1, g.frame).size() == g.frame,
           "without a file the trigger is T (84), polled on every frame");
    bool onlyT = true;
    for (const sim::CallRecord* c : g.Calls("GetAsyncKeyState")) {
        onlyT = onlyT && c->I(0) == kKeyT;
    }
    Expect(onlyT, "with T up no other key is asked for");
    Expect(g.Count("XInputGetState") == 4, "with no pad found the pad is never read again");
    bool drew = false;
    for (std::uint64_t f = 1; f <= g.frame; ++f) {
        drew = drew || !g.world.DrawList(f).empty();
    }
    Expect(!drew, "no first-run notice and no menu are drawn");
    Expect(!s.IniExists(), "reading the settings creates no file");

    s.DriveCar(20.0f);
    s.HoldKey(kKeyT, 20);
    const std::uint64_t press = g.frame + 1;
    s.Run(20);
    ExpectAcceptedEvery200Ms(s, kKeyT, press, 20, "T held for 20 frames");
}

void StartupWithIni(const Paths& paths) {
    Session s(paths);
    const std::string file = "; bindings of the player\r\n"
                             "[Other]\r\n"
                             "KEY_PC=65\r\n"
                             "[Veloxan]\r\n"
                             "KEY_PC = 72\r\n"
                             "KEY_PC_MENU=17\r\n"
                             "KEY_GAMEPAD=4096\r\n"
                             "New_Install=0\r\n";
    s.WriteIni(file);
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    s.Run(10);
    Expect(s.FramesPolling(0x48, 1, g.frame).size() == g.frame,
           "KEY_PC=72 from the file makes H the trigger, polled on every frame");
    Expect(s.FramesPolling(kKeyT, 1, g.frame).empty() && s.FramesPolling(65, 1, g.frame).empty(),
           "neither the default T nor the other section's key is asked for");

    s.DriveCar(20.0f);
    s.HoldKey(kKeyT, 10);
    s.Run(10);
    s.HoldKey(kKeyH, 20);
    const std::uint64_t press = g.frame + 1;
    s.Run(20);
    ExpectAcceptedEvery200Ms(s, kKeyH, press, 20, "H held for 20 frames");
    // H down, so the menu key of the file (17) is asked for, by the menu step
    // and by the trigger's exclusion.
    Expect(!s.FramesPolling(17, press, press).empty(), "KEY_PC_MENU=17 is read from the file");
    Expect(s.ReadIni() == file, "the file is left byte for byte as it was");
}

void GamepadTrigger(const Paths& paths) {
    Session s(paths);
    // A and B together fire; either alone does not.
    s.WriteIni("[Veloxan]\r\nKEY_GAMEPAD=4096\r\nKEY_GAMEPAD_2=8192\r\n");
    s.game.input.ConnectPad(1);
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    // Frame 1: the search (0, then 1 answers), then the main loop's first
    // read of the pad it found.
    std::vector<std::int32_t> read;
    for (const sim::CallRecord* c : g.Calls("XInputGetState")) {
        read.push_back(c->I(0));
    }
    Expect(read == std::vector<std::int32_t>{0, 1, 1}, "the search stops at the first pad, 1");

    s.DriveCar(20.0f);
    // Reads of pad 1 per frame; any other index counts against frame 0.
    const auto padReads = [&g](std::uint64_t from, std::uint64_t to) {
        std::map<std::uint64_t, int> perFrame;
        for (const sim::CallRecord* c : g.Calls("XInputGetState")) {
            if (c->frame >= from && c->frame <= to) {
                ++perFrame[c->I(0) == 1 ? c->frame : 0];
            }
        }
        return perFrame;
    };

    s.HoldButtons(1, kPadA, 20);
    std::uint64_t from = g.frame + 1;
    s.Run(20);
    std::map<std::uint64_t, int> reads = padReads(from, g.frame);
    bool twiceEachFrame = reads.size() == 20;
    for (const auto& [frame, count] : reads) {
        twiceEachFrame = twiceEachFrame && count == 2;
    }
    Expect(twiceEachFrame, "A alone matches KEY_GAMEPAD, and the pad is read again for "
                           "KEY_GAMEPAD_2 on every frame: never accepted");

    s.HoldButtons(1, static_cast<std::uint16_t>(kPadA | kPadB), 20);
    from = g.frame + 1;
    s.Run(20);
    reads = padReads(from, g.frame);
    std::vector<std::uint64_t> readFrames;
    for (const auto& [frame, count] : reads) {
        readFrames.push_back(frame);
    }
    Expect(readFrames == std::vector<std::uint64_t>{from, from + 13},
           "A+B is accepted and the pad rests for 200 ms: read in frames " + Join(readFrames));
}

void ScriptRestart(const Paths& paths) {
    Session s(paths);
    s.WriteIni("[Veloxan]\r\nKEY_PC=84\r\nKEY_PC_MENU=16\r\nslowmo=50\r\n");
    if (!s.Boot()) {
        return;
    }
    sim::Game& g = s.game;
    const std::int32_t car = s.DriveCar(20.0f);
    g.world.Get(car).throttle = 1.0f;
    s.HoldKey(kKeyT, 1);
    s.Run(100);
    // A crash half a second into the boost ends it in slow motion (slowmo 50 %).
    g.world.ScheduleCollision(car, g.tick + 500, 1.0f);
    const bool slowed = s.RunUntil([&g] { return g.world.timeScale == 0.5f; }, 100);
    Expect(slowed, "the crash ends the boost in slow motion at half speed");
    s.Run(20);

    // The game reloads its scripts while the shutdown waits out the slow
    // motion: ScriptHookV abandons the fibre there and starts ScriptMain again
    // in the module that stayed loaded.
    s.WriteIni("[Veloxan]\r\nKEY_PC=72\r\nKEY_PC_MENU=16\r\n");
    sim::RestartScript();
    const std::uint64_t restart = g.frame + 1;
    s.Run(1);
    Expect(g.script.starts == 2 && g.script.registrations == 1,
           "the entry ran twice, registered once");
    Expect(g.world.timeScale == 1.0f, "the new start puts game time back to normal");
    s.Run(10);
    Expect(s.FramesPolling(kKeyH, restart, g.frame).size() == g.frame - restart + 1 &&
               s.FramesPolling(kKeyT, restart, g.frame).empty(),
           "the second start reads the file afresh: H is the trigger now");

    // The menu built by the second start has its seven rows once.
    s.HoldKey(kKeyH, 1);
    s.HoldKey(kKeyShift, 1);
    s.Run(15);
    int durationRows = 0;
    int resetRows = 0;
    for (const std::string& text : s.DrawnTexts(g.frame)) {
        durationRows += text == "Duration" ? 1 : 0;
        resetRows += text == "Reset settings" ? 1 : 0;
    }
    Expect(durationRows == 1 && resetRows == 1, "the menu lists each row once after the restart");
    s.HoldKey(kKeyH, 1);
    s.HoldKey(kKeyShift, 1);
    s.Run(15);

    // The turbo starts over from Ready: a press activates at once.
    const std::size_t activations = s.FeedTexts().size();
    s.HoldKey(kKeyH, 1);
    s.Run(2);
    Expect(s.FeedTexts().size() == activations + 1 && s.FeedTexts().back() == "VELOXAN ACTIVATED",
           "H activates a new boost after the restart");

    // Reloaded mid-boost: the new start ends the boost's screen effect and
    // recording, as a shutdown would, and gives the car back its radio and power.
    Expect(s.RunUntil([&g] { return g.world.EffectActive("FocusIn"); }, 200),
           "the new boost launches");
    s.Run(20);
    sim::RestartScript();
    s.Run(1);
    const sim::SoundPlay& recording = g.sounds.back();
    Expect(!g.world.EffectActive("FocusIn"), "a restart mid-boost stops FocusIn");
    Expect(recording.id != 107 && recording.cutOff && recording.playedMs < recording.durationMs,
           "a restart mid-boost stops the boost's recording (PlaySoundA with a null sound)");
    Expect(g.world.Get(car).radioEnabled && g.world.Get(car).enginePowerMultiplier == 1.0f,
           "a restart mid-boost gives the car back its radio and normal power");
}

// --- the boost -------------------------------------------------------------------

constexpr std::uint32_t kSndFlags = 0x0005; // SND_MEMORY | SND_ASYNC: the module's copies

// The frame of the first feed post with this text, 0 when there is none.
std::uint64_t PostedFrame(const sim::Game& g, const std::string& text) {
    for (const sim::FeedItem& item : g.world.feed) {
        if (item.text == text) {
            return item.postedFrame;
        }
    }
    return 0;
}

std::uint32_t TickOf(const sim::Game& g, std::uint64_t frame) {
    return g.options.startTick + static_cast<std::uint32_t>(frame) * g.options.msPerFrame;
}

std::string SoundList(const sim::Game& g) {
    std::string out;
    for (const sim::SoundPlay& play : g.sounds) {
        if (!out.empty()) {
            out += ' ';
        }
        out += std::to_string(play.id);
        out += '@';
        out += std::to_string(play.frame);
    }
    return out;
}

// In a car at 20 m/s on full throttle for 15 frames, the player presses T
// in the next one. The car's handle.
std::int32_t PressTriggerWhileDriving(Session& s) {
    const std::int32_t car = s.DriveCar(20.0f);
    s.game.world.Get(car).throttle = 1.0f;
    s.Run(15);
    s.HoldKey(kKeyT, 1);
    return car;
}

// One whole boost from the press to "Turbo Boost System Online", on the
// sound profile and duration that the file (or its absence) gives.
void WholeBoost(const Paths& paths, bool orca) {
    Session s(paths);
    if (orca) {
        // Profile 0, and a boost of 20 % of 10.5 s: 2100 ms after a 2000 ms spool-up.
        s.WriteIni("[Veloxan]\r\nSFX_type=0\r\nduration=20\r\n");
    }
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    Expect(Has(s.loaded.patched, "WINMM.dll!PlaySoundA"), "the module plays its sounds with winmm");
    const std::int32_t car = PressTriggerWhileDriving(s);
    const std::uint64_t press = g.frame + 1;
    const bool online = s.RunUntil([&s] { return s.Posted("Turbo Boost System Online"); }, 900);
    Expect(online, "the boost runs its course and the turbo comes back online");

    const std::string spool = orca ? "106" : "108";
    const std::string end =
        orca ? "Veloxan deactivated successfully." : "Veloxan has been shut down";
    const std::vector<std::string> expectedFeed = {"VELOXAN ACTIVATED", end,
                                                   "Turbo Boost System Online"};
    Expect(s.FeedTexts() == expectedFeed,
           "the feed tells activation, \"" + end + "\" and \"Turbo Boost System Online\"");
    Expect(PostedFrame(g, "VELOXAN ACTIVATED") == press, "activated in the frame of the press");

    // The spool-up sound starts with the press; the blow-off cuts it off.
    const bool soundsOk = g.sounds.size() == 2 && g.sounds[0].id == (orca ? 106u : 108u) &&
                          g.sounds[0].frame == press && g.sounds[1].id == 107 &&
                          g.sounds[0].found && g.sounds[1].found && g.sounds[0].cutOff &&
                          g.sounds[0].flags == kSndFlags && g.sounds[1].flags == kSndFlags;
    Expect(soundsOk, "WAVE " + spool +
                         " at the press, then 107 cutting it off, both from the "
                         "module's copies of its resources: " +
                         SoundList(g));

    // Launch after the spool-up wait: the push of boost 0.35 x 15 x 1.5 m/s.
    const std::uint32_t spoolMs = orca ? 2000 : 1250;
    const sim::CallRecord* launch = nullptr;
    for (const sim::CallRecord* c : g.Calls("SET_VEHICLE_FORWARD_SPEED")) {
        launch = launch != nullptr ? launch : c;
    }
    Expect(launch != nullptr && launch->tick - TickOf(g, press) >= spoolMs &&
               launch->tick - TickOf(g, press) < spoolMs + 16,
           "the launch comes " + std::to_string(spoolMs) + " ms after the press");
    const sim::CallRecord* shake = g.Last("SHAKE_GAMEPLAY_CAM");
    Expect(shake != nullptr && launch != nullptr && shake->frame == launch->frame &&
               shake->S(0) == "SMALL_EXPLOSION_SHAKE",
           "the camera shakes at the launch");

    // The end: profile 1 stops at its 4500 ms limit, profile 0 after 2100 ms.
    const std::uint32_t boostMs = orca ? 2100 : 4500;
    const std::uint64_t ended = PostedFrame(g, end);
    const std::uint32_t ran = launch != nullptr ? TickOf(g, ended) - launch->tick : 0;
    Expect(ran > boostMs && ran <= boostMs + 16, "the boost ends " + std::to_string(ran) +
                                                     " ms after the launch, just past " +
                                                     std::to_string(boostMs) + " ms");
    Expect(!g.sounds.empty() && g.sounds.back().frame == ended, "the blow-off plays at the end");
    Expect(s.game.world.Get(car).enginePowerMultiplier == 1.0f, "engine power is back to normal");
    Expect(s.game.world.Get(car).radioEnabled, "the radio is on again");

    // 224 recharge steps in the vehicle, one per frame after the shutdown's wait.
    const std::uint64_t back = PostedFrame(g, "Turbo Boost System Online");
    Expect(back - ended >= 224 && back - ended <= 226,
           "back online " + std::to_string(back - ended) + " frames after the end");
}

void BoostLumen(const Paths& paths) { WholeBoost(paths, false); }
void BoostOrca(const Paths& paths) { WholeBoost(paths, true); }

void BoostCancel(const Paths& paths) {
    Session s(paths);
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    const std::int32_t car = PressTriggerWhileDriving(s);
    s.Run(1);
    // Into the boost: launched after 1250 ms, then a second press cancels it.
    s.Run(100);
    Expect(g.Count("SHAKE_GAMEPLAY_CAM") == 1 && g.sounds.size() == 1,
           "launched and boosting before the second press");
    const float before = s.game.world.Get(car).speed;
    s.HoldKey(kKeyT, 1);
    const std::uint64_t cancel = g.frame + 1;
    s.Run(1);

    const sim::CallRecord* cut = g.Last("SET_VEHICLE_FORWARD_SPEED");
    const float divisor = before > 27.0f ? 2.0f : 1.4f;
    Expect(cut != nullptr && cut->frame == cancel && cut->F(1) > before / divisor - 0.01f &&
               cut->F(1) < before / divisor + 0.01f,
           "the press cuts the speed of " + std::to_string(before) + " m/s by " +
               std::to_string(divisor));
    const auto rampage = g.world.screenEffects.find("RampageOut");
    Expect(rampage != g.world.screenEffects.end() && rampage->second.starts == 1,
           "the cancel starts \"RampageOut\"");
    s.Run(2);
    const std::vector<std::string> feed = {"VELOXAN ACTIVATED", "Veloxan has been shut down",
                                           "Veloxan: Recharging..."};
    Expect(s.FeedTexts() == feed,
           "the feed: shut down, then \"Veloxan: Recharging...\" for the press");
    Expect(g.sounds.size() == 2 && g.sounds[1].id == 107 && g.sounds[0].cutOff,
           "the blow-off cuts the boost sound off: " + SoundList(g));
    Expect(s.RunUntil([&s] { return s.Posted("Turbo Boost System Online"); }, 300),
           "the turbo recharges after a cancel");
}

// --- the menu and the first-run notice ------------------------------------------------

bool Drew(const Session& s, std::uint64_t frame, const std::string& text) {
    return Contains(s.DrawnTexts(frame), text);
}

// SHIFT + T for one frame: the menu key chord of the release file.
void PressMenuChord(Session& s) {
    s.HoldKey(kKeyT, 1);
    s.HoldKey(kKeyShift, 1);
    s.Run(1);
}

// One tap of a key, then enough frames for the next key to pass the wait.
void Tap(Session& s, int vk) {
    s.HoldKey(vk, 1);
    s.Run(kFramesPerKeyWait + 1);
}

// The text of the row under the white highlight in a frame; empty when the
// menu was not drawn.
std::string SelectedRowText(const Session& s, std::uint64_t frame) {
    int selected = -1;
    std::vector<std::string> rows;
    for (const sim::DrawItem& item : s.game.world.DrawList(frame)) {
        if (item.kind == sim::DrawItem::Rect && item.rect.red == 250 && item.rect.alpha == 235) {
            selected = static_cast<int>((item.rect.y - 0.1662f) / 0.0425f + 0.5f) - 1;
        } else if (item.kind == sim::DrawItem::Text && item.text.style.scaleX == 0.32f) {
            rows.push_back(item.text.text);
        }
    }
    return selected >= 0 && selected < static_cast<int>(rows.size())
               ? rows[static_cast<std::size_t>(selected)]
               : std::string();
}

// Numpad 2 until the row whose text starts with `label` is selected, so that
// the scenario does not depend on where the row sits.
void SelectRow(Session& s, const std::string& label) {
    for (int tap = 0; tap < 10 && SelectedRowText(s, s.game.frame).rfind(label, 0) != 0; ++tap) {
        Tap(s, kNumpad2);
    }
    Expect(SelectedRowText(s, s.game.frame).rfind(label, 0) == 0,
           "numpad 2 reaches the row \"" + label + "\"");
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (const char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

void FirstRunNotice(const Paths& paths) {
    Session s(paths);
    s.WriteIni(s.ReleaseIni());
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    s.Run(20);
    bool everyFrame = true;
    for (std::uint64_t f = 1; f <= g.frame; ++f) {
        everyFrame = everyFrame && Drew(s, f, "Press SHIFT + T to enter SETUP") &&
                     Drew(s, f, "~r~and to remove this message~r~.") && Drew(s, f, "Veloxan");
    }
    Expect(everyFrame, "the release file's New_Install=1 shows the notice on every frame");

    PressMenuChord(s);
    const std::uint64_t opened = g.frame;
    s.Run(20);
    Expect(Drew(s, opened + 12, "Duration"), "SHIFT + T opens the settings menu");
    Expect(!Drew(s, opened + 1, "Press SHIFT + T to enter SETUP") &&
               !Drew(s, g.frame, "Press SHIFT + T to enter SETUP"),
           "the notice is gone once the menu has opened");
    const std::vector<std::string> lines = Lines(s.ReadIni());
    Expect(Contains(lines, "New_Install=0") && !Contains(lines, "New_Install=1"),
           "opening the menu wrote New_Install=0 to the file");

    // After the game reloads its scripts the file is read again: no notice.
    sim::RestartScript();
    s.Run(5);
    Expect(!Drew(s, g.frame, "Press SHIFT + T to enter SETUP"), "the notice does not come back");
}

void MenuSettings(const Paths& paths) {
    Session s(paths);
    const std::string release = s.ReleaseIni();
    s.WriteIni(release);
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    const std::int32_t car = s.DriveCar(15.0f);
    s.game.world.Get(car).throttle = 1.0f;
    s.Run(5);

    PressMenuChord(s);
    s.Run(kFramesPerKeyWait);
    Expect(!s.Posted("VELOXAN ACTIVATED"), "SHIFT + T opens the menu and fires no boost");
    Expect(Drew(s, g.frame, "Duration") && Drew(s, g.frame, "SFX: << Lumen  "),
           "the menu lists Duration first and the Lumen profile of the file");

    SelectRow(s, "Duration");
    Tap(s, kNumpad6); // Duration 0.6 -> 0.625
    SelectRow(s, "SFX: ");
    Tap(s, kNumpad4); // "SFX: " to Orca
    Expect(Drew(s, g.frame, "SFX:   Orca >>"), "numpad 4 on the sound row picks Orca");
    PressMenuChord(s);
    s.Run(kFramesPerKeyWait + 12);
    Expect(!Drew(s, g.frame, "Duration"), "SHIFT + T closes the menu");

    // The file as the real WritePrivateProfileStringA left it: the seven
    // keys the save writes changed in place, every other line kept.
    std::vector<std::string> expected = Lines(release);
    for (std::string& line : expected) {
        if (line == "duration=60") {
            line = "duration=62";
        } else if (line == "SFX_type=1") {
            line = "SFX_type=0";
        } else if (line == "New_Install=1") {
            line = "New_Install=0";
        }
    }
    const std::vector<std::string> written = Lines(s.ReadIni());
    Expect(written == expected, "the saved file keeps every comment and key; duration=62, "
                                "SFX_type=0, New_Install=0");
    if (written != expected) {
        std::printf("--- file after the save:\n%s---\n", s.ReadIni().c_str());
    }

    // The change acts at once: the next boost spools up with Orca's sound.
    s.HoldKey(kKeyT, 1);
    s.Run(2);
    Expect(s.Posted("VELOXAN ACTIVATED") && !g.sounds.empty() && g.sounds.back().id == 106,
           "the next boost plays the Orca spool-up, 106: " + SoundList(g));
}

// The Keys page through the real module: Select on "Boost: " waits for a key,
// F9 is taken, and the real profile functions read back the one key written,
// by its name; the next load reads it as F9, and F9 then boosts.
void KeysInTheMenu(const Paths& paths) {
    Session s(paths);
    s.WriteIni(s.ReleaseIni());
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    s.DriveCar(15.0f);
    s.Run(5);
    PressMenuChord(s);
    s.Run(kFramesPerKeyWait);
    SelectRow(s, "Keys");
    Tap(s, kNumpad5);
    SelectRow(s, "Boost: T");
    Tap(s, kNumpad5);
    Expect(Drew(s, g.frame, "Boost: press a key"), "Select makes the row wait for a key");
    constexpr int kF9 = 0x78;
    s.HoldKey(kF9, 2);
    s.Run(kFramesPerKeyWait + 1);
    Expect(Drew(s, g.frame, "Boost: F9"), "the row shows F9");

    char text[32] = {};
    GetPrivateProfileStringA("Veloxan", "KEY_PC", "", text, sizeof text, ".\\Veloxan.ini");
    Expect(std::string(text) == "F9", std::string("KEY_PC reads back as \"") + text + "\"");
    Expect(GetPrivateProfileIntA("Veloxan", "KEY_PC", 84, ".\\Veloxan.ini") == 0,
           "KEY_PC is a name, not a number");
    Expect(s.ReadLog().find("KEY_PC set in the menu: F9 (120)") != std::string::npos,
           "the log names the key set");

    sim::RestartScript();
    s.Run(5);
    Expect(s.ReadLog().find(" KEY_PC=120 (F9)") != std::string::npos,
           "the next start reads KEY_PC as F9");
    s.HoldKey(kKeyT, 1);
    s.Run(kFramesPerKeyWait + 1);
    Expect(!s.Posted("VELOXAN ACTIVATED"), "T no longer boosts");
    s.HoldKey(kF9, 1);
    s.Run(2);
    Expect(s.Posted("VELOXAN ACTIVATED"), "F9 boosts");
}

// KEY_PC set to the key left of Enter (222) on the Keys page: the row shows
// wine's own name for it, the file and the log the module's; the names are
// asked at the start (the notice), the menu's opening and the key's setting.
void KeyNamesFromWindows(const Paths& paths) {
    Session s(paths);
    s.WriteIni(s.ReleaseIni());
    s.beforeStart = [](HMODULE module) { RecordWindowsImports(module); };
    if (!s.Boot()) {
        return;
    }
    constexpr int kQuote = 0xDE;
    wchar_t wide[32] = {};
    char name[96] = {};
    GetKeyNameTextW(static_cast<LONG>(MapVirtualKeyW(kQuote, MAPVK_VK_TO_VSC) << 16), wide, 32);
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, name, sizeof name, nullptr, nullptr);
    Expect(*name != '\0' && std::string(name) != "Quote",
           std::string("wine has a name of its own for key 222: \"") + name + "\"");
    PressMenuChord(s);
    s.Run(kFramesPerKeyWait);
    SelectRow(s, "Keys");
    Tap(s, kNumpad5);
    SelectRow(s, "Boost: T");
    Tap(s, kNumpad5);
    s.HoldKey(kQuote, 2);
    s.Run(kFramesPerKeyWait + 1);
    Expect(Drew(s, s.game.frame, std::string("Boost: ") + name), "the row shows wine's name");
    char text[32] = {};
    GetPrivateProfileStringA("Veloxan", "KEY_PC", "", text, sizeof text, ".\\Veloxan.ini");
    Expect(std::string(text) == "Quote", std::string("KEY_PC reads back as \"") + text + "\"");
    Expect(s.ReadLog().find("KEY_PC set in the menu: Quote (222)") != std::string::npos,
           "the log names the key by the module's name");
    s.Run(30);
    std::set<std::uint64_t> asked;
    for (const sim::CallRecord* c : s.game.Calls("GetKeyNameTextW")) {
        asked.insert(c->frame);
    }
    Expect(asked.size() == 3, "the names are asked in three frames (start, opening, key set): " +
                                  Join({asked.begin(), asked.end()}));
}

// --- ScriptHookV's developer mode: unload and load again ----------------------------

void UnloadAndReload(const Paths& paths) {
    Session s(paths);
    s.WriteIni(s.ReleaseIni());
    if (!s.Boot()) {
        return;
    }
    sim::Game& g = s.game;
    Expect(Has(s.loaded.patched, "USER32.dll!GetForegroundWindow") &&
               Has(s.loaded.patched, "USER32.dll!GetWindowThreadProcessId"),
           "the module asks Windows for the foreground window and its process");
    const std::int32_t car = s.DriveCar(20.0f);
    g.world.Get(car).throttle = 1.0f;
    s.Run(15);

    // The player types into another program: T and Shift + T do nothing there,
    // and the module does not even ask for them.
    g.input.foreground = false;
    const std::uint64_t away = g.frame + 1;
    s.HoldKey(kKeyT, 20);
    s.HoldKey(kKeyShift, 5);
    s.Run(20);
    Expect(s.FramesPolling(kKeyT, away, g.frame).empty() &&
               s.FramesPolling(kKeyShift, away, g.frame).empty() &&
               !s.Posted("VELOXAN ACTIVATED") && !Drew(s, g.frame, "Duration"),
           "another program in front: T and Shift + T are not read");
    Expect(Drew(s, g.frame, "Press SHIFT + T to enter SETUP"), "the notice is still drawn");
    g.input.foreground = true;
    s.HoldKey(kKeyT, 1);
    s.Run(100);
    Expect(s.Posted("VELOXAN ACTIVATED") && g.Count("SHAKE_GAMEPLAY_CAM") == 1,
           "back in the game, T activates and the boost launches");

    // Mid-boost, ScriptHookV unloads the module.
    const std::size_t callsBefore = g.calls.size();
    const std::string logBefore = s.ReadLog();
    if (!s.Unload()) {
        return;
    }
    Expect(g.calls.size() == callsBefore + 1 && g.calls.back().name == "scriptUnregister" &&
               g.script.unregistrations == 1,
           "FreeLibrary mid-boost: the module unregisters once, with its own handle, and does "
           "nothing else");
    Expect(s.ReadLog() == logBefore && logBefore.find(" boost launched at ") != std::string::npos,
           "the log beside the module told the boost, and the unload wrote nothing to it");
    s.Run(10);
    Expect(g.calls.size() == callsBefore + 1, "no script of the module runs once it is unloaded");

    if (!s.LoadAgain()) {
        return;
    }
    Expect(g.script.registrations == 2 && g.script.starts == 2,
           "LoadLibrary again: the module registers and ScriptHookV starts it");
    Expect(Drew(s, g.frame, "Press SHIFT + T to enter SETUP"),
           "the settings are read again: the file's New_Install=1 brings the notice back");
    const std::string log = s.ReadLog();
    Expect(log.find(" Veloxan " VELOXAN_VERSION_TEXT "\r\n") != std::string::npos &&
               log.find(" boost ") == std::string::npos,
           "the new load starts a fresh log");
    s.Run(15);
    s.HoldKey(kKeyT, 1);
    s.Run(100);
    const std::vector<std::string> feed = s.FeedTexts();
    Expect(std::count(feed.begin(), feed.end(), "VELOXAN ACTIVATED") == 2 &&
               g.Count("SHAKE_GAMEPLAY_CAM") == 2,
           "T boosts again after the reload");
    std::printf("--- Veloxan.log of the first load:\n%s--- and of the second:\n%s---\n",
                logBefore.c_str(), s.ReadLog().c_str());
}

// --- the pause menu and an unload while a sound plays ------------------------------

// Where a RIFF/WAVE image keeps its fmt and data chunks' bodies; fmtLength 0
// when the image is not whole.
struct WaveChunks {
    std::size_t fmtAt = 0;
    std::size_t fmtLength = 0;
    std::size_t dataAt = 0;
    std::size_t dataLength = 0;
};

std::uint32_t Le32(const unsigned char* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

WaveChunks ChunksOf(const unsigned char* image, std::size_t size) {
    WaveChunks out;
    if (size < 12 || std::memcmp(image, "RIFF", 4) != 0 || Le32(image + 4) != size - 8 ||
        std::memcmp(image + 8, "WAVE", 4) != 0) {
        return out;
    }
    for (std::size_t at = 12; at + 8 <= size;) {
        const std::size_t length = Le32(image + at + 4);
        if (length > size - at - 8) {
            break;
        }
        if (std::memcmp(image + at, "fmt ", 4) == 0) {
            out.fmtAt = at + 8;
            out.fmtLength = length;
        } else if (std::memcmp(image + at, "data", 4) == 0) {
            out.dataAt = at + 8;
            out.dataLength = length;
            return out;
        }
        at += 8 + length + (length & 1u);
    }
    out.fmtLength = 0;
    return out;
}

// True when the address lies in the image of Veloxan.asi.
bool InModuleImage(const void* at, HMODULE module) {
    HMODULE holder = nullptr;
    return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                  GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCWSTR>(at), &holder) != FALSE &&
           holder == module;
}

// Boosting at full volume, the player opens the pause menu: the first paused
// pass stops the recording and every paused pass only asks whether the game
// is still paused. The pass after the pause plays the rest of the same
// recording from inside its copy, behind a header of its own; a later sound
// puts the copy back as it was.
void PauseMidBoost(const Paths& paths) {
    Session s(paths);
    s.WriteIni("[Veloxan]\r\nSFX_volume=100\r\n");
    s.game.input.ConnectPad(0);
    if (!s.Boot()) {
        return;
    }
    sim::Game& g = s.game;
    PressTriggerWhileDriving(s);
    s.Run(91); // 1456 ms: launched at 1250 ms, boosting
    Expect(g.Count("SHAKE_GAMEPLAY_CAM") == 1 && g.sounds.size() == 1 && g.sounds[0].id == 108 &&
               g.sounds[0].flags == (SND_MEMORY | SND_ASYNC),
           "boosting, the Lumen spool-up (108) playing from memory: " + SoundList(g));
    if (g.sounds.size() != 1 || g.sounds[0].wave == nullptr) {
        return;
    }
    const unsigned char* const copy = g.sounds[0].wave;
    const std::size_t copyBytes = g.sounds[0].waveBytes;
    const std::vector<unsigned char> resource = sim::windows::WaveResource(s.loaded.module, 108);
    const WaveChunks wave = ChunksOf(resource.data(), resource.size());
    Expect(!InModuleImage(copy, s.loaded.module) && copyBytes == resource.size() &&
               std::memcmp(copy, resource.data(), copyBytes) == 0 && wave.fmtLength >= 16,
           "at SFX_volume=100 the recording plays from a copy outside the module's image, "
           "byte for byte its resource");
    if (copyBytes != resource.size() || wave.fmtLength < 16) {
        return;
    }

    // Paused for 40 frames, with a pad connected and the trigger polled on
    // every frame until now.
    g.world.paused = true;
    const std::uint64_t pausedFrom = g.frame + 1;
    s.Run(40);
    const sim::CallRecord* stop = g.Last("PlaySoundA");
    Expect(stop != nullptr && stop->frame == pausedFrom && stop->I(0) == 0 && stop->I(1) == 0 &&
               g.sounds.size() == 1 && g.sounds[0].cutOff,
           "the first paused pass stops the recording: PlaySoundA(NULL, NULL, 0)");
    std::string others;
    std::size_t asked = 0;
    for (const sim::CallRecord& c : g.calls) {
        if (c.frame < pausedFrom) {
            continue;
        }
        if (c.name == "IS_PAUSE_MENU_ACTIVE") {
            ++asked;
        } else if (&c != stop && others.size() < 200) {
            others += " " + c.name + "@" + std::to_string(c.frame);
        } else if (&c != stop) {
            others += " ...";
            break;
        }
    }
    Expect(others.empty() && asked == 40,
           "the paused passes ask IS_PAUSE_MENU_ACTIVE once each and call nothing else, read no "
           "key and no pad:" +
               others);
    if (stop == nullptr) {
        return;
    }
    const std::uint32_t playedMs = stop->tick - g.sounds[0].tick;

    g.world.paused = false;
    const std::uint64_t resumed = g.frame + 1;
    s.Run(1);
    Expect(g.sounds.size() == 2 && g.sounds[1].frame == resumed &&
               g.sounds[1].flags == (SND_MEMORY | SND_ASYNC) && g.sounds[1].found,
           "the first pass after the pause plays from memory, SND_MEMORY | SND_ASYNC: " +
               SoundList(g));
    if (g.sounds.size() != 2) {
        return;
    }
    const sim::SoundPlay& rest = g.sounds[1];
    const bool inside = rest.wave > copy && rest.wave + rest.waveBytes == copy + copyBytes;
    Expect(inside, "the image lies inside the stopped recording's copy and runs to its end");
    if (!inside) {
        return;
    }
    const WaveChunks head = ChunksOf(rest.wave, rest.waveBytes);
    Expect(head.fmtLength == wave.fmtLength &&
               std::memcmp(rest.wave + head.fmtAt, resource.data() + wave.fmtAt, wave.fmtLength) ==
                   0 &&
               head.dataAt + head.dataLength == rest.waveBytes,
           "its header is a whole RIFF/WAVE header with the recording's fmt chunk, its data "
           "chunk to the end");
    if (head.fmtLength != wave.fmtLength) {
        return;
    }
    // Where its samples begin in the recording's data, against the resource.
    const std::size_t from = static_cast<std::size_t>(rest.wave + head.dataAt - copy) - wave.dataAt;
    const std::uint32_t bytesPerSecond = Le32(resource.data() + wave.fmtAt + 8);
    const std::uint32_t blockAlign = resource[wave.fmtAt + 12] | resource[wave.fmtAt + 13] << 8;
    const double fromMs = static_cast<double>(from) * 1000.0 / bytesPerSecond;
    Expect(from % blockAlign == 0 && fromMs > playedMs - 20.0 && fromMs < playedMs + 20.0 &&
               head.dataLength == wave.dataLength - from &&
               std::memcmp(rest.wave + head.dataAt, resource.data() + wave.dataAt + from,
                           head.dataLength) == 0,
           "its samples are the recording's from " + std::to_string(fromMs) + " ms on; " +
               std::to_string(playedMs) + " ms had played before the pause");
    const auto under = static_cast<std::size_t>(rest.wave - copy);
    Expect(std::memcmp(copy, resource.data(), under) == 0 &&
               std::memcmp(copy + under + head.dataAt, resource.data() + under + head.dataAt,
                           copyBytes - under - head.dataAt) == 0,
           "the header covers only bytes that had played; the rest of the copy is untouched");

    // The boost runs out; the blow-off replaces the rest of the recording.
    const bool ended = s.RunUntil([&g] { return g.sounds.size() == 3; }, 900);
    Expect(ended && g.sounds[2].id == 107, "the boost ends with the blow-off: " + SoundList(g));
    Expect(std::memcmp(copy, resource.data(), copyBytes) == 0,
           "once another sound plays, the copy is its resource again, byte for byte");
    Expect(g.faults.empty(), "the sound thread read every sound unchanged while it played");
}

// ScriptHookV unloads the module 100 ms into a spool-up (a developer-mode
// reload without the load again). The sound plays on; the sound thread must
// still be able to read it while 3 s of the game pass.
void UnloadMidSound(const Paths& paths, int volume) {
    Session s(paths);
    s.WriteIni("[Veloxan]\r\nSFX_volume=" + std::to_string(volume) + "\r\n");
    if (!s.Boot()) {
        return;
    }
    sim::Game& g = s.game;
    PressTriggerWhileDriving(s);
    s.Run(1);
    Expect(g.sounds.size() == 1 && g.sounds[0].found && g.sounds[0].durationMs > 3200,
           "the press starts the spool-up, longer than the stretch to come: " + SoundList(g));
    if (g.sounds.empty()) {
        return;
    }
    const std::uint32_t started = g.sounds[0].tick;
    s.RunUntil([&g, started] { return g.tick - started >= 100; }, 10);
    const std::uint64_t readBefore = sim::windows::SoundBytesRead();
    if (!s.Unload()) {
        return;
    }
    const std::uint32_t unloaded = g.tick;
    s.Run(3000 / g.options.msPerFrame + 1);
    const std::uint64_t readAfter = sim::windows::SoundBytesRead() - readBefore;
    Expect(g.tick - unloaded >= 3000 && g.sounds.size() == 1 && !g.sounds[0].cutOff,
           "3 s of frames after the unload; the spool-up was neither stopped nor replaced");
    Expect(readAfter > 0 && sim::windows::SoundPlaying() && g.faults.empty(),
           "SFX_volume=" + std::to_string(volume) + ": the sound thread read " +
               std::to_string(readAfter) +
               " bytes of the spool-up after the unload, all readable and unchanged");
    for (const std::string& fault : g.faults) {
        std::printf("      %s\n", fault.c_str());
    }
    g.faults.clear();
}

void UnloadMidSoundFullVolume(const Paths& paths) { UnloadMidSound(paths, 100); }

void UnloadMidSoundHalfVolume(const Paths& paths) { UnloadMidSound(paths, 50); }

// The samples of a copy that are not its resource's times `factor` (0.25 or
// 1, exact either way): 16-bit PCM rounded with halves away from zero, 32-bit
// float multiplied in single precision.
std::size_t SamplesOff(const unsigned char* copy, const std::vector<unsigned char>& resource,
                       float factor) {
    const WaveChunks wave = ChunksOf(resource.data(), resource.size());
    const std::size_t step = resource[wave.fmtAt] == 3 ? 4 : 2;
    std::size_t off = wave.fmtLength == 0 ? 1 : 0;
    for (std::size_t at = wave.dataAt; at + step <= wave.dataAt + wave.dataLength; at += step) {
        if (step == 4) {
            float s = 0.0f;
            float got = 0.0f;
            std::memcpy(&s, resource.data() + at, 4);
            std::memcpy(&got, copy + at, 4);
            off += got == s * factor ? 0 : 1;
        } else {
            std::int16_t s = 0;
            std::int16_t got = 0;
            std::memcpy(&s, resource.data() + at, 2);
            std::memcpy(&got, copy + at, 2);
            off += got == std::lround(s * static_cast<double>(factor)) ? 0 : 1;
        }
    }
    return off;
}

// A German game with its sound effects at 5 of 10: the module speaks German,
// and its recordings play at a quarter of their samples, (5/10)^2, from
// copies made at start.
// The player moves the slider to 10 in the pause menu: the rest of the paused
// recording plays from its copy scaled again from the resource, and the
// blow-off's copy follows before it plays.
void GermanGameAtHalfEffects(const Paths& paths) {
    Session s(paths);
    s.WriteIni(s.ReleaseIni());
    sim::Game& g = s.game;
    g.world.language = 2;
    g.world.sfxLevel = 5;
    if (!s.Boot()) {
        return;
    }
    const sim::CallRecord* ask = g.Last("GET_PROFILE_SETTING");
    Expect(g.Count("GET_PROFILE_SETTING") == 1 && ask->frame == 1 && ask->I(0) == 300,
           "the start asks the game's sound-effects level once: GET_PROFILE_SETTING(300)");
    Expect(s.ReadLog().find(" SFX_volume=100 SFX_follow_game=1 game_effects=5 (plays at 50.0%)") !=
               std::string::npos,
           "the start report names the level that plays");
    const std::vector<std::string> notice = s.DrawnTexts(g.frame);
    Expect(s.ReadLog().find(" language de-DE (the game's)") != std::string::npos &&
               std::find(notice.begin(), notice.end(), "Drücke SHIFT + T für das SETUP") !=
                   notice.end(),
           "the game answers German: the log names it and the first-run notice speaks it");

    PressTriggerWhileDriving(s);
    s.Run(40);
    Expect(s.Posted("VELOXAN AKTIVIERT"), "the boost's notification is German");
    Expect(g.sounds.size() == 1 && g.sounds[0].id == 108 && g.sounds[0].flags == kSndFlags,
           "the Lumen spool-up plays from its copy: " + SoundList(g));
    if (g.sounds.size() != 1 || g.sounds[0].wave == nullptr) {
        return;
    }
    const unsigned char* const spool = g.sounds[0].wave;
    const std::vector<unsigned char> spoolResource =
        sim::windows::WaveResource(s.loaded.module, 108);
    const std::vector<unsigned char> blowOffResource =
        sim::windows::WaveResource(s.loaded.module, 107);
    Expect(g.sounds[0].waveBytes == spoolResource.size() &&
               SamplesOff(spool, spoolResource, 0.25f) == 0,
           "every sample of the spool-up's copy is a quarter of its resource's");

    g.world.paused = true;
    s.Run(20);
    g.world.sfxLevel = 10;
    g.world.paused = false;
    const std::uint64_t resumed = g.frame + 1;
    s.Run(1);
    Expect(g.Count("GET_PROFILE_SETTING") == 2 && g.Last("GET_PROFILE_SETTING")->frame == resumed,
           "the first pass after the pause asks the level again");
    Expect(g.sounds.size() == 2 && g.sounds[1].frame == resumed && g.sounds[1].wave > spool &&
               g.sounds[1].wave + g.sounds[1].waveBytes == spool + spoolResource.size(),
           "the rest of the spool-up plays from inside the same copy: " + SoundList(g));
    const bool ended = s.RunUntil([&g] { return g.sounds.size() == 3; }, 900);
    Expect(ended && g.sounds[2].id == 107 && g.sounds[2].flags == kSndFlags,
           "the boost ends with the blow-off from its copy: " + SoundList(g));
    if (!ended) {
        return;
    }
    Expect(std::memcmp(spool, spoolResource.data(), spoolResource.size()) == 0 &&
               g.sounds[2].waveBytes == blowOffResource.size() &&
               SamplesOff(g.sounds[2].wave, blowOffResource, 1.0f) == 0,
           "at level 10 both copies are their resources' samples again, in place");
    Expect(s.ReadLog().find("game sound effects level 10: the sounds play at 100.0%") !=
               std::string::npos,
           "the change is logged");
    Expect(g.faults.empty(), "the sound thread read every sound unchanged while it played");
}

// --- a game folder named in other scripts ---------------------------------------------

// Cyrillic, Greek and Japanese letters (UTF-8 in this source): no ANSI code
// page holds all three, so the ANSI file functions see '?' in their place.
constexpr const char* kForeignFolderName = "Игры Παιχνίδια ゲーム";

std::string Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

bool ValidUtf8(const std::string& text) {
    return text.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(),
                                               static_cast<int>(text.size()), nullptr, 0) > 0;
}

// CreateFileW with the sharing a text editor uses, or none at all.
bool CanOpen(const std::filesystem::path& path, DWORD share) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

void LogInAForeignFolder(const Paths& paths) {
    Session s(paths, kForeignFolderName);
    s.WriteIni(s.ReleaseIni());
    if (!s.Boot()) {
        return;
    }
    PressTriggerWhileDriving(s);
    s.Run(100);
    const std::filesystem::path logFile = s.Folder() / "Veloxan.log";
    const std::string log = s.ReadLog();
    const std::string settingsLine =
        " settings " + Utf8Of(s.Folder() / "Veloxan.ini") + " found\r\n";
    Expect(log.find(" Veloxan " VELOXAN_VERSION_TEXT "\r\n") != std::string::npos &&
               log.find(" boost launched at ") != std::string::npos,
           "the log is written in a folder named \"" + std::string(kForeignFolderName) + "\"");
    Expect(ValidUtf8(log), "the log is valid UTF-8");
    Expect(log.find(settingsLine) != std::string::npos &&
               log.find(std::string(kForeignFolderName) + "\\Veloxan.ini") != std::string::npos,
           "the settings line names the folder as it is named:" + settingsLine);
    Expect(CanOpen(logFile, FILE_SHARE_READ | FILE_SHARE_WRITE),
           "a player can open the log while the game runs");

    if (!s.Unload()) {
        return;
    }
    Expect(CanOpen(logFile, 0), "the unload let the log go: no handle of it is left");
    if (!s.LoadAgain()) {
        return;
    }
    s.Run(5);
    Expect(DeleteFileW(logFile.c_str()) != FALSE,
           "a player can delete the log while the game runs");
    s.HoldKey(kKeyT, 1);
    s.Run(5);
    const std::vector<std::string> feed = s.FeedTexts();
    Expect(std::count(feed.begin(), feed.end(), "VELOXAN ACTIVATED") == 2,
           "the module goes on logging into the deleted file");
    // Windows removes a deleted file once its last handle is closed.
    if (s.Unload()) {
        Expect(!std::filesystem::exists(logFile), "the deleted log is gone after the unload");
    }
    std::printf("--- Veloxan.log in the folder:\n%s---\n", log.c_str());
}

const std::map<std::string, void (*)(const Paths&)> kScenarios = {
    {"startup_without_ini", StartupWithoutIni},
    {"startup_with_ini", StartupWithIni},
    {"gamepad_trigger", GamepadTrigger},
    {"script_restart", ScriptRestart},
    {"boost_lumen", BoostLumen},
    {"boost_orca", BoostOrca},
    {"boost_cancel", BoostCancel},
    {"first_run_notice", FirstRunNotice},
    {"menu_settings", MenuSettings},
    {"keys_in_the_menu", KeysInTheMenu},
    {"key_names_from_windows", KeyNamesFromWindows},
    {"unload_and_reload", UnloadAndReload},
    {"log_in_a_foreign_folder", LogInAForeignFolder},
    {"golden_session", GoldenSession},
    {"laptop_pad_and_half_volume", LaptopPadAndHalfVolume},
    {"pause_mid_boost", PauseMidBoost},
    {"unload_mid_sound", UnloadMidSoundFullVolume},
    {"unload_mid_sound_half_volume", UnloadMidSoundHalfVolume},
    {"german_game_at_half_effects", GermanGameAtHalfEffects},
};

// Paths from the command line, made absolute while the current directory is
// still the one the game was started in.
std::string FullPath(const char* path) {
    char full[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(path, MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full) : std::string(path);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5 || (kScenarios.count(argv[1]) == 0 && !IsBadIniScenario(argv[1]))) {
        std::fprintf(stderr, "usage: veloxan-game <scenario> <ScriptHookV.dll> <Veloxan.asi> "
                             "<release Veloxan.ini>\nscenarios:");
        for (const auto& [name, run] : kScenarios) {
            std::fprintf(stderr, " %s", name.c_str());
        }
        std::fprintf(stderr, " bad_ini bad_ini:<case>");
        std::fprintf(stderr, "\n");
        return 2;
    }
    const Paths paths{FullPath(argv[2]), FullPath(argv[3]), FullPath(argv[4])};
    if (kScenarios.count(argv[1]) != 0) {
        kScenarios.at(argv[1])(paths);
    } else {
        RunBadIniScenario(argv[1], paths);
    }
    const int failures = FailureCount();
    std::printf("%s: %d failed check(s)\n", argv[1], failures);
    return failures == 0 ? 0 : 1;
}
