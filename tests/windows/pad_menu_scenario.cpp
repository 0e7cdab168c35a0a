// The real module with a Veloxan.ini for a laptop and a pad: the menu moved
// with remapped keys, opened and driven from the pad, and the sounds at half
// volume, played from the module's memory as the resources scaled by 0.25.

#include "pad_menu_scenario.h"

#include "recorded_imports.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

namespace scenario {

namespace {

constexpr int kKeyI = 'I';
constexpr int kKeyJ = 'J';
constexpr int kKeyK = 'K';
constexpr int kKeyL = 'L';
constexpr int kBackspace = 0x08;
constexpr std::uint16_t kPadRight = 0x0008;
constexpr std::uint16_t kPadRB = 0x0200;
constexpr float kBarFullWidth = 0.13f;
constexpr std::size_t kDataOffset = 46;

// The white band under the selected row, as the menu draws it.
int HighlightedRow(const Session& s) {
    for (const sim::DrawItem& item : s.game.world.DrawList(s.game.frame)) {
        if (item.kind == sim::DrawItem::Rect && item.rect.red == 250 && item.rect.alpha == 235) {
            return static_cast<int>(std::lround((item.rect.y - 0.1662f) / 0.0425f)) - 1;
        }
    }
    return -1;
}

// The slider bars' fractions, top row first.
std::vector<float> Sliders(const Session& s) {
    std::vector<float> out;
    for (const sim::DrawItem& item : s.game.world.DrawList(s.game.frame)) {
        if (item.kind == sim::DrawItem::Rect && item.rect.height == 0.02f) {
            out.push_back(item.rect.width / kBarFullWidth);
        }
    }
    return out;
}

bool Near(float a, float b) { return std::fabs(a - b) < 1e-4f; }

void Tap(Session& s, int vk, std::uint64_t frames = 1) {
    s.HoldKey(vk, frames);
    s.Run(frames + kFramesPerKeyWait);
}

void Press(Session& s, std::uint16_t buttons, std::uint64_t frames = 1) {
    s.HoldButtons(0, buttons, frames);
    s.Run(frames + kFramesPerKeyWait);
}

bool InFile(const Session& s, const std::string& line) {
    return s.ReadIni().find("\r\n" + line + "\r\n") != std::string::npos;
}

// What the module played against its resource, samples scaled by 0.25: 16-bit
// samples rounded half away from zero, float samples exact.
void ExpectHalfVolumeCopy(const Session& s, const sim::SoundPlay& play, unsigned id) {
    const std::vector<unsigned char> resource = sim::windows::WaveResource(s.loaded.module, id);
    const std::string what = "sound " + std::to_string(id);
    Expect(play.id == id && play.flags == (SND_MEMORY | SND_ASYNC) && play.found &&
               play.wave != nullptr && play.waveBytes == resource.size(),
           what + " plays from memory with SND_MEMORY | SND_ASYNC, as long as the resource");
    if (play.wave == nullptr || play.waveBytes != resource.size() || resource.size() < 46) {
        return;
    }
    const bool isFloat = resource[20] == 3;
    std::size_t wrong = std::memcmp(play.wave, resource.data(), kDataOffset) != 0 ? 1 : 0;
    for (std::size_t at = kDataOffset; at + 2 <= resource.size(); at += isFloat ? 4 : 2) {
        if (isFloat) {
            float sample = 0.0f;
            float played = 0.0f;
            std::memcpy(&sample, &resource[at], 4);
            std::memcpy(&played, play.wave + at, 4);
            wrong +=
                std::bit_cast<std::uint32_t>(played) == std::bit_cast<std::uint32_t>(sample * 0.25f)
                    ? 0
                    : 1;
        } else {
            const auto sample = static_cast<std::int16_t>(resource[at] | resource[at + 1] << 8);
            const auto played = static_cast<std::int16_t>(play.wave[at] | play.wave[at + 1] << 8);
            wrong += played == static_cast<std::int16_t>(std::round(sample / 4.0)) ? 0 : 1;
        }
    }
    Expect(wrong == 0, what + ": the header as is, every sample the resource's x 0.25 (" +
                           std::to_string(wrong) + " differ)");
}

} // namespace

void LaptopPadAndHalfVolume(const Paths& paths) {
    Session s(paths);
    s.WriteIni("[Veloxan]\r\nKEY_PC_MENU=16\r\nKEY_MENU_UP=73\r\nKEY_MENU_DOWN=75\r\n"
               "KEY_MENU_LEFT=74\r\nKEY_MENU_RIGHT=76\r\nKEY_MENU_SELECT=13\r\n"
               "KEY_MENU_BACK=8\r\nKEY_GAMEPAD_MENU=512\r\nSFX_volume=50\r\nduration=10\r\n");
    s.beforeStart = [](HMODULE module) { RecordWindowsImports(module); };
    s.game.input.ConnectPad(0);
    if (!s.Boot()) {
        return;
    }
    const sim::Game& g = s.game;
    std::vector<std::int32_t> lookups;
    for (const sim::CallRecord* c : g.Calls("FindResourceA")) {
        lookups.push_back(c->frame == 1 && c->S(1) == "WAVE" ? c->I(0) : -1);
    }
    Expect(lookups == std::vector<std::int32_t>{106, 107, 108},
           "the three WAVE resources are looked up once, at load, for their copies");
    const std::string log = s.ReadLog();
    Expect(log.find(" KEY_MENU_UP=73 (I) KEY_MENU_DOWN=75 (K) KEY_MENU_LEFT=74 (J) "
                    "KEY_MENU_RIGHT=76 (L) KEY_MENU_SELECT=13 (Enter) KEY_MENU_BACK=8 "
                    "(Backspace)\r\n") != std::string::npos &&
               log.find(" KEY_GAMEPAD_MENU=512 (RB)\r\n") != std::string::npos &&
               log.find(" SFX_volume=50 SFX_follow_game=1 game_effects=10\r\n") !=
                   std::string::npos,
           "the log names the menu keys, the pad menu and the volume");
    const std::int32_t car = s.DriveCar(15.0f);
    s.game.world.Get(car).throttle = 1.0f;

    // The keyboard: Shift + T opens, then the laptop's keys.
    s.HoldKey(kKeyShift, 1);
    Tap(s, kKeyT);
    s.Run(10);
    Tap(s, kKeyK);
    Expect(HighlightedRow(s) == 1, "K moves down to Initial Boost");
    Tap(s, kNumpad2);
    Expect(HighlightedRow(s) == 1, "numpad 2 no longer moves the menu");
    Tap(s, kKeyL, 3);
    const std::vector<float> raised = Sliders(s);
    Expect(raised.size() == 6 && Near(raised[1], 0.425f), "L held for 3 frames: boost 0.425");
    Tap(s, kKeyI);
    Tap(s, kKeyJ);
    const std::vector<float> lowered = Sliders(s);
    Expect(HighlightedRow(s) == 0 && lowered.size() == 6 && Near(lowered[0], 0.08f),
           "I moves up to Duration, J lowers it to 0.08");
    Tap(s, kBackspace);
    s.Run(12);
    Expect(Sliders(s).empty() && InFile(s, "duration=8") && InFile(s, "boost=42"),
           "Backspace closes the menu and saves duration=8, boost=42");

    // The pad: RB + D-pad down opens, the D-pad moves, RB + D-pad down closes.
    Press(s, kPadRB | kPadDown);
    s.Run(10);
    Expect(!Sliders(s).empty(), "RB + D-pad down opens the menu");
    Press(s, kPadDown);
    Expect(HighlightedRow(s) == 1, "D-pad down moves down to Initial Boost");
    Press(s, kPadRight, 2);
    const std::vector<float> padRaised = Sliders(s);
    Expect(padRaised.size() == 6 && Near(padRaised[1], 0.475f),
           "D-pad right held 2 frames: boost 0.475");
    Press(s, kPadRB | kPadDown);
    s.Run(12);
    Expect(Sliders(s).empty() && InFile(s, "boost=47"), "RB + D-pad down closes and saves");
    Expect(!s.Posted("VELOXAN ACTIVATED"), "neither the keys nor the pad boosted meanwhile");

    // A boost at half volume: the Lumen recording, then the blow-off.
    s.HoldKey(kKeyT, 1);
    const bool back = s.RunUntil([&s] { return s.Posted("Turbo Boost System Online"); }, 600);
    Expect(back && g.sounds.size() == 2, "T boosts; two sounds play");
    if (g.sounds.size() == 2) {
        ExpectHalfVolumeCopy(s, g.sounds[0], 108);
        ExpectHalfVolumeCopy(s, g.sounds[1], 107);
    }
}

} // namespace scenario
