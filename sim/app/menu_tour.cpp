#include "sim/app/menu_tour.h"

#include "menu/menu_item.h"
#include "settings/settings.h"
#include "sim/game.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr int kKeyT = 0x54;
constexpr int kKeyShift = 0x10;
constexpr int kKeyUp = 0x68;
constexpr int kKeyDown = 0x62;
constexpr int kKeyLeft = 0x64;
constexpr int kKeyRight = 0x66;

void Line(const std::string& what) {
    const sim::Game& g = sim::game();
    const double seconds = static_cast<double>(g.tick - g.options.startTick) / 1000.0;
    std::printf("%7.3f s  frame %5llu  %-24s%s\n", seconds,
                static_cast<unsigned long long>(g.frame), "menu", what.c_str());
}

// Frames until the menu's 200 ms key wait is over again.
void WaitOutKeys() {
    sim::Game& g = sim::game();
    sim::RunFrames(200 / g.options.msPerFrame + 1);
}

std::string Fraction(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", static_cast<double>(value));
    return text;
}

void Hold(int vk, std::uint64_t frames) {
    sim::Game& g = sim::game();
    g.input.HoldKeyFrames(vk, g.frame + 1, frames);
}

// What the game was asked to draw this frame: the path line and the row
// under the white highlight.
std::string MenuOnScreen() {
    const sim::Game& g = sim::game();
    std::string path;
    float highlightY = -1.0f;
    for (const sim::DrawItem& item : g.world.DrawList(g.frame)) {
        if (item.kind == sim::DrawItem::Rect && item.rect.red == 250 && item.rect.alpha == 235) {
            highlightY = item.rect.y;
        }
    }
    std::string selected;
    for (const sim::DrawItem& item : g.world.DrawList(g.frame)) {
        if (item.kind != sim::DrawItem::Text) {
            continue;
        }
        if (item.text.style.scaleX == 0.35f) {
            path = item.text.text;
        }
        // A row's text sits 0.0112 above the highlight's centre.
        const float rowY = item.text.y + 0.0112f;
        if (item.text.style.scaleX == 0.32f && rowY > highlightY - 0.001f &&
            rowY < highlightY + 0.001f) {
            selected = item.text.text;
        }
    }
    if (path.empty()) {
        return "nothing drawn";
    }
    return "shows \"" + path + "\", selected \"" + selected + "\"";
}

void Press(int vk, const char* name) {
    WaitOutKeys();
    Hold(vk, 1);
    sim::Step();
    Line(std::string("keypad ") + name + ": " + MenuOnScreen());
}

void Select(int row) {
    while (currentPage != nullptr && currentPage->selectedIndex != row) {
        Press(currentPage->selectedIndex < row ? kKeyDown : kKeyUp,
              currentPage->selectedIndex < row ? "2 (down)" : "8 (up)");
    }
}

void PressChord(const char* what) {
    Line(what);
    Hold(kKeyT, 1);
    Hold(kKeyShift, 1);
    sim::Step();
    Line(std::string("  ") + MenuOnScreen());
}

} // namespace

void RunMenuTour() {
    sim::Game& g = sim::game();
    PressChord("player presses Shift + T to open the settings menu");
    sim::RunFrames(10);
    Line("menu has slid in: " + MenuOnScreen());

    Select(2); // Power
    Line("power is " + Fraction(Settings.power));
    WaitOutKeys();
    // Right steps every frame once the wait is over.
    Hold(kKeyRight, 4);
    sim::RunFrames(4);
    Line("keypad 6 (right) held 4 frames: " + MenuOnScreen() + ", power now " +
         Fraction(Settings.power));

    Select(5); // SFX
    if (Settings.SFX_type == 1) {
        Press(kKeyLeft, "4 (left)");
    } else {
        Press(kKeyRight, "6 (right)");
    }
    Line("sound profile now " + std::to_string(Settings.SFX_type));

    WaitOutKeys();
    PressChord("player presses Shift + T to close the menu");
    sim::RunFrames(12);
    Line("menu has slid out: " + MenuOnScreen());

    const std::string path = g.options.fileRoot + "/Veloxan.ini";
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string shown;
    for (char c : text.str()) {
        if (c != '\r') {
            shown += c;
        }
    }
    std::printf("INI file as saved (%s):\n%s", path.c_str(), shown.c_str());
}
