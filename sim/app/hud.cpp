#include "sim/app/hud.h"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace simapp {

namespace {

constexpr const char* kHudFont = "DejaVu Sans Mono";
constexpr int kStatusLines = 14;
constexpr const char* kHelp[] = {
    "world keys, never the module's:",
    "Up / Down   throttle / brake",
    "Home        get in or out",
    "PgUp/PgDn   vehicle class",
    "Del crash   End script restart",
    "Pause, Ins  game's pause menu",
    "game busy, each on and off:",
    "[ switch    ] cutscene",
    "; fade out  ' dead",
    ", arrested  . control off",
    "/ the game's HUD hidden",
    "- game's sound effects 10..0",
    "Esc quit    F1 hide these keys",
};
constexpr int kHelpLines = static_cast<int>(sizeof kHelp / sizeof kHelp[0]);
// The widest line, in characters, and the panel's margin in them.
constexpr int kColumns = 31;
constexpr double kMarginChars = 1.0;

// Font size in pixels: 12 px in a 720-line window, never below 9.
double FontPixels(int windowHeight) { return std::max(9.0, 12.0 * windowHeight / 720.0); }

} // namespace

HudBox HudPlace(int windowWidth, int windowHeight, bool help) {
    const double size = FontPixels(windowHeight);
    // DejaVu Sans Mono advances 0.602 em a letter; lines are 1.25 em apart.
    const double charWidth = 0.602 * size, lineHeight = 1.25 * size;
    const int lines = kStatusLines + (help ? kHelpLines : 0);
    HudBox box;
    box.width = static_cast<int>((kColumns + 2 * kMarginChars) * charWidth + 0.5);
    box.height = static_cast<int>(lines * lineHeight + 2 * kMarginChars * charWidth + 0.5);
    box.x = windowWidth - box.width - static_cast<int>(0.01 * windowWidth);
    box.y = windowHeight - box.height - static_cast<int>(0.02 * windowHeight);
    return box;
}

void DrawHud(Picture& window, const HudContent& hud) {
    const HudBox box = HudPlace(window.Width(), window.Height(), hud.help);
    const double size = FontPixels(window.Height());
    const double charWidth = 0.602 * size, lineHeight = 1.25 * size;

    std::vector<std::string> lines;
    char text[96];
    lines.emplace_back("veloxan-sim live     F1 keys");
    std::snprintf(text, sizeof text, "speed       %.1f km/h", static_cast<double>(hud.speedKmh));
    lines.emplace_back(text);
    lines.push_back("turbo       " + hud.turbo);
    std::snprintf(text, sizeof text, "power       x%.2f", static_cast<double>(hud.enginePower));
    lines.emplace_back(text);
    std::snprintf(text, sizeof text, "time scale  %.2f", static_cast<double>(hud.timeScale));
    lines.emplace_back(text);
    lines.push_back("vehicle     " + hud.vehicle);
    // Several states at once cut short at the frame, the rest marked.
    constexpr std::size_t kValueColumns = kColumns - 12;
    lines.push_back("game        " + (hud.game.size() <= kValueColumns
                                          ? hud.game
                                          : hud.game.substr(0, kValueColumns - 1) + "\u2026"));
    if (hud.planePitch) {
        std::snprintf(text, sizeof text, ", pitch %+.0f roll %+.0f",
                      static_cast<double>(*hud.planePitch), static_cast<double>(hud.planeRoll));
        lines.back() += text;
    }
    if (hud.handbrake) {
        lines.back() += ", handbrake";
    }
    std::snprintf(text, sizeof text, "game sfx    %d of 10", hud.gameSfx);
    lines.emplace_back(text);
    lines.push_back(std::string("phone       ") + (hud.phoneOut ? "out" : "away") +
                    (hud.hudHidden ? ", HUD hidden" : ""));
    std::snprintf(text, sizeof text, "controls    %zu off by the menu", hud.controlsOff);
    lines.emplace_back(hud.allControlsOff     ? "controls    all off by the menu"
                       : hud.controlsOff != 0 ? text
                                              : "controls    all the game's");
    std::snprintf(text, sizeof text, "natives     %u this frame", hud.nativeCalls);
    lines.emplace_back(text);
    std::snprintf(text, sizeof text, "input       %s, %s", hud.foreground ? "in front" : "behind",
                  hud.pad ? "pad 0" : "no pad");
    lines.emplace_back(text);
    lines.push_back(std::string("hand        ") +
                    (hud.usingKeyboard ? "keyboard and mouse" : "pad"));
    std::snprintf(text, sizeof text, "drawing     %.1f ms a frame", hud.drawMs);
    lines.emplace_back(text);
    if (hud.help) {
        lines.insert(lines.end(), std::begin(kHelp), std::end(kHelp));
    }

    cairo_t* cr = cairo_create(window.Surface());
    cairo_rectangle(cr, box.x, box.y, box.width, box.height);
    cairo_set_source_rgba(cr, 0.0, 0.0, 0.0, 0.78);
    cairo_fill(cr);
    // The frame's line lies inside the box, which holds all the panel draws.
    cairo_rectangle(cr, box.x + 1.0, box.y + 1.0, box.width - 2.0, box.height - 2.0);
    const double dash[] = {6.0, 4.0};
    cairo_set_dash(cr, dash, 2, 0.0);
    cairo_set_line_width(cr, 2.0);
    cairo_set_source_rgb(cr, 0.0, 0.86, 1.0);
    cairo_stroke(cr);

    cairo_select_font_face(cr, kHudFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    double baseline = box.y + kMarginChars * charWidth + fe.ascent;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // The title and the key list in cyan, the figures in green.
        const bool heading = i == 0 || i == kStatusLines;
        const bool keys = i >= kStatusLines;
        cairo_set_source_rgb(cr, heading || keys ? 0.0 : 0.55, heading || keys ? 0.86 : 1.0,
                             heading || keys ? 1.0 : 0.55);
        cairo_move_to(cr, box.x + kMarginChars * charWidth, baseline);
        cairo_show_text(cr, lines[i].c_str());
        baseline += lineHeight;
    }
    cairo_destroy(cr);
}

} // namespace simapp
