#pragma once
// A booted module whose INI names Shift as the menu key, driven like a player
// at the keyboard, and the menu read back from what the game was asked to
// draw.

#include "menu_rows.h"
#include "sim_fixture.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

inline constexpr int VK_PAD8 = 0x68; // up
inline constexpr int VK_PAD2 = 0x62; // down
inline constexpr int VK_PAD0 = 0x60; // back
inline constexpr int VK_PAD5 = 0x65; // select
inline constexpr int VK_PAD4 = 0x64; // left
inline constexpr int VK_PAD6 = 0x66; // right

class MenuTest : public SimTest {
protected:
    void BootWithMenuKey(const std::string& moreKeys = "") {
        WriteIni("[Veloxan]\r\nKEY_PC_MENU=16\r\n" + moreKeys);
        Boot();
    }

    // Frames until more than 200 ms have passed since this frame's key.
    std::uint64_t WaitFrames() const { return 200 / game.options.msPerFrame + 1; }

    // T + Shift for one frame; returns that frame.
    std::uint64_t PressChord() {
        HoldKey(VK_T, 1);
        HoldKey(VK_SHIFT_KEY, 1);
        sim::Step();
        return game.frame;
    }

    // Waits out the key wait, then presses the key for one frame.
    std::uint64_t Tap(int vk) {
        sim::RunFrames(WaitFrames());
        HoldKey(vk, 1);
        sim::Step();
        return game.frame;
    }

    // Taps down from the root page's selected row to the row with this
    // label; returns the frame of the last tap, or this frame when no tap
    // was needed.
    std::uint64_t SelectRow(const char* label) {
        const int slot = RowSlot(label);
        std::uint64_t frame = game.frame;
        if (slot < 0) {
            return frame;
        }
        for (int taps = (slot - rootPage.selectedIndex + RowCount()) % RowCount(); taps > 0;
             --taps) {
            frame = Tap(VK_PAD2);
        }
        return frame;
    }

    // Opens and lets both the slide and the key wait finish.
    void OpenFully() {
        PressChord();
        sim::RunFrames(std::max<std::uint64_t>(WaitFrames(), 11));
    }

    std::vector<sim::DrawnRect> Rects(std::uint64_t frame) const {
        std::vector<sim::DrawnRect> out;
        for (const sim::DrawItem& item : game.world.DrawList(frame)) {
            if (item.kind == sim::DrawItem::Rect) {
                out.push_back(item.rect);
            }
        }
        return out;
    }

    std::vector<std::string> TextsOfScale(std::uint64_t frame, float scale) const {
        std::vector<std::string> out;
        for (const sim::DrawItem& item : game.world.DrawList(frame)) {
            if (item.kind == sim::DrawItem::Text && item.text.style.scaleX == scale) {
                out.push_back(item.text.text);
            }
        }
        return out;
    }

    std::vector<std::string> RowTexts(std::uint64_t frame) const {
        return TextsOfScale(frame, 0.32f);
    }

    // Centre x of the header band, NaN when the menu was not drawn.
    float HeaderX(std::uint64_t frame) const {
        for (const sim::DrawnRect& r : Rects(frame)) {
            if (r.red == 30 && r.green == 30 && r.blue == 100) {
                return r.x;
            }
        }
        return std::nanf("");
    }

    // The menu's slide offset, read from where the header band was drawn.
    std::optional<float> DrawnOffset(std::uint64_t frame) const {
        const float x = HeaderX(frame);
        if (std::isnan(x)) {
            return std::nullopt;
        }
        return 0.075f - x;
    }

    // The row under the white highlight.
    int HighlightedRow(std::uint64_t frame) const {
        for (const sim::DrawnRect& r : Rects(frame)) {
            if (r.red == 250 && r.alpha == 235) {
                return static_cast<int>((r.y - 0.1662f) / 0.0425f + 0.5f) - 1;
            }
        }
        return -1;
    }

    std::size_t NavSoundsIn(std::uint64_t frame) const {
        return game.CallsInFrame("PLAY_SOUND_FRONTEND", frame).size();
    }
};
